#pragma once
// The office-style list: titled entries with pictures, group headers, its
// own skinned scroll bar while the entries are taller than the list, and
// mouse and key selection. The popup variant is the office combo box's
// drop-down: a tool window that never takes the activation.
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinOfficeItems.h"

#include <functional>
#include <memory>

namespace tovrel {

class TskSkinScrollBar;
class TskDataSkinListBox;

// Replaces the drawing of an entry's title, picture and caption.
using TskDrawSkinOfficeItemEvent = std::function<void(TCanvas& Cnvs, int Index, TRect TextRct)>;

class TskSkinOfficeListBox : public TskSkinCustomControl {
public:
    explicit TskSkinOfficeListBox(TComponent* AOwner);
    ~TskSkinOfficeListBox() override;

    TskSkinOfficeItems* Items() const { return FItems.get(); }
    // Copies the given collection.
    void SetItems(const TskSkinOfficeItems* Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value) { FImages = Value; }
    int ItemHeight() const { return FItemHeight; }
    // Values below 1 are refused: page sizes and heights divide by it.
    void SetItemHeight(int Value);
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int Value);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool Value);
    bool ShowItemTitles() const { return FShowItemTitles; }
    void SetShowItemTitles(bool Value);
    int ItemIndex() const { return FItemIndex; }
    // Marks the entry, scrolls to it and fires the entry's OnClick and then
    // OnItemClick, also for the index it already has. An index at or past
    // the entries raises EListError and changes nothing.
    void SetItemIndex(int Value);

    bool MouseMoveChangeIndex = false;
    TskDrawSkinOfficeItemEvent OnDrawItem;
    TNotifyEvent OnItemClick;

    void CalcItemRects();
    // The control height that shows AItemsCount normal entries.
    int CalcHeight(int AItemsCount);
    // The enabled entry under the point (headers included); -1 when none.
    int ItemAtPos(int X, int Y) const;
    void ScrollToItem(int Index);
    void Scroll(int AScrollOffset);
    void GetScrollInfo(int& AMin, int& AMax, int& APosition, int& APage);
    void UpdateScrollInfo();
    // Makes the entry current (index and mark) without events.
    void SetItemActive(int Index);
    void FindUp();
    void FindDown();
    void FindPageUp();
    void FindPageDown();

    TskSkinScrollBar* ScrollBar() const { return FScrollBar; }
    int ScrollOffset() const { return FScrollOffset; }
    const TRect& ItemsRect() const { return FItemsRect; }
    TColor DisabledFontColor() const { return FDisabledFontColor; }

    void ChangeSkinData() override;

protected:
    void WndProc(TMessage& message) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    friend class TskSkinOfficeItems;
    int Count() const { return FItems->Count(); }
    TskSkinOfficeItem& Item(int i) const { return *FItems->Items(i); }
    void MarkActive(int Index);
    // The frame's inside: (2, 2, W-2, H-2) without an entry, the skin client otherwise.
    TRect FrameClientRect() const;
    void ShowScrollbar();
    void HideScrollBar();
    void AdjustScrollBar();
    void WheelNotch(int Delta);
    void SizeChanged();
    int PageRows() const;
    int FindPage(int From, int To);

    void PaintItems(TCanvas& C);
    void DrawItem(int Index, TCanvas& C);
    void DefaultDrawItem(int Index, TCanvas& C);
    void SkinDrawItem(int Index, TCanvas& C);
    void SkinDrawHeaderItem(int Index, TCanvas& C);
    void SetSkinItemFont(TCanvas& C, const TskDataSkinListBox& entry) const;
    // Title, then picture and caption (or the caption alone) in R.
    void DrawItemContent(int Index, TCanvas& C, TRect R, bool WrapOnly);

    std::unique_ptr<TskSkinOfficeItems> FItems;
    TComponentRef<TCustomImageList> FImages{*this};
    TColor FDisabledFontColor = TColor(0x808080);
    bool FShowLines = false;
    bool FMouseDown = false;
    int FMouseActive = -1;
    int FMax = 0;
    int FRealMax = 0;
    TRect FItemsRect;
    int FScrollOffset = 0;
    bool FShowItemTitles = true;
    int FItemHeight = 30;
    int FHeaderHeight = 20;
    int FOldHeight = -1;
    TskSkinScrollBar* FScrollBar = nullptr;
    int FItemIndex = -1;
};

// The drop-down of the office combo box: a tool window shown at a screen
// point without activation. Where layered windows reach the screen it takes
// the box's opacity and fades in on its window timer 1 (every 10 ms a
// fifteenth of the opacity); Show never waits for the fade.
class TskPopupOfficeListBox : public TskSkinOfficeListBox {
public:
    explicit TskPopupOfficeListBox(TComponent* AOwner);

    void Show(TPoint Origin);
    void Hide();
    // The opacity the fade-in has reached; 255 when not layered.
    BYTE FadeAlpha() const { return FFadeAlpha; }

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    bool IsTopLevel() const override { return true; }

private:
    // Applies the owning box's alpha settings; true when a fade-in follows.
    bool ApplyAlpha();
    void FadeStep();

    bool FOldAlphaBlend = false;
    BYTE FOldAlphaBlendValue = 0;
    BYTE FFadeAlpha = 255;
    BYTE FFadeTarget = 255;
};

} // namespace tovrel
