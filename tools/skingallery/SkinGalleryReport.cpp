#include "SkinGalleryReport.h"

#include "GalleryReportLines.h"

#include "platform/rtl/MainThread.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Messages.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinListView.h"

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

// What a script reads of the list view: its top row and its vertical bar.
struct TListState {
    int Top = -1, BarPosition = 0;
    bool operator==(const TListState&) const = default;
};

TListState ListState(TskSkinListView& list)
{
    TListState state;
    state.Top = list.TopItem() ? list.TopItem()->Index() : -1;
    state.BarPosition = list.VScrollBar() ? list.VScrollBar()->Position() : 0;
    return state;
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
            if (list_)
                WriteList(out, *list_);
            WriteBandLines(out);
            if (!out)
                throw std::runtime_error("cannot write " + partial);
        }
        if (std::rename(partial.c_str(), path_.c_str()) != 0)
            throw std::runtime_error("cannot write " + path_);
    }

    void Hook(TControl& control)
    {
        if (auto* list = dynamic_cast<TskSkinListView*>(&control); list && !list_)
            list_ = list;
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

    // The first skinned list view met, if any.
    TskSkinListView* List() const { return list_; }
    // Written again whenever its top row or its bar moved.
    void ListMessageHandled()
    {
        if (list_ && !list_->ComponentState().Contains(csDestroying) && ListState(*list_) != written_)
            Write();
    }

private:
    void WriteList(std::ostream& out, TskSkinListView& list)
    {
        written_ = ListState(list);
        out << "listview.at=" << CentreInWindow(form_, list) << '\n'
            << "listview.rows=" << list.Items()->Count() << '\n'
            << "listview.perpage=" << list.VisibleRowCount() << '\n'
            << "listview.top=" << written_.Top << '\n';
        if (TskSkinScrollBar* bar = list.VScrollBar()) {
            bar->CalcRects();
            const TRect thumb = bar->Part(TskSkinScrollBar::kThumb).R;
            const TPoint p = bar->ClientToScreen(Point((thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2));
            out << "listview.vbar.position=" << written_.BarPosition << '\n'
                << "listview.vbar.thumb.at=" << Point(p.X - form_.Left(), p.Y - form_.Top()) << '\n';
        }
    }

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
    TskSkinListView* list_ = nullptr;
    TListState written_;
};

} // namespace

void ReportGalleryState(TForm& form, const std::string& path, std::function<void()> afterSizeMove)
{
    auto report = std::make_shared<TReport>(form, path);
    for (int i = 0; i < form.ControlCount(); ++i)
        report->Hook(*form.Controls(i));
    std::weak_ptr<TReport> weak = report;
    if (TskSkinListView* list = report->List())
        list->WindowProc = [weak, old = list->WindowProc](TMessage& message) {
            old(message);
            if (auto alive = weak.lock())
                alive->ListMessageHandled();
        };
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
    SetReportWriter([weak] {
        if (auto alive = weak.lock())
            alive->Write();
    });
    report->Write();
}

} // namespace tovrel::skingallery
