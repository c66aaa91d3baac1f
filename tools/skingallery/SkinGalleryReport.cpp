#include "SkinGalleryReport.h"

#include "platform/rtl/MainThread.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Messages.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinOfficeComboBox.h"

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
            for (const auto& [caption, button] : buttons_)
                out << "button." << caption << ".at=" << CentreInWindow(form_, *button) << '\n'
                    << "button." << caption << ".clicks=" << clicks_[caption] << '\n';
            for (const auto& [caption, box] : boxes_)
                out << "checkbox." << caption << ".at=" << CentreInWindow(form_, *box) << '\n'
                    << "checkbox." << caption << '=' << StateName(box->State()) << '\n';
            for (const auto& [name, box] : offices_)
                WriteOffice(out, name, *box);
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
        } else if (auto* office = dynamic_cast<TskSkinCustomOfficeComboBox*>(&control)) {
            offices_[office->Name()] = office;
            Chain(office->OnChange, [] {});
            // Once the list is shown, with its rows where a script finds them.
            Chain(office->OnDropDown, [this] { TMainThread::Post([this] { Write(); }); });
            Chain(office->OnCloseUp, [] {});
        }
        if (auto* windowed = dynamic_cast<TWinControl*>(&control))
            for (int i = 0; i < windowed->ControlCount(); ++i)
                Hook(*windowed->Controls(i));
    }

    void CountSizeMove() { ++sizeMoves_; }

    void WriteOffice(std::ostream& out, const std::string& name, TskSkinCustomOfficeComboBox& box)
    {
        const std::string key = "office." + name;
        const int index = box.ItemIndex(), count = box.Items()->Count();
        out << key << ".at=" << CentreInWindow(form_, box) << '\n'
            << key << ".index=" << index << '\n'
            << key << ".count=" << count << '\n'
            << key << ".open=" << box.IsPopupVisible() << '\n';
        if (index >= 0 && index < count)
            out << key << ".title=" << box.Items()->Items(index)->Title() << '\n'
                << key << ".caption=" << box.Items()->Items(index)->Caption() << '\n';
        if (!box.IsPopupVisible())
            return;
        TskPopupOfficeListBox& list = *box.ListBox();
        for (int i = 0; i < count; ++i) {
            const TskSkinOfficeItem& item = *box.Items()->Items(i);
            if (!item.IsVisible)
                continue;
            const TRect& r = item.ItemRect;
            const TPoint p = list.ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
            out << key << ".row" << i << ".at=" << Point(p.X - form_.Left(), p.Y - form_.Top()) << '\n';
        }
    }

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
    std::map<std::string, TskSkinCustomOfficeComboBox*> offices_;
};

} // namespace

void ReportGalleryState(TForm& form, const std::string& path, std::function<void()> afterSizeMove)
{
    auto report = std::make_shared<TReport>(form, path);
    for (int i = 0; i < form.ControlCount(); ++i)
        report->Hook(*form.Controls(i));
    std::weak_ptr<TReport> weak = report;
    form.WindowProc = [report, old = form.WindowProc, weak,
                       afterSizeMove = std::move(afterSizeMove)](TMessage& message) {
        old(message);
        if (message.Msg != WM_EXITSIZEMOVE)
            return;
        report->CountSizeMove();
        // Once the loop has ended and the form has painted its last size and
        // that has reached the display. The form may be gone by then.
        TMainThread::Post([weak, afterSizeMove] {
            PumpWaitingMessages();
            if (auto alive = weak.lock()) {
                // The grab first: a script that sees the new count finds it in place.
                if (afterSizeMove)
                    afterSizeMove();
                alive->Write();
            }
        });
    };
    report->Write();
}

} // namespace tovrel::skingallery
