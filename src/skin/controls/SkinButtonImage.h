#pragma once
// A button face cut from a skin's button entry ("resizebutton", "editbutton")
// at any size: the normal, hot or pressed image as a nine-slice image whose
// corner points follow the size.
#include "platform/vcl/Canvas.h"

#include <initializer_list>
#include <string_view>

namespace tovrel {

class TskSkinData;
class TskDataSkinButtonControl;

// The first of Names that is a button entry of Skin, or null.
const TskDataSkinButtonControl* FindButtonEntry(const TskSkinData* Skin, std::initializer_list<std::string_view> Names);
// Draws Entry's image for the state at R of Canvas; nothing without its picture.
void DrawButtonEntryImage(TCanvas& Canvas, const TskSkinData& Skin, const TskDataSkinButtonControl& Entry,
                          const TRect& R, bool Hot, bool Pressed);

} // namespace tovrel
