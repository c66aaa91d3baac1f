#include "SkinGalleryReport.h"

#include "GalleryReportLines.h"

#include "platform/ctrls/Edit.h"
#include "platform/rtl/MainThread.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Timer.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Messages.h"
#include "platform/wm/ModalLoop.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/forms/SkinForm.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

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

// The caption of the bar's first item that matches; "none" when none does.
std::string BarItemWhere(const TskSkinMainMenuBar& bar, bool (*match)(const TskSkinMainMenuBarItem&))
{
    for (int i = 0; i < bar.ItemCount(); ++i)
        if (const TskSkinMainMenuBarItem* item = bar.Item(i); item && item->MenuItem && match(*item))
            return StripHotkey(item->MenuItem->Caption());
    return "none";
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

// The bands' own lines, kept with the form.
class TNotes : public TComponent {
public:
    using TComponent::TComponent;
    std::map<std::string, std::string> Lines;
    std::function<void()> OnChange;
};

TNotes& NotesOf(TForm& form)
{
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* notes = dynamic_cast<TNotes*>(form.Components(i)))
            return *notes;
    return *new TNotes(&form);
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

class TReport : public std::enable_shared_from_this<TReport> {
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
            for (const auto& [name, box] : offices_)
                WriteOffice(out, name, *box);
            for (const auto& [name, edit] : edits_)
                out << "edit." << name << ".at=" << CentreInWindow(form_, *edit) << '\n'
                    << "edit." << name << '=' << edit->Text() << '\n';
            WriteMenu(out);
            if (bar_)
                WriteMenuBar(out);
            if (list_)
                WriteList(out, *list_);
            for (const auto& [key, value] : NotesOf(form_).Lines)
                out << key << '=' << value << '\n';
            for (const auto& [name, combo] : combos_)
                WriteComboBox(out, name, *combo);
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
        } else if (auto* combo = dynamic_cast<TskSkinCustomComboBox*>(&control)) {
            HookComboBox(*combo);
        } else if (auto* box = dynamic_cast<TskSkinCheckRadioBox*>(&control); box && !box->Radio()) {
            boxes_[box->Caption()] = box;
            Chain(box->OnClick, [] {});
        } else if (auto* office = dynamic_cast<TskSkinCustomOfficeComboBox*>(&control)) {
            offices_[office->Name()] = office;
            Chain(office->OnChange, [] {});
            // Once the list is shown, with its rows where a script finds them.
            Chain(office->OnDropDown, [this] { TMainThread::Post([this] { Write(); }); });
            Chain(office->OnCloseUp, [] {});
        } else if (auto* edit = dynamic_cast<TCustomEdit*>(&control)) {
            edits_[edit->Name()] = edit;
            Chain(edit->OnChange, [] {});
        } else if (auto* bar = dynamic_cast<TskSkinMainMenuBar*>(&control)) {
            HookMenuBar(*bar);
        }
        if (auto* windowed = dynamic_cast<TWinControl*>(&control))
            for (int i = 0; i < windowed->ControlCount(); ++i)
                Hook(*windowed->Controls(i));
    }

    // Every item of the form's popup menus reports its pick; the skinned
    // engine's open levels are written while a menu waits for input.
    void HookMenus()
    {
        for (int i = 0; i < form_.ComponentCount(); ++i) {
            if (auto* menu = dynamic_cast<TPopupMenu*>(form_.Components(i)))
                HookItems(*menu->Items());
            else if (auto* engine = dynamic_cast<TskSkinMenu*>(form_.Components(i)))
                engine_ = engine;
        }
    }

    void CountSizeMove() { ++sizeMoves_; }

    // The bar's items and open menu, and every command picked from its menus.
    void HookMenuBar(TskSkinMainMenuBar& bar)
    {
        bar_ = &bar;
        if (bar.MainMenu())
            HookCommands(bar.MainMenu()->Items(), "");
        // Menus open and switch without a click: their state is watched.
        auto* watch = new TTimer(&bar);
        watch->SetInterval(50);
        watch->SetOnTimer([this](TObject*) {
            const std::string state = MenuBarState();
            if (state != barState_) {
                barState_ = state;
                Write();
            }
        });
    }

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
        for (const auto& [i, p] : box.ShownRowCentres())
            out << key << ".row" << i << ".at=" << Point(p.X - form_.Left(), p.Y - form_.Top()) << '\n';
    }

    // The first skinned list view met, if any.
    TskSkinListView* List() const { return list_; }
    // Written again whenever its top row or its bar moved.
    void ListMessageHandled()
    {
        if (list_ && !list_->ComponentState().Contains(csDestroying) && ListState(*list_) != written_)
            Write();
    }

