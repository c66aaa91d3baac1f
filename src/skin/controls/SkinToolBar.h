#pragma once
// TskSkinToolBar: a skinned panel that holds tool buttons. It hands its skin,
// image lists, caption and flat settings down to its speed buttons, centres
// its other children vertically and, when its buttons are wider than the bar
// (CanScroll), scrolls them sideways with two 12-pixel buttons drawn in its
// non-client area, by click or, with HotScroll, by resting the pointer on one.
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinPanel.h"

namespace tovrel {

class TskDataSkinButtonControl;

// The scroll buttons' hit codes.
constexpr LRESULT HTSCROLLLEFT = 119, HTSCROLLRIGHT = 120;
constexpr int kToolBarScrollButtonWidth = 12;

class TskSkinToolBar : public TskSkinPanel {
public:
    explicit TskSkinToolBar(TComponent* AOwner);
    ~TskSkinToolBar() override;

    // Re-bound the children with the bar and centre the plain ones.
    bool AdjustControls = true;
    bool CanScroll() const { return FCanScroll; }
    void SetCanScroll(bool Value);
    bool HotScroll = false;
    int ScrollOffset() const { return FScrollOffset; }
    // Pixels per step, 0 = the client width; negative values are refused.
    void SetScrollOffset(int Value);
    int ScrollTimerInterval() const { return FScrollTimerInterval; }
    // Values of 0 or less are refused.
    void SetScrollTimerInterval(int Value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool Value);
    bool AutoShowHideCaptions = false;
    int WidthWithCaptions = 0, WidthWithoutCaptions = 0;
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TCustomImageList* HotImages() const { return FHotImages; }
    void SetHotImages(TCustomImageList* Value) { FHotImages = Value; }
    TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* Value) { FDisabledImages = Value; }

    // Also to every speed button and skinned bevel on the bar.
    void SetSkinData(TskSkinData* Value) override;
    void GetSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& Rect) const override;

    // Shows the scroll buttons when the children are wider than the bar, hides
    // them when they fit (the content back at offset 0).
    void UpdateScrollState();
    // One step right (true) or left; stops the scroll timer when nothing moves.
    void ScrollStep(bool Right);
    // Tops of the children that are no skinned controls, centred in the client area.
    void CenterControls();

    // Scroll state, for tests and the gallery.
    bool ScrollButtonsVisible() const { return FButtons[0].Visible; }
    int ScrollPosition() const { return SPosition; }
    int ScrollMax() const { return SMax; }
    int ScrollPage() const { return SPage; }
    // 0 idle, 1 scrolling left, 2 right.
    int TimerMode() const { return FTimerMode; }
    bool ScrollButtonLit(int Index) const { return FButtons[Index].MouseIn; }

protected:
    void CreateControlSkinImage(TBitmap& B) override;
    void WndProc(TMessage& Message) override;

private:
    struct TScrollButton {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
        bool Visible = false;
    };
    void SetScrollButtonsVisible(bool Value);
    void DrawScrollButtons();
    void DrawScrollButton(TCanvas& Canvas, int Index);
    void StartScrollTimer();
    void StopScrollTimer();
    // Lights one scroll button (0 or 1), or none with -1.
    void LightButton(int Index);
    bool HandleNonClient(TMessage& Message);
    // The speed buttons on the bar.
    template <class F> void ForEachSpeedButton(F&& f);

    bool FCanScroll = false;
    int FScrollOffset = 0;
    int FScrollTimerInterval = 50;
    bool FShowCaptions = false;
    bool FFlat = false;
    TComponentRef<TCustomImageList> FImages{*this};
    TComponentRef<TCustomImageList> FHotImages{*this};
    TComponentRef<TCustomImageList> FDisabledImages{*this};
    TScrollButton FButtons[2];
    int FTimerMode = 0;
    int SMax = 0, SPosition = 0, SPage = 0, SOldPosition = 0;
    int FHSizeOffset = 0;
    const TskDataSkinButtonControl* ButtonData = nullptr;
};

} // namespace tovrel
