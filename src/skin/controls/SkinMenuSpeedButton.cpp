#include "skin/controls/SkinMenuSpeedButton.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/Canvas.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/SkinImageBuilders.h"
#include "skin/menus/SkinImagesMenu.h"
#include "skin/menus/SkinMenuMessages.h"
#include "skin/menus/SkinPopupMenu.h"

namespace tovrel {

namespace {

TRect Moved(TRect r, int dx, int dy)
{
    return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
}

} // namespace

TskSkinMenuSpeedButton::TskSkinMenuSpeedButton(TComponent* AOwner) : TskSkinSpeedButton(AOwner)
{
    SetSkinDataName("toolmenubutton");
}

void TskSkinMenuSpeedButton::SetNewStyle(bool Value)
{
    FNewStyle = Value;
    if (Value)
        SetSkinDataName("resizetoolbutton");
}

void TskSkinMenuSpeedButton::SetTrackPosition(TskTrackPosition Value)
{
    FTrackPosition = Value;
    Repaint();
}

void TskSkinMenuSpeedButton::SetTrackButtonMode(bool Value)
{
    FTrackButtonMode = Value;
    if (FIndex == -1)
        Repaint();
}

void TskSkinMenuSpeedButton::SetSkinImagesMenu(TskSkinImagesMenu* Value)
{
    FSkinImagesMenu = Value;
    if (Value != nullptr)
        Value->OnInternalChange = [this](TObject*) { Repaint(); };
    Repaint();
}

bool TskSkinMenuSpeedButton::GenericEntry() const
{
    const std::string& name = SkinDataName();
    return name == "toolbutton" || name == "bigtoolbutton" || ResizeEntry();
}

bool TskSkinMenuSpeedButton::ResizeEntry() const
{
    return SkinDataName() == "resizebutton" || SkinDataName() == "resizetoolbutton";
}

void TskSkinMenuSpeedButton::GetSkinData()
{
    TskSkinSpeedButton::GetSkinData();
    if (FIndex == -1)
        return;
    const auto* entry = dynamic_cast<const TskDataSkinButtonControl*>(SkinData()->CtrlList[std::size_t(FIndex)].get());
    if (entry == nullptr)
        return;
    MenuMarkerRect = entry->MenuMarkerRect;
    MenuMarkerActiveRect = IsNullRect(entry->MenuMarkerActiveRect) ? MenuMarkerRect : entry->MenuMarkerActiveRect;
    MenuMarkerDownRect = IsNullRect(entry->MenuMarkerDownRect) ? MenuMarkerActiveRect : entry->MenuMarkerDownRect;
    MenuMarkerFlatRect = IsNullRect(entry->MenuMarkerFlatRect) ? MenuMarkerRect : entry->MenuMarkerFlatRect;
    MenuMarkerTransparentColor = entry->MenuMarkerTransparentColor;
    if (const auto* menuEntry = dynamic_cast<const TskDataSkinMenuButtonControl*>(entry))
        TrackButtonRect = menuEntry->TrackButtonRect;
}

TRect TskSkinMenuSpeedButton::TrackRect() const
{
    if (FIndex != -1 && !GenericEntry()) {
        if (G.ResizeMode == 2)
            return Moved(TrackButtonRect, Width() - G.SkinRect.Width(), 0);
        if (G.ResizeMode == 3)
            return Moved(TrackButtonRect, 0, Height() - G.SkinRect.Height());
        return TrackButtonRect;
    }
    return MarkerStrip();
}

TRect TskSkinMenuSpeedButton::MarkerStrip() const
{
    if (FNewStyle && FTrackPosition == TskTrackPosition::sktpBottom)
        return Rect(0, Height() - kTrackStripWidth, Width(), Height());
    return Rect(Width() - kTrackStripWidth, 0, Width(), Height());
}

bool TskSkinMenuSpeedButton::TrackHit(int X, int Y)
{
    if (FSkinPopupMenu == nullptr && FSkinImagesMenu == nullptr)
        return false;
    if (!FTrackButtonMode)
        return true;
    GetSkinData();
    return RectContainsPoint(TrackRect(), Point(X, Y));
}

TRect TskSkinMenuSpeedButton::ContentRect(const TRect& R) const
{
    if (FIndex != -1 && !GenericEntry())
        return R;
    TRect content = R;
    if (FNewStyle && FTrackPosition == TskTrackPosition::sktpBottom)
        content.Bottom = std::min(content.Bottom, Height() - kTrackStripWidth);
    else
        content.Right = std::min(content.Right, Width() - kTrackStripWidth);
    return content;
}

void TskSkinMenuSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button != mbLeft) {
        TskSkinSpeedButton::MouseDown(Button, Shift, X, Y);
        return;
    }
    FMenuTracked = TrackHit(X, Y);
    FMouseIn = true;
    if (!FMenuTracked) {
        TskSkinSpeedButton::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (!FDown)
        SetDown(true);
    DropMenu();
}

void TskSkinMenuSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // While the menu is open the release belongs to it.
    if (!FMenuTracked)
        TskSkinSpeedButton::MouseUp(Button, Shift, X, Y);
}

void TskSkinMenuSpeedButton::DropMenu()
{
    const TPoint origin = ClientToScreen(Point(0, 0));
    const TRect R = Rect(origin.X, origin.Y, origin.X + Width(), origin.Y + Height());
    bool shown = false;
    if (TskSkinPopupMenu* menu = FSkinPopupMenu) {
        if (OnShowTrackMenu)
            OnShowTrackMenu(this);
        shown = menu->PopupFromRect2(this, R, false);
    }
    if (TskSkinImagesMenu* images = FSkinImagesMenu) {
        if (OnShowTrackMenu)
            OnShowTrackMenu(this);
        images->OnInternalMenuClose = [this](TObject*) { MenuClosed(); };
        images->PopupFromRect(R);
        shown = shown || images->PopupWindow() != nullptr;
    }
    // A menu that could not open (no form to show it) would leave the button down for good.
    if (!shown && FMenuTracked)
        MenuClosed();
}

void TskSkinMenuSpeedButton::MenuClosed()
{
    FMenuTracked = false;
    SetDown(false);
    FMouseIn = false;
    if (OnHideTrackMenu)
        OnHideTrackMenu(this);
    Repaint();
}

void TskSkinMenuSpeedButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case SkinMenuClosedMessage:
        if (FMenuTracked)
            MenuClosed();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        // While the menu is open the hover only moves the flag.
        if (FMenuTracked) {
            FMouseIn = message.Msg == CM_MOUSEENTER;
            return;
        }
        break;
    default: break;
    }
    TskSkinSpeedButton::WndProc(message);
}

} // namespace tovrel
