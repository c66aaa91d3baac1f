// The combo box's editable style: the inner edit it makes, its look, and the
// messages of the edit that the box takes first (list keys, committing
// steps, completion of what is typed, closing the list).
#include "platform/ctrls/TextMeasure.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SysColors.h"
#include "platform/rtl/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/wm/Clock.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/controls/SkinNumEdit.h"

#include <algorithm>

namespace tovrel {

namespace {

constexpr std::uint32_t kCompletionPauseMs = 200;

// Character sets whose typing arrives composed: there the completed tail is
// dropped before each key is released, so the composition replaces it.
bool IsEastAsianCharset(std::uint8_t Charset)
{
    return Charset == 128 || Charset == 134 || Charset == 136;
}

} // namespace

TWinControl* TskSkinCustomComboBox::CreateEditControl()
{
    TskCustomEdit* edit = NumEdit ? new TskSkinNumEdit(this) : new TskCustomEdit(this);
    edit->SetParent(this);
    edit->SetColor(FDefaultColor);
    edit->SetHideSelection(HideSelection);
    edit->SetCharCase(FCharCase);
    edit->OnChange = [this, edit](TObject*) { EditTextChanged(edit->Text()); };
    edit->OnEditCancelMode = [this](TControl* C) { EditCancelMode(C); };
    edit->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
        if (OnKeyDown)
            OnKeyDown(this, Key, Shift);
    };
    edit->OnKeyUp = [this](TObject*, WORD& Key, TShiftState Shift) {
        if (OnKeyUp)
            OnKeyUp(this, Key, Shift);
    };
    edit->OnKeyPress = [this](TObject*, char16_t& Key) {
        if (OnKeyPress)
            OnKeyPress(this, Key);
    };
    return edit;
}

TCustomEdit* TskSkinCustomComboBox::EditBox() const
{
    return dynamic_cast<TCustomEdit*>(FEdit);
}

int TskSkinCustomComboBox::SelStart() const
{
    TCustomEdit* edit = EditBox();
    return edit ? edit->SelStart() : 0;
}

void TskSkinCustomComboBox::SetSelStart(int Value)
{
    if (TCustomEdit* edit = EditBox())
        edit->SetSelStart(Value);
}

int TskSkinCustomComboBox::SelLength() const
{
    TCustomEdit* edit = EditBox();
    return edit ? edit->SelLength() : 0;
}

void TskSkinCustomComboBox::SetSelLength(int Value)
{
    if (TCustomEdit* edit = EditBox())
        edit->SetSelLength(Value);
}

void TskSkinCustomComboBox::SetCharCase(TEditCharCase Value)
{
    FCharCase = Value;
    if (TCustomEdit* edit = EditBox())
        edit->SetCharCase(Value);
}

void TskSkinCustomComboBox::ApplyEditLook()
{
    TCustomEdit* edit = EditBox();
    if (!edit)
        return;
    TFont& font = *edit->Font();
    if (FIndex != -1 && UseSkinFont) {
        font.SetName(Look.FontName);
        font.SetStyle(Look.FontStyle);
        font.SetHeight(Look.FontHeight);
    } else {
        font.Assign(Font());
    }
    font.SetCharset(Charset());
    if (auto* inner = dynamic_cast<TskCustomEdit*>(edit)) {
        // Over a skin image the edit draws only its text.
        if (inner->EditTransparent() != (FIndex != -1))
            inner->SetEditTransparent(FIndex != -1);
        inner->MenuSkinData = SkinData();
    }
    ShowEditActive(FMouseIn || edit->Focused());
}

void TskSkinCustomComboBox::ShowEditActive(bool Active)
{
    TCustomEdit* edit = EditBox();
    if (!edit)
        return;
    TColor color;
    if (!Enabled())
        color = FIndex == -1 ? clGrayText : EditEntryDisabledFontColor(SkinData());
    else if (FIndex == -1)
        color = Font()->Color();
    else
        color = Active && HasActiveLook() ? Look.ActiveFontColor : Look.FontColor;
    if (edit->Font()->Color() != color) {
        edit->Font()->SetColor(color);
        edit->Invalidate();
    }
}

void TskSkinCustomComboBox::EditCancelMode(TControl* Sender)
{
    if (!OwnsControl(Sender))
        CloseUp(false);
}

void TskSkinCustomComboBox::StepEditItem(int Delta, bool Commit)
{
    const int index = FListBox->ItemIndex();
    const int next = index + Delta;
    if ((Delta < 0 && index <= 0) || (Delta > 0 && next >= Items()->Count()))
        return;
    if (!Commit) {
        FListBox->SetItemIndex(next);
        return;
    }
    SetItemIndex(next);
    if (TCustomEdit* edit = EditBox())
        edit->SelectAll();
}

