#pragma once
// A container whose children scroll under two external skinned scroll bars.
// The bars belong to someone else (usually the same parent); the box shows
// and hides them, sets their ranges from the extent of its visible children,
// and moves the children when a bar moves. The frame lives in the non-client
// area ("scrollbox" entry, or a one-pixel frame), and the client area is
// filled with the skin's client piece or a whole skin picture.
#include "platform/vcl/ComponentRef.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"

namespace tovrel {

class TskSkinScrollBox : public TskSkinCustomControl {
public:
    explicit TskSkinScrollBox(TComponent* AOwner);
    ~TskSkinScrollBox() override;

    TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    // Hooks the bar's change events, hides it until the content needs it.
    void SetVScrollBar(TskSkinScrollBar* Value);
    TskSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TskSkinScrollBar* Value);
    TskSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    // Recreates the window, which recomputes the frame.
    void SetBorderStyle(TskSkinBorderStyle Value);
    bool CanFocused = false;

    // Both bars' ranges and visibility from the children.
    void UpDateScrollRange();
    void GetHRange();
    void GetVRange();
    // Scrolls to APosition; nothing without a scrolling range.
    void HScroll(int APosition);
    void VScroll(int APosition);

    void AdjustClientRect(TRect& R) const override;
    void GetSkinData() override;
    void ChangeSkinData() override;

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void WndProc(TMessage& message) override;

private:
    // One direction's bookkeeping; the vertical and horizontal updates share it.
    struct TAxis {
        TskSkinScrollBar* Bar = nullptr;
        int OldPos = 0;
        int SizeOffset = 0;
    };
    void AttachBar(TskSkinScrollBar* Bar, bool Vertical);
    void DetachBar(TskSkinScrollBar* Bar);
    void GetRange(bool Vertical);
    void Resized();
    // Moves every child by d along the axis (positive: down or right).
    void MoveChildren(bool Vertical, int d);
    void BarChanged(bool Vertical);
    void SetBarVisible(TskSkinScrollBar* Bar, bool Visible);
    TAxis& Axis(bool Vertical) { return Vertical ? FV : FH; }
    bool HasFrame() const;
    void PaintFrame(HDC dc);
    void NcCalcSize(TMessage& message);

    TComponentRef<TskSkinScrollBar> FVScrollBar{*this, [this] { FV.Bar = nullptr; }};
    TComponentRef<TskSkinScrollBar> FHScrollBar{*this, [this] { FH.Bar = nullptr; }};
    TAxis FV, FH;
    bool FInCheckScrollBars = false;
    TSize FLastSize{};
    TskSkinBorderStyle FBorderStyle = TskSkinBorderStyle::bvFrame;
    int BGPictureIndex = -1;
};

} // namespace tovrel
