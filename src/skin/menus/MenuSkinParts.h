#pragma once
// Skin entries the menus borrow from the controls: the header band of menu
// rows and image grids ("menuheader" or "label" entries), the frame of an
// image grid's cells ("menuitembutton" or "resizebutton") and the row entry
// whose colours the grid's button texts take.
#include "platform/rtl/Types.h"

#include <string>
#include <string_view>

namespace tovrel {

class TBitmap;
class TCanvas;
class TskDataSkinButtonControl;
class TskDataSkinLabelControl;
class TskDataSkinMenuItem;
class TskSkinData;

// An entry with the picture its rectangles cut from.
template <class T> struct TskMenuSkinPart {
    T* Entry = nullptr;
    TBitmap* Picture = nullptr;
    explicit operator bool() const { return Entry != nullptr; }
};

// The first of the named label entries the loaded skin has with its picture;
// empty without one (an entry naming a picture beyond the list counts as none).
TskMenuSkinPart<TskDataSkinLabelControl> FindHeaderBand(const TskSkinData* skin,
                                                        std::initializer_list<std::string_view> names);
// "menuitembutton", else "resizebutton".
TskMenuSkinPart<TskDataSkinButtonControl> FindCellFrame(const TskSkinData* skin);
// "menuitem", else "MENUITEM"; null without one.
TskDataSkinMenuItem* FindMenuItemObject(const TskSkinData* skin);

// The band, `width` wide, with its top-left corner at `at`, and `text` in
// the entry's font centred in the entry's client part.
void DrawHeaderBand(TCanvas& C, const TskMenuSkinPart<TskDataSkinLabelControl>& band, TPoint at, int width,
                    const std::string& text);
// The cell frame at width x height: the pressed image when pressed (and the
// entry has one), else the hot one, else the plain one, fitted by its corners.
void CreateCellFrameImage(TBitmap& B, const TskMenuSkinPart<TskDataSkinButtonControl>& frame, int width, int height,
                          bool pressed);

} // namespace tovrel
