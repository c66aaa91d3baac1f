#pragma once
// TskSkinMenuItem: one row of an open skinned popup menu level. It keeps the
// row's interaction state (hot, sub-menu open, preselected), its rectangle in
// the level window, and draws itself from the skin's menu-item entry (morphing
// between its normal and hot images, or playing the entry's frame strip on
// hover, on the level's morph timer) or in the built-in look when the level
// has none.
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
    // The frame of the hover animation shown; 0 none, past FrameCount the hot image.
    int CurrentFrame = 0;
    double MorphKf() const { return FMorphKf; }
    // Clamped to 0..1.
    void SetMorphKf(double value);

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
    // After a state change: starts the row's morph or animation on the
    // level's morph timer, or repaints it on the window at once.
    void RedrawItem();

    // The skin's effects are on and the entry morphs, or has a frame strip.
    bool EnableMorphing() const;
    bool EnableAnimation() const;
    // The factor still has to move towards the row's state; an invisible row is reset instead.
    bool CanMorphing();
    // One morph step towards the row's state, drawn at once.
    void DoMorphing();
    // One frame towards the hot image (hot) or back (not hot), drawn at once;
    // false when the row has no frame left to show.
    bool AnimationStep();

private:
    int GlyphColumnWidth() const;
    void CreateItemImage(TBitmap& B, bool AActive, bool AAnimate = false);
    TRect AnimationFrameRect() const;
    // The row's normal image blended toward its hot one by MorphKf.
    void CreateMorphImage(TBitmap& B);
    // The image, or the window glyph, check or radio mark, in the glyph column.
    void DrawMark(TCanvas& C, TRect T, TColor color, bool active);
    void DrawSkinGlyph(TCanvas& C, TRect area, TRect normal, TRect hot, bool active);
    void DrawTexts(TCanvas& C, TRect R, int glyphWidth, int rightGap);
    void DrawHeader(TCanvas& C, TRect R);
    bool IsHot() const { return Active || Down; }
    bool EffectsOn() const;

    double FMorphKf = 0;
};

} // namespace tovrel
