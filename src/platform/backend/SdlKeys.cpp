#include "platform/backend/SdlKeys.h"

#include "platform/wm/Keys.h"

#include <SDL.h>

#include <utility>

namespace tovrel {

namespace {

constexpr std::pair<SDL_Keycode, UINT> kKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},
    {SDLK_TAB, VK_TAB},
    {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},
    {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},
    {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},
    {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},
    {SDLK_LSHIFT, VK_LSHIFT},
    {SDLK_RSHIFT, VK_RSHIFT},
    {SDLK_LCTRL, VK_LCONTROL},
    {SDLK_RCTRL, VK_RCONTROL},
    {SDLK_LALT, VK_LMENU},
    {SDLK_RALT, VK_RMENU},
    {SDLK_LGUI, VK_LWIN},
    {SDLK_RGUI, VK_RWIN},
    {SDLK_APPLICATION, VK_APPS},
    {SDLK_PAUSE, VK_PAUSE},
    {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL},
    {SDLK_KP_DIVIDE, VK_DIVIDE},
    {SDLK_SEMICOLON, VK_OEM_1},
    {SDLK_EQUALS, VK_OEM_PLUS},
    {SDLK_COMMA, VK_OEM_COMMA},
    {SDLK_MINUS, VK_OEM_MINUS},
    {SDLK_PERIOD, VK_OEM_PERIOD},
    {SDLK_SLASH, VK_OEM_2},
    {SDLK_BACKQUOTE, VK_OEM_3},
    {SDLK_LEFTBRACKET, VK_OEM_4},
    {SDLK_BACKSLASH, VK_OEM_5},
    {SDLK_RIGHTBRACKET, VK_OEM_6},
    {SDLK_QUOTE, VK_OEM_7},
};

} // namespace

UINT VirtualKeyFromSdl(int sdlKeycode, int sdlScancode)
{
    // Letters and digits by position, so other keyboard layouts keep their shortcuts.
    if (sdlScancode >= SDL_SCANCODE_A && sdlScancode <= SDL_SCANCODE_Z)
        return UINT('A' + (sdlScancode - SDL_SCANCODE_A));
    if (sdlScancode >= SDL_SCANCODE_1 && sdlScancode <= SDL_SCANCODE_9)
        return UINT('1' + (sdlScancode - SDL_SCANCODE_1));
    if (sdlScancode == SDL_SCANCODE_0)
        return '0';
    if (sdlScancode >= SDL_SCANCODE_F1 && sdlScancode <= SDL_SCANCODE_F12)
        return UINT(VK_F1 + (sdlScancode - SDL_SCANCODE_F1));
    if (sdlScancode >= SDL_SCANCODE_KP_1 && sdlScancode <= SDL_SCANCODE_KP_9)
        return UINT(VK_NUMPAD0 + 1 + (sdlScancode - SDL_SCANCODE_KP_1));
    if (sdlScancode == SDL_SCANCODE_KP_0)
        return VK_NUMPAD0;
    for (const auto& [key, vk] : kKeys)
        if (key == sdlKeycode)
            return vk;
    return 0;
}

} // namespace tovrel
