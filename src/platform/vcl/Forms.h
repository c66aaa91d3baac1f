#pragma once
// TCustomForm/TForm: a top-level window with the framework's form rules:
// border styles, position on first show, close with OnCloseQuery/OnClose and
// the close actions, modal showing with ModalResult, key preview, the active
// control, dialog keys (Tab and arrows move the focus; others go to the
// children, where default and cancel buttons answer), and Release (freed
// after the message being handled).
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/Menus.h"

namespace tovrel {

class TIcon;
class TMenuBar;

enum TFormBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : std::uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle : std::uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition : std::uint8_t {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
enum TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
                       mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TShortCutEvent = std::function<void(WORD key, TShiftState shift, bool& handled)>;

// Posted to a modal form whose ModalResult was set, so the loop ends after
// the message being handled.
constexpr UINT CM_CLOSEMODAL = CM_BASE + 200;

class TCustomForm : public TCustomControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Fires OnCreate; TApplication::CreateForm calls it once the form is built.
    void DoCreate();

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons = {biSystemMenu, biMinimize, biMaximize};
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TPosition Position = poDesigned;
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    bool KeyPreview = false;
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // The plain bar showing Menu in the frame (null without a menu).
    TMenuBar* MenuBar() const { return menuBar_.get(); }
    // OnShortCut, then the menu's shortcuts.
    bool IsShortCut(WORD key, TShiftState shift) override;

    // The form's icon; while it is empty the window shows the application's
    // (FormIcon.cpp). UpdateIcon sends the one to show to the window.
    TIcon* Icon() const { return icon_.get(); }
    void UpdateIcon();

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    bool Active() const;
    bool Modal() const { return modal_; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result);

    // Makes the window first, so the frame is known.
    void SetClientSize(int width, int height) override;

    void Show();
    void Close();
    bool CloseQuery();
    // Shows the form, disables the other windows and returns when ModalResult
    // is set (or the form is closed: mrCancel). A visible or disabled form
    // raises EInvalidOperation.
    TModalResult ShowModal();
    // Frees the form once the message being handled is done.
    void Release();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

    void WndProc(TMessage& message) override;

protected:
    // A form given a parent is a child window of it (with its own frame).
    bool IsTopLevel() const override { return Parent() == nullptr; }
    bool WantsKeyPreview() const override { return KeyPreview; }
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Paint() override;
    virtual void DoClose(TCloseAction& action);
    void ApplyPosition();

private:
    void HandleDialogKey(TMessage& message);
    void CloseModal();

    TFormBorderStyle borderStyle_ = bsSizeable;
    TFormStyle formStyle_ = fsNormal;
    TWinControl* activeControl_ = nullptr;
    TComponentRef<TMainMenu> menu_{*this, [this] { SetMenu(nullptr); }};
    std::unique_ptr<TMenuBar> menuBar_;
    std::unique_ptr<TIcon> icon_;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool positioned_ = false;
    bool releasing_ = false;
    TWindowState windowState_ = wsNormal;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

// The form a control sits on, or null.
TCustomForm* GetParentForm(TControl* control);

} // namespace tovrel
