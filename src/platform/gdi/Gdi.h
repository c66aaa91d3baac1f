#pragma once
// Everything of the drawing interface except text and image codecs.
#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/SysColors.h"
