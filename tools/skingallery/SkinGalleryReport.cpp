#include "SkinGalleryReport.h"

#include "platform/rtl/MainThread.h"
#include "platform/vcl/Application.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Messages.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/forms/SkinForm.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>

namespace tovrel::skingallery {

namespace {

const char* StateName(TCheckBoxState state)
{
    switch (state) {
    case cbChecked: return "checked";
    case cbGrayed: return "grayed";
    default: return "unchecked";
    }
}

// The first point from `from` in steps of `step` whose hit test answers
// `code`, relative to the form's window; (-1, -1) when none does.
TPoint FindHit(TForm& form, TPoint from, TPoint step, LRESULT code)
{
    const TRect b = form.BoundsRect();
    for (TPoint p = from; p.X >= 0 && p.Y >= 0 && p.X < b.Width() && p.Y < b.Height();
         p = Point(p.X + step.X, p.Y + step.Y))
        if (SendMessage(form.Handle(), WM_NCHITTEST, 0, LParamFromPoint(Point(b.Left + p.X, b.Top + p.Y))) == code)
            return p;
    return Point(-1, -1);
}

// A control's centre relative to the form's window (its frame included).
TPoint CentreInWindow(TForm& form, TControl& control)
{
    const TPoint p = control.ClientToScreen(Point(control.Width() / 2, control.Height() / 2));
    return Point(p.X - form.Left(), p.Y - form.Top());
}

std::ostream& operator<<(std::ostream& out, TPoint p)
{
    return out << p.X << ',' << p.Y;
}

std::ostream& operator<<(std::ostream& out, TRect r)
{
    return out << r.Left << ',' << r.Top << ',' << r.Width() << 'x' << r.Height();
}

const char* WindowStateName(TWindowState state)
{
    switch (state) {
    case wsMaximized: return "maximized";
    case wsMinimized: return "minimized";
    default: return "normal";
    }
}

// The window state and the caption buttons' centres of the skinned frame.
void WriteFrame(std::ostream& out, TForm& form)
{
    const TskSkinForm* frame = GetSkinForm(&form);
    if (!frame)
        return;
    out << "windowstate=" << WindowStateName(frame->WindowState()) << '\n';
    const struct {
        TskStdCommand Command;
        const char* Name;
    } buttons[] = {{TskStdCommand::cmClose, "close"},
                   {TskStdCommand::cmMaximize, "maximize"},
                   {TskStdCommand::cmMinimize, "minimize"}};
    for (const auto& object : frame->Objects())
        if (auto* button = dynamic_cast<const TskSkinStdButtonObject*>(object.get()); button && button->Visible)
            for (const auto& b : buttons)
                if (button->Command == b.Command)
                    out << "caption." << b.Name << ".at="
                        << Point((button->ObjectRect.Left + button->ObjectRect.Right) / 2,
                                 (button->ObjectRect.Top + button->ObjectRect.Bottom) / 2)
                        << '\n';
}

// Where the application's hint window shows, or "none".
void WriteHint(std::ostream& out)
{
    const THintWindow* hint = Application->HintWindow();
    out << "hint=";
    if (hint && hint->HandleAllocated() && IsWindowVisible(const_cast<THintWindow*>(hint)->Handle()))
        out << hint->BoundsRect() << '\n';
    else
        out << "none\n";
}

class TReport {
public:
    TReport(TForm& form, std::string path) : form_(form), path_(std::move(path)) {}

