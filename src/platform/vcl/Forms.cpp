#include "platform/vcl/Forms.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/MenuBar.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/ModalLoop.h"
#include "platform/wm/Monitors.h"
#include "platform/wm/WindowPos.h"

#include <vector>

namespace tovrel {

TCustomForm* GetParentForm(TControl* control)
{
    return dynamic_cast<TCustomForm*>(GetParentTopLevel(control));
}

namespace {

// Top-level forms other than the main form are owned by its window: they have
// no task bar entry of their own and stay above it.
HWND MainFormWindowFor(const TCustomForm* form)
{
    TCustomForm* main = Application->MainForm();
    return main && main != form && !main->Parent() && main->HandleAllocated() ? main->Handle() : nullptr;
}

// Hands the top-level form windows owned by `from` to `to`.
void ReownFormWindows(const TCustomForm* except, HWND from, HWND to)
{
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form != except && !form->Parent() && form->HandleAllocated() && GetWindow(form->Handle(), GW_OWNER) == from)
            SetWindowLongPtr(form->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(to));
    }
}

} // namespace

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner), icon_(std::make_unique<TIcon>())
{
    icon_->OnChange = [this](TObject*) { UpdateIcon(); };
    SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    if (OnDestroy)
        OnDestroy(this);
    Screen->RemoveForm(this);
}

void TCustomForm::CreateWnd()
{
    TCustomControl::CreateWnd();
    UpdateIcon();
    // Forms whose windows were made first, or outlived an older main window.
    if (Application->MainForm() == this && !Parent())
        ReownFormWindows(this, nullptr, Handle());
}

void TCustomForm::DestroyWnd()
{
    // Destroying a window destroys the windows it owns: the other forms keep theirs
    // when the main form's window is made again.
    if (HandleAllocated() && !Parent())
        ReownFormWindows(this, Handle(), nullptr);
    TCustomControl::DestroyWnd();
}

void TCustomForm::DoCreate()
{
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::SetMenu(TMainMenu* menu)
{
    menu_ = menu;
    menuBar_ = menu ? std::make_unique<TMenuBar>(*this, *menu) : nullptr;
    if (menuBar_)
        menuBar_->MenuChanged();
    else
        NonClientChanged();
}

bool TCustomForm::IsShortCut(WORD key, TShiftState shift)
{
    if (menuBar_ && menuBar_->DropDownKey(key))
        return true;
    bool handled = false;
    if (OnShortCut)
        OnShortCut(key, shift, handled);
    return handled || (menu_ && menu_->IsShortCut(key, shift));
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style)
{
    if (borderStyle_ == style)
        return;
    borderStyle_ = style;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle style)
{
    if (formStyle_ == style)
        return;
    formStyle_ = style;
    if (HandleAllocated())
        SetWindowPos(Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN;
    params.ExStyle = 0;
    switch (borderStyle_) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle: params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (borderStyle_ != bsNone && BorderIcons.Contains(biSystemMenu))
        params.Style |= WS_SYSMENU;
    if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
        if (BorderIcons.Contains(biMinimize))
            params.Style |= WS_MINIMIZEBOX;
        if (BorderIcons.Contains(biMaximize))
            params.Style |= WS_MAXIMIZEBOX;
    }
    if (formStyle_ == fsStayOnTop)
        params.ExStyle |= WS_EX_TOPMOST;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    params.WndParent = MainFormWindowFor(this);
    if (Parent()) {
        params.Style = (params.Style & ~DWORD(WS_POPUP)) | WS_CHILD | WS_CLIPSIBLINGS;
        params.ExStyle &= ~DWORD(WS_EX_TOPMOST);
        params.WndParent = Parent()->HandleAllocated() ? Parent()->Handle() : nullptr;
    }
    if (Visible() && Parent())
        params.Style |= WS_VISIBLE;
}

TWindowState TCustomForm::WindowState() const
{
    if (!HandleAllocated())
        return windowState_;
    HWND handle = const_cast<TCustomForm*>(this)->Handle();
    return IsIconic(handle) ? wsMinimized : IsZoomed(handle) ? wsMaximized : wsNormal;
}

void TCustomForm::SetWindowState(TWindowState state)
{
    windowState_ = state;
    if (HandleAllocated() && Visible())
        ShowWindow(Handle(), state == wsMinimized ? SW_MINIMIZE : state == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void TCustomForm::Paint()
{
    if (OnPaint)
        OnPaint(this);
}

void TCustomForm::ApplyPosition()
{
    if (positioned_ || Parent())
        return;
    positioned_ = true;
    TRect area;
    if (Position == poScreenCenter || Position == poDesktopCenter) {
        SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    } else if (Position == poMainFormCenter || Position == poOwnerFormCenter) {
        TCustomForm* centre = Position == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
        if (!centre)
            centre = Application->MainForm();
        if (!centre || centre == this || !centre->HandleAllocated())
            SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
        else
            GetWindowRect(centre->Handle(), &area);
    } else {
        return;
    }
    SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(), Height());
}

bool TCustomForm::Active() const
{
    return HandleAllocated() && GetActiveWindow() == const_cast<TCustomForm*>(this)->Handle();
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control && (control == this || !ContainsControl(control)))
        throw EInvalidOperation("Invalid active control");
    activeControl_ = control;
    if (control && Active() && control->CanFocus())
        control->SetFocus();
}

void TCustomForm::SetModalResult(TModalResult result)
{
    modalResult_ = result;
    if (modal_ && result != mrNone && HandleAllocated())
        PostMessage(Handle(), CM_CLOSEMODAL, 0, 0);
}

void TCustomForm::SetClientSize(int width, int height)
{
    HandleNeeded();
    TCustomControl::SetClientSize(width, height);
}

void TCustomForm::Show()
{
    SetVisible(true);
    if (HandleAllocated())
        SetActiveWindow(Handle());
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

void TCustomForm::Close()
{
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = Application->MainForm() == this ? caFree : caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        if (action != caFree)
            Hide();
        return;
    }
    if (action == caHide)
        Hide();
    else if (action == caMinimize && HandleAllocated())
        ShowWindow(Handle(), SW_MINIMIZE);
    else if (action == caFree)
        Release();
}

void TCustomForm::CloseModal()
{
    if (!modal_ || modalResult_ == mrNone)
        return;
    TCloseAction action = CloseQuery() ? caHide : caNone;
    if (action != caNone)
        DoClose(action);
    if (action == caNone) {
        modalResult_ = mrNone;
        return;
    }
    EndModalLoop(Handle(), modalResult_);
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || modal_)
        throw EInvalidOperation("Cannot make a visible window modal");
    modalResult_ = mrNone;
    HandleNeeded();
    ApplyPosition();
    modal_ = true;
    HWND handle = Handle();
    // The other windows are disabled before OnShow runs, as the loop keeps them.
    std::vector<HWND> disabled;
    EnumWindows(
        [](HWND hwnd, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return BOOL(1);
        },
        ToLParam(&disabled));
    std::erase_if(disabled, [handle](HWND hwnd) { return hwnd == handle || !IsWindowEnabled(hwnd); });
    for (HWND hwnd : disabled)
        EnableWindow(hwnd, 0);
    SetVisible(true);
    RunModalLoop(handle);
    modal_ = false;
    for (HWND hwnd : disabled)
        if (IsWindow(hwnd))
            EnableWindow(hwnd, 1);
    if (IsWindow(handle))
        Hide();
    return modalResult_ == mrNone ? mrCancel : modalResult_;
}