void TskSkinCustomComboBox::EditWindowProcHook(TMessage& message, bool& Continue)
{
    Continue = true;
    switch (message.Msg) {
    case WM_SETFOCUS: ShowEditActive(true); break;
    case WM_KILLFOCUS:
        if (FDropDown)
            CloseUp(false);
        ShowEditActive(false);
        break;
    case WM_KEYDOWN:
        FEditTyped = false;
        if (CloseUpOnKey(message.WParam))
            break;
        switch (message.WParam) {
        // Only the open list's highlight moves.
        case VK_PRIOR:
        case VK_NEXT:
            if (FDropDown)
                FListBox->SetItemIndex(PagedIndex(FListBox->ItemIndex(), message.WParam == VK_PRIOR));
            break;
        case VK_UP:
        case VK_DOWN:
            StepEditItem(message.WParam == VK_UP ? -1 : 1, true);
            Continue = false;
            break;
        default: break;
        }
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        CompleteOnKeyUp(message, message.Msg == WM_SYSKEYUP);
        Continue = false;
        break;
    case WM_ERASEBKGND:
        if (const auto* inner = dynamic_cast<const TskCustomEdit*>(FEdit); inner && inner->EditTransparent()) {
            PaintFaceUnderEdit(reinterpret_cast<HDC>(message.WParam));
            message.Result = 1;
            Continue = false;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (FDropDown)
            CloseUp(false);
        break;
    case WM_MOUSEWHEEL: StepEditItem(std::int32_t(message.WParam) < 1 ? 1 : -1, !FDropDown); break;
    default: break;
    }
}

void TskSkinCustomComboBox::CompleteOnKeyUp(TMessage& message, bool System)
{
    const WORD key = WORD(message.WParam);
    bool complete = false;
    if (!FEditTyped) {
        // The key typed nothing (Ctrl+A, the arrows ...): completing, or
        // dropping the selection first, would undo what it selected.
    } else if (IsEastAsianCharset(Charset())) {
        complete = key != VK_DELETE && key != VK_BACK;
        if (complete)
            if (TCustomEdit* edit = EditBox())
                edit->ClearSelection();
    } else {
        // Keys below "0" (the arrows, Delete, Backspace ...) type nothing to complete.
        complete = !System && key >= 48;
    }
    FEditWindowProc(message);
    if (complete && AutoComplete)
        CompleteTypedText();
    FEditTyped = false;
}

void TskSkinCustomComboBox::CompleteTypedText()
{
    TCustomEdit* edit = EditBox();
    const std::uint32_t now = GetTickCount();
    if (!edit || now - FLastTime <= kCompletionPauseMs)
        return;
    FLastTime = now;
    const std::string typed = edit->Text();
    const int typedLength = Utf8Length(typed);
    if (typedLength == 0)
        return;
    // From the first item, also for one character: the edit's change has
    // already highlighted the first item the text begins, and going on from
    // there would complete to the second one.
    const int found = FindPrefix(typed, 0);
    if (found == -1)
        return;
    SetItemIndex(found);
    // What was typed stays; the completed tail is selected, so typing on replaces it.
    edit->SetSelStart(typedLength);
    edit->SetSelLength(Utf8Length(edit->Text()) - typedLength);
}

void TskSkinCustomComboBox::Paint()
{
    // The edit part paints its own area (a transparent one erases with the
    // face, PaintFaceUnderEdit): painting it here as well would cover its
    // text whenever the box repaints after the edit.
    if (FEdit && FEdit->Visible())
        ExcludeClipRect(Canvas()->Handle(), FEdit->Left(), FEdit->Top(), FEdit->Left() + FEdit->Width(),
                        FEdit->Top() + FEdit->Height());
    TskSkinCustomControl::Paint();
}

void TskSkinCustomComboBox::PaintFaceUnderEdit(HDC DC)
{
    // The box's own image is what lies under the transparent edit: erasing
    // with it keeps the edit's text on the skin without asking the box to
    // repaint (which would repaint the edit in turn).
    TBitmap face(Width(), Height());
    CreateControlSkinImage(face);
    BitBlt(DC, 0, 0, FEdit->Width(), FEdit->Height(), face.Canvas()->Handle(), FEdit->Left(), FEdit->Top(), SRCCOPY);
}

int TskSkinCustomComboBox::EditLineHeight() const
{
    TCustomEdit* edit = EditBox();
    return edit ? TTextMeasure(*edit->Font()).LineHeight() : FEdit->Height();
}

} // namespace tovrel