    void Write()
    {
        // Renamed into place, so a script that sees the file finds it complete.
        const std::string partial = path_ + ".part";
        {
            std::ofstream out(partial, std::ios::trunc);
            const TRect b = form_.BoundsRect();
            out << "form=" << b.Left << ',' << b.Top << ',' << b.Width() << 'x' << b.Height() << '\n';
            out << "sizemoves=" << sizeMoves_ << '\n';
            // Where a script finds the frame's parts, relative to the window.
            const TPoint client = form_.ClientToScreen(Point(0, 0));
            const TPoint origin = Point(client.X - b.Left, client.Y - b.Top);
            out << "client=" << origin << ',' << form_.ClientWidth() << 'x' << form_.ClientHeight() << '\n';
            out << "caption.at=" << FindHit(form_, Point(b.Width() / 4, origin.Y / 2), Point(1, 0), HTCAPTION) << '\n';
            out << "rightedge.at=" << FindHit(form_, Point(b.Width() - 1, b.Height() / 2), Point(-1, 0), HTRIGHT)
                << '\n';
            WriteFrame(out, form_);
            WriteHint(out);
            for (const auto& [caption, button] : buttons_)
                out << "button." << caption << ".at=" << CentreInWindow(form_, *button) << '\n'
                    << "button." << caption << ".clicks=" << clicks_[caption] << '\n';
            for (const auto& [caption, box] : boxes_)
                out << "checkbox." << caption << ".at=" << CentreInWindow(form_, *box) << '\n'
                    << "checkbox." << caption << '=' << StateName(box->State()) << '\n';
            if (!out)
                throw std::runtime_error("cannot write " + partial);
        }
        if (std::rename(partial.c_str(), path_.c_str()) != 0)
            throw std::runtime_error("cannot write " + path_);
    }

    void Hook(TControl& control)
    {
        if (auto* button = dynamic_cast<TskSkinButton*>(&control)) {
            const std::string caption = button->Caption();
            buttons_[caption] = button;
            Chain(button->OnClick, [this, caption] { ++clicks_[caption]; });
        } else if (auto* box = dynamic_cast<TskSkinCheckRadioBox*>(&control); box && !box->Radio()) {
            boxes_[box->Caption()] = box;
            Chain(box->OnClick, [] {});
        }
        if (auto* windowed = dynamic_cast<TWinControl*>(&control))
            for (int i = 0; i < windowed->ControlCount(); ++i)
                Hook(*windowed->Controls(i));
    }

    void CountSizeMove() { ++sizeMoves_; }

private:
    // The control's own handler first, then the note and the report.
    void Chain(TNotifyEvent& event, std::function<void()> note)
    {
        event = [this, old = event, note = std::move(note)](TObject* sender) {
            if (old)
                old(sender);
            note();
            Write();
        };
    }

    TForm& form_;
    std::string path_;
    int sizeMoves_ = 0;
    std::map<std::string, TskSkinButton*> buttons_;
    std::map<std::string, int> clicks_;
    std::map<std::string, TskSkinCheckRadioBox*> boxes_;
};

} // namespace

void ReportGalleryState(TForm& form, const std::string& path, std::function<void()> afterChange)
{
    auto report = std::make_shared<TReport>(form, path);
    for (int i = 0; i < form.ControlCount(); ++i)
        report->Hook(*form.Controls(i));
    std::weak_ptr<TReport> weak = report;
    // Once the change has been painted and that has reached the display.
    // The form may be gone by then.
    const auto writeLater = [weak, afterChange = std::move(afterChange)] {
        TMainThread::Post([weak, afterChange] {
            PumpWaitingMessages();
            if (auto alive = weak.lock()) {
                // The grab first: a script that sees the new report finds it in place.
                if (afterChange)
                    afterChange();
                alive->Write();
            }
        });
    };
    auto inSizeMove = std::make_shared<bool>(false);
    form.WindowProc = [report, old = form.WindowProc, writeLater, inSizeMove](TMessage& message) {
        old(message);
        switch (message.Msg) {
        case WM_ENTERSIZEMOVE: *inSizeMove = true; break;
        case WM_EXITSIZEMOVE:
            *inSizeMove = false;
            report->CountSizeMove();
            writeLater();
            break;
        case WM_SIZE:
            // Maximized or restored from the frame's buttons, outside the size loop.
            if (!*inSizeMove)
                writeLater();
            break;
        default: break;
        }
    };
    Application->OnShowHint = [old = Application->OnShowHint, writeLater](std::string& hint, bool& canShow,
                                                                          THintInfo& info) {
        if (old)
            old(hint, canShow, info);
        if (canShow)
            writeLater();
    };
    report->Write();
}

} // namespace tovrel::skingallery
