#include "platform/ctrls/InPlaceEditor.h"

#include "platform/wm/Keys.h"
#include "platform/wm/MessageLoop.h"

namespace tovrel {

TInPlaceEditor::TInPlaceEditor(TWinControl& owner, std::function<void(bool)> finished)
    : TCustomEdit(&owner), finished_(std::move(finished))
{
    SetBorderStyle(bsSingle);
    AutoSelect = true;
}

void TInPlaceEditor::Finish(bool keep)
{
    // Told once: the owner's handling may move the focus away again.
    if (auto finished = std::move(finished_)) {
        finished_ = nullptr;
        finished(keep);
    }
}

void TInPlaceEditor::DefaultHandler(TMessage& message)
{
    switch (message.Msg) {
    case WM_GETDLGCODE: message.Result = DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS; return;
    case WM_KEYDOWN:
        if (message.WParam == VK_RETURN || message.WParam == VK_ESCAPE) {
            Finish(message.WParam == VK_RETURN);
            return;
        }
        break;
    case WM_CHAR:
        if (message.WParam == 13 || message.WParam == 27)
            return;
        break;
    case WM_KILLFOCUS:
        TCustomEdit::DefaultHandler(message);
        Finish(true);
        return;
    default: break;
    }
    TCustomEdit::DefaultHandler(message);
}

std::string CloseInPlaceEditor(TCustomEdit& editor, TWinControl& owner)
{
    std::string text = editor.Text();
    const bool hadFocus = editor.Focused();
    editor.SetVisible(false);
    if (editor.HandleAllocated())
        PostMessage(editor.Handle(), CM_RELEASE, 0, 0);
    if (hadFocus && owner.HandleAllocated())
        owner.SetFocus();
    return text;
}

} // namespace tovrel
