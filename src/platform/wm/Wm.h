#pragma once
// The whole window layer: windows, messages, painting, input, timers, modal
// loops, layered windows, monitors and the clipboard.
#include "platform/wm/Backend.h"
#include "platform/wm/Caret.h"
#include "platform/wm/Clock.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Layered.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/ModalLoop.h"
#include "platform/wm/Monitors.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Timers.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
