#include "platform/vcl/MessageBox.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Forms.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Paint.h"
#include "platform/wm/WindowPos.h"

#include <algorithm>
#include <vector>

namespace tovrel {

namespace {

TMessageBoxHook& Hook()
{
    static TMessageBoxHook hook;
    return hook;
}

struct TButtonSpec {
    int Id;
    const char* Caption;
};

std::vector<TButtonSpec> ButtonsFor(UINT flags)
{
    switch (flags & 0xF) {
    case MB_OKCANCEL: return {{IDOK, "确定"}, {IDCANCEL, "取消"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "中止"}, {IDRETRY, "重试"}, {IDIGNORE, "忽略"}};
    case MB_YESNOCANCEL: return {{IDYES, "是"}, {IDNO, "否"}, {IDCANCEL, "取消"}};
    case MB_YESNO: return {{IDYES, "是"}, {IDNO, "否"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "重试"}, {IDCANCEL, "取消"}};
    default: return {{IDOK, "确定"}};
    }
}

class TBoxButton : public TCustomControl {
public:
    TBoxButton(TCustomForm& box, const TButtonSpec& layout, bool isDefault, bool isCancel)
        : TCustomControl(&box), box_(box), id_(layout.Id), default_(isDefault), cancel_(isCancel)
    {
        SetCaption(layout.Caption);
        SetTabStop(true);
        SetColor(clBtnFace);
        SetParent(&box);
    }
    int Id() const { return id_; }
    void Click() override
    {
        TCustomControl::Click();
        box_.SetModalResult(id_);
    }
    void WndProc(TMessage& message) override
    {
        if (message.Msg == CM_DIALOGKEY) {
            const auto* focused = dynamic_cast<TBoxButton*>(box_.ActiveControl());
            const bool enter = message.WParam == VK_RETURN && (focused ? focused == this : default_);
            if (enter || (message.WParam == VK_ESCAPE && cancel_)) {
                Click();
                message.Result = 1;
                return;
            }
        } else if (message.Msg == WM_KEYDOWN && message.WParam == VK_SPACE) {
            Click();
            return;
        } else if (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) {
            Invalidate();
        }
        TCustomControl::WndProc(message);
    }

protected:
    void Paint() override
    {
        TCanvas& canvas = *Canvas();
        TRect r = ClientRect();
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(r);
        canvas.Brush()->SetColor(Focused() || default_ ? clWindowText : clBtnShadow);
        canvas.FrameRect(r);
        canvas.Brush()->SetStyle(bsClear);
        DrawText(canvas.Handle(), Caption(), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

private:
    TCustomForm& box_;
    int id_;
    bool default_;
    bool cancel_;
};

constexpr int kMargin = 12, kButtonWidth = 75, kButtonHeight = 23, kButtonGap = 6, kTextWidth = 400;

} // namespace

void SetMessageBoxHook(TMessageBoxHook hook)
{
    Hook() = std::move(hook);
}

int PlainMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags)
{
    if (Hook())
        return Hook()(text, caption, flags);

    TForm box(nullptr);
    box.SetBorderStyle(bsDialog);
    box.BorderIcons = {biSystemMenu};
    box.SetCaption(caption);

    TRect textRect = Rect(0, 0, kTextWidth, 0);
    {
        HDC screen = GetDC(nullptr);
        HGDIOBJ old = SelectObject(screen, box.Font()->Handle());
        DrawText(screen, text, &textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
    }
    const std::vector<TButtonSpec> specs = ButtonsFor(flags);
    const int buttonsWidth = int(specs.size()) * kButtonWidth + (int(specs.size()) - 1) * kButtonGap;
    const int clientWidth = std::max(textRect.Width(), buttonsWidth) + 2 * kMargin;
    const int clientHeight = textRect.Height() + 3 * kMargin + kButtonHeight;
    box.SetClientSize(clientWidth, clientHeight);
    textRect = Bounds(kMargin, kMargin, clientWidth - 2 * kMargin, textRect.Height());

    const int defaultIndex = std::min<int>((flags >> 8) & 3, int(specs.size()) - 1);
    const bool hasCancel =
        std::any_of(specs.begin(), specs.end(), [](const TButtonSpec& s) { return s.Id == IDCANCEL; });
    int x = (clientWidth - buttonsWidth) / 2;
    TBoxButton* defaultButton = nullptr;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const bool cancels = specs[i].Id == IDCANCEL || (!hasCancel && specs.size() == 1);
        auto* button = new TBoxButton(box, specs[i], int(i) == defaultIndex, cancels);
        button->SetBounds(x, clientHeight - kMargin - kButtonHeight, kButtonWidth, kButtonHeight);
        x += kButtonWidth + kButtonGap;
        if (int(i) == defaultIndex)
            defaultButton = button;
    }
    box.OnPaint = [&](TObject*) {
        TCanvas& canvas = *box.Canvas();
        canvas.Brush()->SetStyle(bsClear);
        TRect r = textRect;
        DrawText(canvas.Handle(), text, &r, DT_WORDBREAK | DT_NOPREFIX);
    };

    TRect area;
    if (owner && GetWindowRect(owner, &area)) {
        box.SetBounds(area.Left + (area.Width() - box.Width()) / 2, area.Top + (area.Height() - box.Height()) / 2,
                      box.Width(), box.Height());
    } else {
        box.Position = poScreenCenter;
    }
    box.SetActiveControl(defaultButton);
    const int result = box.ShowModal();
    return result == mrCancel && !hasCancel ? (specs.size() == 1 ? specs[0].Id : 0) : result;
}

} // namespace tovrel
