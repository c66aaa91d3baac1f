#pragma once
// TskSkinPopupWindow: the window of one level of an open skinned popup menu.
// It builds one TskSkinMenuItem per visible sub-item, sizes itself from the
// texts and the skin, places itself on the monitor against a rectangle
// (below or above a control, beside the parent row) and paints itself in one
// piece. A level taller than the work area, or than the engine's item limit,
// shows part of its rows between two 10-px scroll zones. The skin's mask
// shapes it; where the desktop has layered windows it takes the engine's
// alpha, and the first level of a popup fades in. It never activates and
// never takes the focus or the capture: the cursor is polled instead.
#include "platform/vcl/CustomControls.h"

#include <memory>
#include <vector>

namespace tovrel {

class TBitmap;
class TCustomImageList;
class TMenuItem;
class TTimer;
class TskDataSkinMenuItem;
class TskDataSkinPopupWindow;
class TskSkinData;
class TskSkinMenu;
class TskSkinMenuItem;
class TskPopupFade;

constexpr int kScrollZone = 10;
constexpr unsigned kCursorPollMs = 50, kScrollStepMs = 100;
// The first level fades in to the menus' alpha in this many steps.
constexpr int kLevelFadeSteps = 15;

class TskSkinPopupWindow : public TCustomControl {
public:
    // AData: the skin's popup-window entry, or null for the built-in look.
    TskSkinPopupWindow(TComponent* AOwner, TskSkinMenu* AParentMenu, TskDataSkinPopupWindow* AData);
    ~TskSkinPopupWindow() override;

    // Builds the rows from AItem's sub-items (from StartIndex), sizes, places and shows the level.
    void Show(TRect R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp);
    // Hides at once; the engine frees the level later.
    void Hide();
    // One key for this level.
    void PopupKeyDown(int CharCode);
    // The engine's cursor poll: tracks the pointer when it moved.
    void PollCursor();
    // Closes every level above this one and clears the rows' sub-menu marks.
    void CloseChildLevels();

    TskSkinMenu* ParentMenu;
    TskSkinData* SD = nullptr;
    TskDataSkinPopupWindow* PW = nullptr;
    TskDataSkinMenuItem* DSMI = nullptr;
    TBitmap* WindowPicture = nullptr;
    TBitmap* MaskPicture = nullptr;
    TCustomImageList* ImgL = nullptr;
    int GlyphWidth = 19;
    std::vector<std::unique_ptr<TskSkinMenuItem>> ItemList;
    int VisibleCount = 0;
    int VisibleStartIndex = 0;
    bool Scroll = false;
    bool Scroll2 = false;
    int ScrollCode = 0;
    TRect NewItemsRect;
    int ShowX = 0, ShowY = 0;
    int OMX = -1, OMY = -1;
    int OldActiveItem = -1, ActiveItem = -1;
    std::unique_ptr<TBitmap> FPaintBuffer;
    // The rows' morph and frame animation; runs only while a row still changes.
    std::unique_ptr<TTimer> MorphTimer;

    // The skin look is used: a loaded skin with a popup-window picture and a menu-item entry.
    bool SkinLook() const { return PW != nullptr && DSMI != nullptr && WindowPicture != nullptr; }
    // The canvas font of the rows' texts.
    void SetupFont(TCanvas& canvas) const;
    // Draws one row on the window at once.
    void DrawItemNow(TskSkinMenuItem& item);
    void ArrangeItems();
    bool CanScroll(int Code) const;
    void ScrollUp(bool Wrap);
    void ScrollDown(bool Wrap);
    // The window's timer: one scroll step while a zone is held.
    void ScrollTick();
    void TrackMouse(int X, int Y);
    // The morph timer's tick: one step for every row still changing.
    void MorphTick();
    void PaintMenu(TCanvas& canvas);

protected:
    bool IsTopLevel() const override { return true; }
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Paint() override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void CreateItems(TMenuItem* AItem, int StartIndex);
    int CalcMenuWidth();
    void SetMenuSize();
    void CalcShowPosition(TRect R, bool PopupByItem, bool PopupUp);
    // The window's shape from the skin's mask, cut to the window size.
    void SetMenuRegion();
    // Layered at the engine's alpha (or clear to fade in) before the level shows.
    void PrepareAlpha();
    void CreateMenuBackground(TBitmap& B, bool DrawClient);
    void DrawMarker(TCanvas& canvas, bool up);
    void DrawMarkersNow();
    void StartScroll();
    void StopScroll();
    int GetLastPageStart() const;
    void SelectNextItem();
    void SelectPriorItem();
    void ChangeActive(int index, bool Kb);
    bool IsShownIndex(int index) const;
    int Margin() const;

    std::unique_ptr<TTimer> FMouseTimer;
    std::unique_ptr<TTimer> FScrollTimer;
    std::unique_ptr<TskPopupFade> FFade;
};

} // namespace tovrel