private:
    void HookItems(TMenuItem& parent)
    {
        for (int i = 0; i < parent.Count(); ++i) {
            TMenuItem& item = *parent.Items(i);
            if (item.Count() > 0) {
                HookItems(item);
                continue;
            }
            Chain(item.OnClick, [this, caption = StripHotkey(item.Caption())] {
                ++picks_;
                picked_ = caption;
            });
        }
    }

    // Rows as screen points, which is where a script moves the pointer.
    void WriteMenu(std::ostream& out) const
    {
        out << "menu.picks=" << picks_ << '\n' << "menu.picked=" << picked_ << '\n';
        const int levels = engine_ ? engine_->LevelCount() : 0;
        out << "menu.levels=" << levels << '\n';
        for (int i = 0; i < levels; ++i) {
            const TskSkinPopupWindow& level = *engine_->Level(i);
            for (const auto& row : level.ItemList)
                if (row->FVisible)
                    out << "menu.item." << StripHotkey(row->MenuItem->Caption()) << ".at="
                        << Point(level.Left() + row->ObjectRect.Left + row->ObjectRect.Width() / 2,
                                 level.Top() + row->ObjectRect.Top + row->ObjectRect.Height() / 2)
                        << '\n';
        }
    }

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

    // Its text whenever it changes and, while its list is open, where the
    // list's first row is on the screen (the list is shown after OnDropDown).
    void HookComboBox(TskSkinCustomComboBox& combo)
    {
        combos_[combo.Name()] = &combo;
        Chain(combo.OnChange, [] {});
        Chain(combo.OnCloseUp, [] {});
        combo.OnDropDown = [this, old = combo.OnDropDown](TObject* sender) {
            if (old)
                old(sender);
            TMainThread::Post([weak = weak_from_this()] {
                if (auto alive = weak.lock())
                    alive->Write();
            });
        };
    }
    void WriteComboBox(std::ostream& out, const std::string& name, TskSkinCustomComboBox& combo)
    {
        out << "combo." << name << ".at=" << CentreInWindow(form_, combo) << '\n'
            << "combo." << name << '=' << combo.Text() << '\n'
            << "combo." << name << ".dropped=" << (combo.IsPopupVisible() ? 1 : 0) << '\n';
        if (!combo.IsPopupVisible())
            return;
        TskListBox& rows = *combo.ListBox()->ListBox;
        const TRect first = rows.ItemRect(rows.TopIndex());
        out << "combo." << name << ".list.top=" << rows.TopIndex() << '\n'
            << "combo." << name << ".list.rowheight=" << first.Height() << '\n'
            << "combo." << name << ".list.firstrow.screen="
            << rows.ClientToScreen(Point(first.Left + first.Width() / 2, (first.Top + first.Bottom) / 2)) << '\n';
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

    std::string MenuBarState() const
    {
        return BarItemWhere(*bar_, [](const TskSkinMainMenuBarItem& i) { return i.FDown; }) + '/' +
               BarItemWhere(*bar_, [](const TskSkinMainMenuBarItem& i) { return i.Active || i.FDown; });
    }

    void WriteMenuBar(std::ostream& out)
    {
        for (int i = 0; i < bar_->ItemCount(); ++i) {
            if (!bar_->Item(i)->MenuItem)
                continue;
            const TRect r = bar_->Item(i)->ObjectRect;
            const TPoint p = bar_->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
            out << "menubar." << StripHotkey(bar_->Item(i)->MenuItem->Caption())
                << ".at=" << Point(p.X - form_.Left(), p.Y - form_.Top()) << '\n';
        }
        out << "menubar.open=" << BarItemWhere(*bar_, [](const TskSkinMainMenuBarItem& i) { return i.FDown; }) << '\n';
        for (const std::string& command : commands_)
            out << "menu.command=" << command << '\n';
    }

    void HookCommands(TMenuItem* parent, const std::string& path)
    {
        for (int i = 0; i < parent->Count(); ++i) {
            TMenuItem* item = parent->Items(i);
            const std::string itemPath = path + StripHotkey(item->Caption());
            if (item->Count() > 0)
                HookCommands(item, itemPath + '/');
            else if (!item->IsLine())
                Chain(item->OnClick, [this, itemPath] { commands_.push_back(itemPath); });
        }
    }

    TForm& form_;
    std::string path_;
    TskSkinMainMenuBar* bar_ = nullptr;
    std::string barState_;
    std::vector<std::string> commands_;
    int sizeMoves_ = 0;
    std::map<std::string, TskSkinButton*> buttons_;
    std::map<std::string, int> clicks_;
    std::map<std::string, TskSkinCheckRadioBox*> boxes_;
    std::map<std::string, TskSkinCustomOfficeComboBox*> offices_;
    std::map<std::string, TCustomEdit*> edits_;
    TskSkinMenu* engine_ = nullptr;
    int picks_ = 0;
    std::string picked_;
    TskSkinListView* list_ = nullptr;
    TListState written_;
    std::map<std::string, TskSkinCustomComboBox*> combos_;
};

} // namespace

void ReportGalleryState(TForm& form, const std::string& path, std::function<void()> afterChange)
{
    auto report = std::make_shared<TReport>(form, path);
    for (int i = 0; i < form.ControlCount(); ++i)
        report->Hook(*form.Controls(i));
    report->HookMenus();
    std::weak_ptr<TReport> weak = report;
    if (TskSkinListView* list = report->List())
        list->WindowProc = [weak, old = list->WindowProc](TMessage& message) {
            old(message);
            if (auto alive = weak.lock())
                alive->ListMessageHandled();
        };
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
    NotesOf(form).OnChange = [weak] {
        if (auto alive = weak.lock())
            alive->Write();
    };
    auto inSizeMove = std::make_shared<bool>(false);
    form.WindowProc = [report, old = form.WindowProc, writeLater, inSizeMove](TMessage& message) {
        old(message);
        switch (message.Msg) {
        case WM_ENTERIDLE:
            // A skinned menu waits for input: where its rows are.
            if (message.WParam == MSGF_MENU)
                report->Write();
            break;
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
    SetReportWriter([weak] {
        if (auto alive = weak.lock())
            alive->Write();
    });
    report->Write();
}

void NoteGalleryState(TForm& form, const std::string& key, const std::string& value)
{
    TNotes& notes = NotesOf(form);
    notes.Lines[key] = value;
    if (notes.OnChange)
        notes.OnChange();
}

} // namespace tovrel::skingallery
