// Key state, key and text input translation.
#include "platform/rtl/Text.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Window.h"
#include "platform/wm/WmInternal.h"

#include <array>
#include <atomic>
#include <utility>

namespace tovrel {

namespace {

// Text comes right after its own key press, or not at all.
bool keyDownUntranslated = false;
// Another key went down while Alt was held (seen as input arrives, so a press
// that a handler took before the default handling still counts).
bool keyUnderAlt = false;
bool altReleasedAlone = false;

constexpr SHORT kDown = SHORT(0x8000);

struct TKeyStates {
    std::array<std::atomic<bool>, 256> AsyncDown{};
    std::array<bool, 256> Down{};
    std::array<bool, 256> Toggled{};
};

TKeyStates& Keys()
{
    static TKeyStates keys;
    return keys;
}

// The generic key a left/right key also sets.
UINT GenericKey(UINT vk)
{
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return vk;
    }
}

HWND KeyboardTarget()
{
    auto& sys = WindowSystem();
    if (sys.Focus && IsWindow(sys.Focus))
        return sys.Focus;
    return sys.Active && IsWindow(sys.Active) ? sys.Active : nullptr;
}

} // namespace

void SetSyncKeyState(UINT vk, bool down)
{
    auto& keys = Keys();
    for (UINT k : {vk & 0xFF, GenericKey(vk) & 0xFF}) {
        if (down && !keys.Down[k])
            keys.Toggled[k] = !keys.Toggled[k];
        keys.Down[k] = down;
    }
}

SHORT GetKeyState(int vk)
{
    if (vk < 0 || vk > 255)
        return 0;
    auto& keys = Keys();
    return SHORT((keys.Down[std::size_t(vk)] ? kDown : 0) | (keys.Toggled[std::size_t(vk)] ? 1 : 0));
}

SHORT GetAsyncKeyState(int vk)
{
    if (vk < 0 || vk > 255)
        return 0;
    return Keys().AsyncDown[std::size_t(vk)] ? kDown : 0;
}

void SetAsyncKeyState(UINT vk, bool down)
{
    auto& keys = Keys();
    keys.AsyncDown[vk & 0xFF] = down;
    keys.AsyncDown[GenericKey(vk) & 0xFF] = down;
}

void InjectKey(UINT vk, bool down)
{
    SetAsyncKeyState(vk, down);
    TRawInput input;
    input.Kind = down ? TRawKind::KeyDown : TRawKind::KeyUp;
    input.Vk = vk;
    MessageQueue().PostRaw(std::move(input));
}

void InjectText(std::string_view utf8)
{
    TRawInput input;
    input.Kind = TRawKind::Text;
    input.Text = std::string(utf8);
    MessageQueue().PostRaw(std::move(input));
}

void InjectAppDeactivated()
{
    TRawInput input;
    input.Kind = TRawKind::AppDeactivated;
    MessageQueue().PostRaw(std::move(input));
}

void CookKey(const TRawInput& raw)
{
    const bool down = raw.Kind == TRawKind::KeyDown;
    const UINT generic = GenericKey(raw.Vk);
    const bool wasDown = GetKeyState(int(generic)) < 0;
    if (down)
        keyUnderAlt = generic == VK_MENU ? keyUnderAlt && wasDown : true;
    else if (generic == VK_MENU)
        altReleasedAlone = !keyUnderAlt;
    SetSyncKeyState(raw.Vk, down);
    const HWND target = KeyboardTarget();
    if (!target)
        return;
    const bool alt = GetKeyState(VK_MENU) < 0 || (!down && generic == VK_MENU);
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool noFocus = !WindowSystem().Focus;
    const bool system = (alt && !ctrl) || generic == VK_F10 || noFocus;
    LPARAM l = 1;
    if (alt && !ctrl)
        l |= KF_ALTDOWN_BIT;
    if (wasDown)
        l |= KF_REPEAT_BIT;
    if (!down)
        l |= KF_REPEAT_BIT | KF_UP_BIT;
    const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    QueueCooked(target, message, generic, l);
}

bool AltReleasedAlone()
{
    return altReleasedAlone;
}

void KeyDownRetrieved(const MSG& m, bool removed)
{
    if (removed && (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN))
        keyDownUntranslated = true;
}

void ForgetUntranslatedKeyDown()
{
    keyDownUntranslated = false;
}

void KeyDownTranslated(const MSG& m)
{
    if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN)
        keyDownUntranslated = false;
}

void CookText(const TRawInput& raw)
{
    if (std::exchange(keyDownUntranslated, false))
        return;
    const HWND target = KeyboardTarget();
    if (!target)
        return;
    for (char16_t unit : Utf8ToUtf16(raw.Text))
        QueueCooked(target, WM_CHAR, WPARAM(unit), 1);
}

} // namespace tovrel
