#include "skin/controls/SkinNumEdit.h"

#include "platform/wm/Keys.h"
#include "platform/wm/Monitors.h"

namespace tovrel {

namespace {

constexpr char16_t kDecimalSeparator = u'.', kMinus = u'-', kBackspace = 8, kEnter = 13;

void Fire(const TNotifyEvent& event, TObject* sender)
{
    if (event)
        event(sender);
}

} // namespace

bool TskSkinNumEdit::IsValidChar(char16_t Key)
{
    const bool control = Key < 32 && Key != kEnter;
    bool valid = Key == kMinus || (Key >= u'0' && Key <= u'9') || control || (Float && Key == kDecimalSeparator);
    if (valid && !EditorEnabled && (Key >= 32 || Key == kBackspace || Key == u'.'))
        valid = false;
    const std::string text = Text();
    if (Key == kDecimalSeparator && text.find(char(kDecimalSeparator)) != std::string::npos)
        valid = false;
    if (Key == kMinus) {
        // One sign, in front: a '-' elsewhere would not be a number. A
        // selection from the start may replace an existing sign.
        const bool replacesSign = SelStart() == 0 && SelLength() > 0;
        if ((text.find('-') != std::string::npos && !replacesSign) || SelStart() != 0)
            valid = false;
    }
    return valid;
}

void TskSkinNumEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_UP) {
        Fire(OnUpClick, this);
        Key = 0;
        return;
    }
    if (Key == VK_DOWN) {
        Fire(OnDownClick, this);
        Key = 0;
        return;
    }
    TskCustomEdit::KeyDown(Key, Shift);
}

void TskSkinNumEdit::KeyPress(char16_t& Key)
{
    if (!IsValidChar(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    if (Key != 0)
        TskCustomEdit::KeyPress(Key);
}

void TskSkinNumEdit::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEWHEEL:
        // A notch away from the user steps down, towards the user up.
        Fire(std::int32_t(message.WParam) > 0 ? OnDownClick : OnUpClick, this);
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TskCustomEdit::WndProc(message);
        Fire(message.Msg == CM_MOUSEENTER ? OnMouseEnter : OnMouseLeave, this);
        return;
    default: TskCustomEdit::WndProc(message); return;
    }
}

} // namespace tovrel