void TCustomForm::Release()
{
    if (releasing_)
        return;
    releasing_ = true;
    PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::HandleDialogKey(TMessage& message)
{
    if (GetKeyState(VK_MENU) < 0) {
        Broadcast(message);
        return;
    }
    const WORD key = WORD(message.WParam);
    if (key == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
        SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
        message.Result = 1;
        return;
    }
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
        if (activeControl_ && activeControl_->Parent()) {
            activeControl_->Parent()->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
            message.Result = 1;
        }
        return;
    }
    Broadcast(message);
}

void TCustomForm::WndProc(TMessage& message)
{
    if (menuBar_ && menuBar_->FormMessage(message, [this](TMessage& m) { TCustomControl::WndProc(m); }))
        return;
    switch (message.Msg) {
    case WM_CLOSE: Close(); return;
    case CM_CLOSEMODAL: CloseModal(); return;
    case CM_DIALOGKEY: HandleDialogKey(message); return;
    case CM_CONTROLCHANGE: {
        auto* removed = reinterpret_cast<TControl*>(message.WParam);
        auto* removedWindow = dynamic_cast<TWinControl*>(removed);
        if (message.LParam == 0 && activeControl_ && removedWindow && removedWindow->ContainsControl(activeControl_))
            activeControl_ = nullptr;
        break;
    }
    case CM_FOCUSCHANGED:
        activeControl_ = reinterpret_cast<TWinControl*>(message.LParam);
        if (activeControl_ == this)
            activeControl_ = nullptr;
        break;
    case CM_VISIBLECHANGED:
        if (Visible()) {
            HandleNeeded();
            ApplyPosition();
            if (OnShow)
                OnShow(this);
            if (Parent())
                ShowWindow(Handle(), SW_SHOWNA);
            else if (!modal_)
                ShowWindow(Handle(), windowState_ == wsMinimized   ? SW_SHOWMINIMIZED
                                     : windowState_ == wsMaximized ? SW_SHOWMAXIMIZED
                                                                   : SW_SHOW);
        } else {
            if (OnHide)
                OnHide(this);
            if (HandleAllocated())
                ShowWindow(Handle(), SW_HIDE);
        }
        return;
    case WM_ACTIVATE:
        if (LOWORD(message.WParam) != WA_INACTIVE) {
            Screen->FormActivated(this);
            if (OnActivate)
                OnActivate(this);
            if (activeControl_ && activeControl_->CanFocus()) {
                activeControl_->SetFocus();
                message.Result = 0;
                return;
            }
        } else if (OnDeactivate) {
            OnDeactivate(this);
        }
        break;
    default: break;
    }
    TCustomControl::WndProc(message);
}

} // namespace tovrel
