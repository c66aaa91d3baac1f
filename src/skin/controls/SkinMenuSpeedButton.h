#pragma once
// TskSkinMenuSpeedButton: a speed button that drops a skinned popup menu
// and/or an images menu under itself, shows a drop-down marker in a 15-pixel
// strip at its right edge, and stays down while its menu is open. In
// TrackButtonMode only the strip drops the menu; the rest of the button
// clicks as a plain speed button.
#include "skin/controls/SkinSpeedButton.h"
#include "skin/menus/SkinPopupMenu.h"

namespace tovrel {

enum class TskTrackPosition : std::uint8_t { sktpRight, sktpBottom };

// The width of the marker strip, and of the track part.
constexpr int kTrackStripWidth = 15;

class TskSkinMenuSpeedButton : public TskSkinSpeedButton {
public:
    explicit TskSkinMenuSpeedButton(TComponent* AOwner);

    bool NewStyle() const { return FNewStyle; }
    // True also takes the "resizetoolbutton" entry.
    void SetNewStyle(bool Value);
    TskTrackPosition TrackPosition() const { return FTrackPosition; }
    // Bottom takes effect only with NewStyle.
    void SetTrackPosition(TskTrackPosition Value);
    bool TrackButtonMode() const { return FTrackButtonMode; }
    void SetTrackButtonMode(bool Value);
    TskSkinPopupMenu* SkinPopupMenu() const { return FSkinPopupMenu; }
    void SetSkinPopupMenu(TskSkinPopupMenu* Value) { FSkinPopupMenu = Value; }
    // Also repaints the button whenever the images menu's choice changes.
    void SetSkinImagesMenu(TskSkinImagesMenu* Value);
    TskSkinImagesMenu* SkinImagesMenu() const { return FSkinImagesMenu; }
    using TskSkinSpeedButton::UseImagesMenuCaption;
    using TskSkinSpeedButton::UseImagesMenuImage;
    TNotifyEvent OnShowTrackMenu, OnHideTrackMenu;
    // The marker as an arrow of this kind (1 left, 2 right, 3 up, 4 down)
    // instead of the skin's marker.
    bool FDrawStandardArrow = false;
    int FArrowType = 4;

    // The menu dropped by this button is open.
    bool MenuTracked() const { return FMenuTracked; }
    // Whether a left press at (X, Y) drops the menu.
    bool TrackHit(int X, int Y);
    void GetSkinData() override;

protected:
    void CreateButtonImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    TRect ContentRect(const TRect& R) const override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& message) override;

private:
    // The button draws its own strip for the generic button entries.
    bool GenericEntry() const;
    bool ResizeEntry() const;
    TRect TrackRect() const;
    TRect MarkerStrip() const;
    void DropMenu();
    void MenuClosed();
    // Part of the state picture `source` stretched over `dest` of B.
    void DrawStatePart(TBitmap& B, const TRect& dest, const TRect& source);
    // The marker in `strip` in the canvas's font colour.
    void DrawMarker(TCanvas& canvas, TRect strip, bool shifted, const TRect& marker);

    bool FNewStyle = false;
    TskTrackPosition FTrackPosition = TskTrackPosition::sktpRight;
    bool FTrackButtonMode = false;
    bool FMenuTracked = false;
    TRect TrackButtonRect;
    TRect MenuMarkerRect, MenuMarkerActiveRect, MenuMarkerDownRect, MenuMarkerFlatRect;
    TColor MenuMarkerTransparentColor = 0;
    TComponentRef<TskSkinPopupMenu> FSkinPopupMenu{*this};
};

} // namespace tovrel
