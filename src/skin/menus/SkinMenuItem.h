#pragma once
// TskSkinMenuItem: one row of an open skinned popup menu level. It keeps the
// row's interaction state (hot, sub-menu open, preselected), its rectangle in
// the level window, and draws itself from the skin's menu-item entry or in the
// built-in look when the level has none.
#include "platform/rtl/Types.h"

#include <string>

namespace tovrel {

class TBitmap;
class TCanvas;
class TMenuItem;
class TskDataSkinMenuItem;
class TskSkinPopupWindow;

enum class TskMenuItemKind : std::uint8_t { Divider, Header, Normal };

// "-" is a divider; a disabled caption framed by dashes is a header band.
TskMenuItemKind MenuItemKindOf(const TMenuItem& item);
// A header's band text: the caption without its first and last character.
std::string HeaderText(const std::string& caption);

// Row heights of the built-in look.
constexpr int kDefaultDividerHeight = 4;

class TskSkinMenuItem {
public:
    TskSkinMenuItem(TskSkinPopupWindow* AParent, TMenuItem* AMenuItem, TskDataSkinMenuItem* AData);

    TskSkinPopupWindow* Parent;
    TskDataSkinMenuItem* MI;
    // The picture the entry's rectangles cut from; null when the entry names none.
    TBitmap* ActivePicture = nullptr;
    TMenuItem* MenuItem;
    TRect ObjectRect;
    bool Active = false;
    bool Down = false;
    bool FVisible = true;
    bool WaitCommand = false;

    TskMenuItemKind Kind() const;
    bool HasSubMenu() const;
    bool HasImage() const;
    // Enabled and not a divider: can be hot and act.
    bool Selectable() const;
    // The row's height in its level.
    int Height() const;

    // Paints the row at ObjectRect's top-left (skin look, or built-in without an entry).
    void Draw(TCanvas& Cnvs);
    void DefaultDraw(TCanvas& Cnvs);

    void MouseEnter(bool Kb);
    void MouseLeave();
    void MouseDown();
    // Repaints the row on its level's window at once.
    void RedrawItem();

private:
    int GlyphColumnWidth() const;
    void CreateItemImage(TBitmap& B, bool AActive);
    // The image, or the window glyph, check or radio mark, in the glyph column.
    void DrawMark(TCanvas& C, TRect T, TColor color, bool active);
    void DrawSkinGlyph(TCanvas& C, TRect area, TRect normal, TRect hot, bool active);
    void DrawTexts(TCanvas& C, TRect R, int glyphWidth, int rightGap);
    void DrawHeader(TCanvas& C, TRect R);
    bool IsHot() const { return Active || Down; }
};

} // namespace tovrel
