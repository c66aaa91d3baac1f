// The edit's own context menu. Each item sends the message the edit already
// answers (WM_UNDO, WM_CUT ...), to the window rather than the object, so a
// command chosen after the edit went away does nothing.
#include "platform/ctrls/Edit.h"

#include "platform/ctrls/EditView.h"
#include "platform/vcl/Menus.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Monitors.h"

#include <algorithm>
#include <memory>

namespace tovrel {

namespace {

struct TEditMenuState {
    bool ReadOnly;
    bool Password;
    bool CanUndo;
    bool HasSelection;
    bool AllSelected;
    bool Empty;
    bool ClipboardHasText;
};

struct TEditMenuRow {
    const char* Caption;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    bool (*Enabled)(const TEditMenuState&);
};

constexpr const char* kLine = "-";

// Cut also needs a visible text: the edit refuses to cut what a password hides.
constexpr TEditMenuRow kEditMenu[] = {
    {"&Undo", WM_UNDO, 0, 0, [](const TEditMenuState& s) { return s.CanUndo && !s.ReadOnly; }},
    {kLine, 0, 0, 0, nullptr},
    {"Cu&t", WM_CUT, 0, 0, [](const TEditMenuState& s) { return s.HasSelection && !s.ReadOnly && !s.Password; }},
    {"&Copy", WM_COPY, 0, 0, [](const TEditMenuState& s) { return s.HasSelection && !s.Password; }},
    {"&Paste", WM_PASTE, 0, 0, [](const TEditMenuState& s) { return s.ClipboardHasText && !s.ReadOnly; }},
    {"&Delete", WM_CLEAR, 0, 0, [](const TEditMenuState& s) { return s.HasSelection && !s.ReadOnly; }},
    {kLine, 0, 0, 0, nullptr},
    {"Select &All", EM_SETSEL, 0, -1, [](const TEditMenuState& s) { return !s.Empty && !s.AllSelected; }},
};

} // namespace

void TCustomEdit::PopupEditMenu(LPARAM where)
{
    // The platform's edit takes the focus for its menu, so the commands and what is typed next go to it.
    if (HandleAllocated() && !Focused() && CanFocus())
        SetFocus();
    TPoint screen = PointFromLParam(where);
    if (where == MAKELPARAM(-1, -1)) {
        // From the keyboard: at the caret, kept inside the control.
        const TRect client = ClientRect();
        const TPoint caret = view_->PosToPoint(buffer_.Caret());
        screen = ClientToScreen(Point(std::clamp(caret.X, client.Left, std::max(client.Left, client.Right - 1)),
                                      std::clamp(caret.Y, client.Top, std::max(client.Top, client.Bottom - 1))));
    }
    const TEditMenuState state{readOnly_,
                               passwordChar_ != 0,
                               buffer_.CanUndo(),
                               buffer_.HasSelection(),
                               buffer_.SelStart() == 0 && buffer_.SelEnd() == buffer_.Length(),
                               buffer_.Length() == 0,
                               IsClipboardTextAvailable() != 0};
    const HWND window = HandleAllocated() ? Handle() : nullptr;

    auto menu = std::make_unique<TPopupMenu>(nullptr);
    for (const TEditMenuRow& row : kEditMenu) {
        auto* item = new TMenuItem(menu.get());
        item->SetCaption(row.Enabled ? EditMenuCaption(row.Message, row.Caption) : row.Caption);
        if (row.Enabled) {
            item->SetEnabled(row.Enabled(state));
            item->OnClick = [window, row](TObject*) { SendMessage(window, row.Message, row.WParam, row.LParam); };
        }
        menu->Items()->Add(item);
    }
    menu->PopupComponent = this;
    // Nothing of this edit is touched after Popup: a command may free it.
    menu->Popup(screen.X, screen.Y);
}

} // namespace tovrel
