#pragma once
// TApplication (the message loop, ProcessMessages, the main form, the error
// box for exceptions leaving event handlers) and TScreen (the forms in
// activation order, the active form and control, the screen's size).
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/HintWindow.h"
#include "platform/vcl/Timer.h"

#include <exception>
#include <vector>

namespace tovrel {

using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;
using TExceptionEvent = std::function<void(TObject* sender, const std::exception& error)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    std::string Title = "Tovrel";
    // Shown by every form whose own icon is empty (FormIcon.cpp).
    TIcon* Icon() const { return icon_.get(); }
    std::string HelpFile;
    // A hidden top-level window standing for the application (made on demand).
    HWND Handle();
    TCustomForm* MainForm() const { return mainForm_; }
    bool Terminated() const { return terminated_; }
    bool ShowMainForm = true;

    // Makes the form (owned by the application), fires its OnCreate; the
    // first form made becomes the main form.
    template <class T> void CreateForm(T*& reference)
    {
        reference = new T(this);
        if (!mainForm_)
            mainForm_ = reference;
        reference->DoCreate();
    }
    void Initialize() {}
    // Shows the main form and runs the message loop until Terminate or the
    // main form closes.
    void Run();
    // Handles every waiting message, then returns.
    void ProcessMessages();
    void Terminate();
    // Every shown top-level form minimised / restored (the most recently
    // active one restored last, so it stays active).
    void Minimize();
    void Restore();
    // OnException, or the plain error box with the exception's message.
    void HandleException(const std::exception& error);
    void ShowException(const std::exception& error);
    // The plain message box, captioned with Title when caption is empty.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    // Sees every message retrieved for the application first, in its own loop
    // and in the nested ones (modal forms, the plain popup menu, moving and
    // sizing); `handled` keeps it from its window.
    TMessageEvent OnMessage;
    TExceptionEvent OnException;

    // Hints: after HintPause (HintShortPause right after another hint) over a
    // control with ShowHint and a hint, OnShowHint may change or refuse it,
    // then the hint window shows it below the cursor for HintHidePause. A key
    // or button press cancels a shown or pending hint.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    // Makes the hint window; the next hint uses a window of the new class.
    void SetHintWindowClass(THintWindowClass windowClass);
    THintWindow* HintWindow() const { return hintWindow_; }
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    TColor HintColor = clInfoBk;
    TShowHintEvent OnShowHint;
    void CancelHint();

private:
    bool HandleMessage(MSG& msg);
    // What the application does with a retrieved message before its window
    // gets it, in every loop; true when handled.
    bool PreProcessMessage(MSG& msg);
    void MouseControlChanged(TControl* control);
    void HintTimerFired();
    void ShowHintNow();
    void HideHint();

    TComponentRef<TCustomForm> mainForm_{*this};
    bool terminated_ = false;
    bool showHint_ = true;
    THintWindowClass hintWindowClass_;
    TComponentRef<THintWindow> hintWindow_{*this, [this] { hintShown_ = false; }};
    TComponentRef<TTimer> hintTimer_{*this};
    TControl* hintControl_ = nullptr;
    bool hintShown_ = false;
    std::uint32_t hintHiddenAt_ = 0;
    HWND handle_ = nullptr;
    std::unique_ptr<TIcon> icon_;
};

struct TScreenMonitor {
    HMONITOR Handle = nullptr;
    TRect BoundsRect;
    TRect WorkareaRect;
    bool Primary = false;
};

class TScreen : public TComponent {
public:
    TScreen() : TComponent(nullptr) {}

    // Most recently activated first; new forms at the end.
    int FormCount() const { return int(forms_.size()); }
    TCustomForm* Forms(int index) const;
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int MonitorCount() const;
    TScreenMonitor Monitors(int index) const;
    // The monitor a window is on (the nearest one).
    TScreenMonitor MonitorFromWindow(HWND hwnd) const;
    // A cursor other than crDefault overrides every control's (crHourGlass
    // while busy); setting it shows it at once.
    TCursor Cursor() const { return ScreenCursor(); }
    void SetCursor(TCursor cursor);

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void FormActivated(TCustomForm* form);

private:
    std::vector<TCustomForm*> forms_;
};

// The mouse as the framework's Mouse object shows it.
class TMouse {
public:
    TPoint CursorPos() const;
    void SetCursorPos(TPoint screen);
    // The window holding the mouse capture, or null.
    HWND Capture() const;
    int WheelScrollLines() const { return 3; }
};

// The control whose window is under a screen point (the window's own
// control, or the nearest parent that has one), or null.
TWinControl* FindVCLWindow(TPoint screen);

extern TApplication* Application;
extern TScreen* Screen;
extern TMouse* Mouse;

} // namespace tovrel
