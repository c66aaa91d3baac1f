// The menu bar's buttons of a maximized MDI child: made when a child is
// maximized, placed at both ends of the items area, enabled from the child's
// border icons, and carrying out their commands on the child.
#include "skin/forms/MenuBarMDIButton.h"

#include "platform/gdi/Blits.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/GraphicsObjects.h"
#include "skin/data/SkinFrameEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/data/SkinViewEntries.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/forms/SkinForm.h"
#include "skin/forms/SkinMDIFrame.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/menus/SkinMenu.h"

#include <array>

namespace tovrel {

namespace {

constexpr TColor kDownFill = TColor(0xB59385), kHotFill = TColor(0xD2BDB6), kHotFrame = TColor(0x800000);

// Made in this order, each put in front: the list reads system menu, close, restore, minimize.
constexpr std::array kButtonCommands = {TskStdCommand::cmMinimize, TskStdCommand::cmMaximize, TskStdCommand::cmClose,
                                        TskStdCommand::cmSysMenu};
constexpr std::array<const char*, 4> kDefaultButtonNames = {"MinButton", "MaxButton", "CloseButton", "SysMenuButton"};
constexpr int kSysMenuObject = 0, kMinimizeObject = 3;

TskSkinForm* ChildSkinForm(const TskSkinMainMenuBar& Bar)
{
    return GetSkinForm(MenuBarMaximizedChild(Bar));
}

} // namespace

TCustomForm* MenuBarMaximizedChild(const TskSkinMainMenuBar& Bar)
{
    const TskSkinForm* form = Bar.SkinForm();
    const TskSkinMDIFrame* frame = form ? GetSkinMDIFrame(form->Form()) : nullptr;
    return frame ? frame->GetMaximizedMDIChild() : nullptr;
}

TskSkinMainMenuBarButton::TskSkinMainMenuBarButton(TskSkinMainMenuBar* AParent,
                                                   const TskDataSkinMainMenuBarButton* AData)
    : TskMenuBarObject(AParent, AData), FSkinSupport(AData != nullptr)
{
    if (!AData)
        return;
    Command = AData->Command;
    DownRect = AData->DownRect;
}

void TskSkinMainMenuBarButton::Draw(TCanvas& Cnvs)
{
    if (ObjectRect.Width() <= 0 || ObjectRect.Height() <= 0)
        return;
    if (!FSkinSupport || !Picture) {
        DefaultDraw(Cnvs);
        return;
    }
    TRect source = SkinRect;
    if (FDown && FMouseIn && !IsNullRect(DownRect))
        source = DownRect;
    else if ((FMouseIn || FDown) && !IsNullRect(ActiveSkinRect))
        source = ActiveSkinRect;
    Cnvs.CopyRect(ObjectRect, Picture->Canvas(), source);
}

void TskSkinMainMenuBarButton::DefaultDraw(TCanvas& Cnvs)
{
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    TBitmap B(w, h);
    TCanvas& C = *B.Canvas();
    const TRect whole = Rect(0, 0, w, h);
    const bool pressed = FDown && FMouseIn;
    C.Brush()->SetColor(pressed || FMouseIn ? kHotFrame : clBtnShadow);
    C.FillRect(whole);
    C.Brush()->SetColor(pressed ? kDownFill : FMouseIn ? kHotFill : clBtnFace);
    C.FillRect(Rect(1, 1, w - 1, h - 1));
    const int X = w / 2 - 5 + (pressed ? 1 : 0), Y = h / 2 - 4 + (pressed ? 1 : 0);
    const COLORREF color = ColorToRGB(Enabled ? clBtnText : clBtnShadow);
    HDC dc = C.Handle();
    switch (Command) {
    case TskStdCommand::cmClose: DrawCloseImage(dc, X, Y, color); break;
    case TskStdCommand::cmMaximize: DrawRestoreImage(dc, X, Y, color); break;
    case TskStdCommand::cmMinimize: DrawMinimizeImage(dc, X, Y, color); break;
    case TskStdCommand::cmSysMenu: DrawSysMenuImage(dc, X, Y, color); break;
    default: break;
    }
    BitBlt(Cnvs.Handle(), ObjectRect.Left, ObjectRect.Top, w, h, dc, 0, 0, SRCCOPY);
}

void TskSkinMainMenuBarButton::MouseDown(int /*X*/, int /*Y*/, TMouseButton Button)
{
    if (!Enabled || Button != mbLeft || FDown)
        return;
    FDown = true;
    if (EnableMorphing() && !IsNullRect(DownRect))
        FMorphKf = 1;
    Parent->DrawObject(*this);
    // The system menu opens on the press.
    if (Command == TskStdCommand::cmSysMenu)
        ExecuteCommand();
}

void TskSkinMainMenuBarButton::MouseUp(int /*X*/, int /*Y*/, TMouseButton Button)
{
    // The system-menu button stays down until its menu closes.
    if (!Enabled || Button != mbLeft || Command == TskStdCommand::cmSysMenu)
        return;
    FDown = false;
    Parent->DrawObject(*this);
    if (EnableMorphing())
        ReDraw();
    // Released on the button: the command, which may free this button, comes last.
    if (Active)
        ExecuteCommand();
}

void TskSkinMainMenuBarButton::MouseEnter()
{
    if (FDown && (Command == TskStdCommand::cmSysMenu || EnableMorphing())) {
        FMouseIn = Active = true;
        if (Command != TskStdCommand::cmSysMenu)
            Parent->DrawObject(*this);
        return;
    }
    TskMenuBarObject::MouseEnter();
}

void TskSkinMainMenuBarButton::MouseLeave()
{
    if (FDown && (Command == TskStdCommand::cmSysMenu || EnableMorphing())) {
        FMouseIn = Active = false;
        if (Command == TskStdCommand::cmSysMenu) {
            if (EnableMorphing())
                FMorphKf = 1;
        } else {
            Parent->DrawObject(*this);
        }
        return;
    }
    TskMenuBarObject::MouseLeave();
}

void TskSkinMainMenuBarButton::DblClick()
{
    TCustomForm* child = MenuBarMaximizedChild(*Parent);
    if (Command != TskStdCommand::cmSysMenu || !child)
        return;
    if (TskSkinForm* form = Parent->SkinForm(); form && form->SkinMenu()) {
        form->SkinMenu()->Hide();
        form->SkinMenuClose();
    }
    child->Close();
}

void TskSkinMainMenuBarButton::ExecuteCommand()
{
    TCustomForm* child = MenuBarMaximizedChild(*Parent);
    TskSkinForm* childForm = GetSkinForm(child);
    if (!child)
        return;
    switch (Command) {
    case TskStdCommand::cmClose: child->Close(); break;
    case TskStdCommand::cmMaximize:
        if (childForm)
            childForm->ApplyWindowState(wsNormal);
        break;
    case TskStdCommand::cmMinimize:
        if (childForm)
            childForm->ApplyWindowState(wsMinimized);
        break;
    case TskStdCommand::cmSysMenu: {
        TskSkinMainMenuBar* bar = Parent;
        TskSkinForm* form = bar->SkinForm();
        if (!form || !form->SkinMenu() || !childForm)
            break;
        bar->Repaint();
        const TPoint topLeft = bar->ClientToScreen(Point(ObjectRect.Left, ObjectRect.Top));
        const TRect r = Bounds(topLeft.X, topLeft.Y, ObjectRect.Width(), ObjectRect.Height());
        form->SkinMenuOpen();
        form->SkinMenu()->Popup(bar, form->MenusSkinData() ? form->MenusSkinData() : form->SkinData(), 0, r,
                                childForm->GetSystemMenuItems(), bar->PopupToUp);
        break;
    }
    default: break;
    }
}

// ---- the bar's side ----

void TskSkinMainMenuBar::MDIChildMaximize()
{
    if (FMDIChildMax)
        return;
    FMDIChildMax = true;
    OldActiveObject = ActiveObject = MouseCaptureObject = -1;
    CreateButtons();
    if (const TskSkinForm* child = ChildSkinForm(*this))
        CheckButtons(child->BorderIcons());
    Repaint();
}

void TskSkinMainMenuBar::MDIChildRestore()
{
    if (const TskSkinForm* child = ChildSkinForm(*this)) {
        CheckButtons(child->BorderIcons());
    } else if (FMDIChildMax) {
        FMDIChildMax = false;
        DeleteButtons();
        Repaint();
    }
}

void TskSkinMainMenuBar::CreateButtons()
{
    ButtonsCount = 0;
    const auto* bar = dynamic_cast<const TskDataSkinMainMenuBar*>(BarEntry());
    TskSkinData* skin = SkinData();
    for (std::size_t i = 0; i < kButtonCommands.size(); ++i) {
        const std::string name =
            !bar ? kDefaultButtonNames[i]
                 : std::array{bar->MinButton, bar->MaxButton, bar->CloseButton, bar->SysMenuButton}[i];
        const TskDataSkinMainMenuBarButton* data = nullptr;
        if (skin && !skin->Empty)
            if (const int index = skin->GetIndex(name); index != -1)
                data = dynamic_cast<const TskDataSkinMainMenuBarButton*>(skin->ObjectList[std::size_t(index)].get());
        auto button = std::make_unique<TskSkinMainMenuBarButton>(this, data);
        // A button the skin lacks keeps the command of its place, not a second Close.
        if (!data)
            button->Command = kButtonCommands[i];
        button->IDName = name;
        ObjectList.insert(ObjectList.begin(), std::move(button));
        ++ButtonsCount;
    }
}

void TskSkinMainMenuBar::DeleteButtons()
{
    for (; ButtonsCount > 0 && !ObjectList.empty(); --ButtonsCount) {
        ActiveObject = MouseCaptureObject = -1;
        ObjectList.erase(ObjectList.begin());
    }
    ButtonsCount = 0;
}

void TskSkinMainMenuBar::CheckButtons(TskBorderIcons BorderIcons)
{
    for (int i = 0; i < ButtonsCount; ++i)
        ObjectList[std::size_t(i)]->Enabled = true;
    if (ButtonsCount != 4)
        return;
    if (!BorderIcons.Contains(TskBorderIcon::biMinimize))
        ObjectList[kMinimizeObject]->Enabled = false;
    if (!BorderIcons.Contains(TskBorderIcon::biSystemMenu))
        ObjectList[kSysMenuObject]->Enabled = false;
}

void TskSkinMainMenuBar::PlaceMDIButtons()
{
    if (!FMDIChildMax || ButtonsCount != 4)
        return;
    const int itemsHeight = NewItemsRect.Height();
    auto place = [&](TskMenuBarObject& button, bool AtLeft) {
        const auto* own = dynamic_cast<TskSkinMainMenuBarButton*>(&button);
        const bool skinned = own && own->FSkinSupport;
        const int w = skinned ? button.SkinRect.Width() : itemsHeight;
        const int h = skinned ? button.SkinRect.Height() : itemsHeight;
        const int top = skinned ? NewItemsRect.Top + itemsHeight / 2 - h / 2 : NewItemsRect.Top;
        const int left = AtLeft ? NewItemsRect.Left : NewItemsRect.Right - w;
        button.ObjectRect = Bounds(left, top, w, h);
        (AtLeft ? NewItemsRect.Left : NewItemsRect.Right) += AtLeft ? w + 2 : -(w + 2);
    };
    place(*ObjectList[0], true);
    for (std::size_t i = 1; i < 4; ++i)
        place(*ObjectList[i], false);
}

void TskSkinMainMenuBar::SkinMenuClosed()
{
    for (int i = 0; i < ButtonsCount && i < ItemCount(); ++i) {
        auto* button = dynamic_cast<TskSkinMainMenuBarButton*>(ObjectList[std::size_t(i)].get());
        if (!button || button->Command != TskStdCommand::cmSysMenu || !button->FDown)
            continue;
        button->FDown = false;
        if (i != ActiveObject)
            button->Active = button->FMouseIn = false;
        button->ReDraw();
    }
}

} // namespace tovrel
