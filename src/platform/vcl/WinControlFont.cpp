// A windowed control's font as its window knows it: the control sends its
// Font (WM_SETFONT) when the window is made and whenever Font changes, so a
// hooked WindowProc sees every font change; a font sent from outside becomes
// Font; WM_GETFONT answers the font in use.
#include "platform/gdi/GdiObjects.h"
#include "platform/vcl/WinControl.h"

#include <utility>

namespace tovrel {

void TWinControl::SendFontToWindow()
{
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 1);
}

void TWinControl::SendChangedFont()
{
    // Taking a sent font changes Font, and the window has that font already.
    if (takingSentFont_)
        return;
    sentFont_ = nullptr;
    if (handle_)
        SendFontToWindow();
}

bool TWinControl::TakeSentFont(HFONT font)
{
    // No font means the system font, as for the platform's own controls.
    HGDIOBJ source = font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT);
    LOGFONT lf;
    if (GetObjectType(source) != OBJ_FONT || GetObject(source, int(sizeof(LOGFONT)), &lf) == 0)
        return false;
    const bool wasTaking = std::exchange(takingSentFont_, true);
    try {
        Font()->SetLogFont(lf);
    } catch (...) {
        takingSentFont_ = wasTaking;
        throw;
    }
    takingSentFont_ = wasTaking;
    sentFont_ = font;
    return true;
}

bool TWinControl::HandleFontMessage(TMessage& message)
{
    switch (message.Msg) {
    case WM_GETFONT: message.Result = reinterpret_cast<LRESULT>(sentFont_ ? sentFont_ : Font()->Handle()); return true;
    case WM_SETFONT: {
        message.Result = 0;
        auto* font = reinterpret_cast<HFONT>(message.WParam);
        // A handle that is no font changes nothing.
        if (font != Font()->Handle() && !TakeSentFont(font))
            return true;
        FontApplied();
        if (LOWORD(ULONG_PTR(message.LParam)))
            Invalidate();
        return true;
    }
    default: return false;
    }
}

} // namespace tovrel
