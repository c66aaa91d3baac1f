#include "platform/vcl/Application.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/MessageBox.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"

#include <algorithm>

namespace tovrel {

TApplication* Application = new TApplication;
TScreen* Screen = new TScreen;

TApplication::TApplication() : TComponent(nullptr)
{
    SetMessageExceptionHandler([this](const std::exception& error) { HandleException(error); });
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == mainForm_)
        mainForm_ = nullptr;
}

bool TApplication::HandleMessage(MSG& msg)
{
    bool handled = false;
    if (OnMessage)
        OnMessage(msg, handled);
    if (!handled) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return true;
}

void TApplication::Run()
{
    terminated_ = false;
    if (mainForm_ && ShowMainForm)
        mainForm_->Show();
    MSG msg;
    while (!terminated_) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            terminated_ = true;
            break;
        }
        HandleMessage(msg);
    }
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            return;
        }
        HandleMessage(msg);
    }
}

void TApplication::Terminate()
{
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::HandleException(const std::exception& error)
{
    if (OnException)
        OnException(this, error);
    else
        ShowException(error);
}

void TApplication::ShowException(const std::exception& error)
{
    std::string text = error.what();
    if (!text.empty() && text.back() > '.')
        text += '.';
    MessageBox(text, Title, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    TCustomForm* active = Screen->ActiveForm();
    return PlainMessageBox(active && active->HandleAllocated() ? active->Handle() : nullptr, text,
                           caption.empty() ? Title : caption, flags);
}

TCustomForm* TScreen::Forms(int index) const
{
    if (index < 0 || index >= FormCount())
        ListIndexError(index);
    return forms_[std::size_t(index)];
}

TCustomForm* TScreen::ActiveForm() const
{
    HWND active = GetActiveWindow();
    for (TCustomForm* form : forms_)
        if (form->HandleAllocated() && form->Handle() == active)
            return form;
    return nullptr;
}

TWinControl* TScreen::ActiveControl() const
{
    return FindControl(GetFocus());
}

int TScreen::Width() const
{
    return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const
{
    return GetSystemMetrics(SM_CYSCREEN);
}

void TScreen::AddForm(TCustomForm* form)
{
    forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form)
{
    std::erase(forms_, form);
}

void TScreen::FormActivated(TCustomForm* form)
{
    const auto it = std::find(forms_.begin(), forms_.end(), form);
    if (it == forms_.end())
        return;
    forms_.erase(it);
    forms_.insert(forms_.begin(), form);
}

} // namespace tovrel
