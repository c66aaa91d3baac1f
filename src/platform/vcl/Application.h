#pragma once
// TApplication (the message loop, ProcessMessages, the main form, the error
// box for exceptions leaving event handlers) and TScreen (the forms in
// activation order, the active form and control, the screen's size).
#include "platform/vcl/Forms.h"

#include <exception>
#include <vector>

namespace tovrel {

using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;
using TExceptionEvent = std::function<void(TObject* sender, const std::exception& error)>;

class TApplication : public TComponent {
public:
    TApplication();

    std::string Title = "Tovrel";
    TCustomForm* MainForm() const { return mainForm_; }
    bool Terminated() const { return terminated_; }
    bool ShowMainForm = true;

    // Makes the form (owned by the application), fires its OnCreate; the
    // first form made becomes the main form.
    template <class T>
    void CreateForm(T*& reference)
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
    // OnException, or the plain error box with the exception's message.
    void HandleException(const std::exception& error);
    void ShowException(const std::exception& error);
    // The plain message box, captioned with Title when caption is empty.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    TMessageEvent OnMessage;
    TExceptionEvent OnException;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool HandleMessage(MSG& msg);
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
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
    TCursor Cursor = crDefault;

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void FormActivated(TCustomForm* form);

private:
    std::vector<TCustomForm*> forms_;
};

extern TApplication* Application;
extern TScreen* Screen;

} // namespace tovrel
