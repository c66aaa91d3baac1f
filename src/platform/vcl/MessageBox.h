#pragma once
// The platform's plain (unskinned) message box: text, a caption and the
// buttons the flags ask for, shown modally. Enter picks the default button,
// Escape the cancelling one (when the box has one).
#include "platform/wm/WinTypes.h"

#include <functional>
#include <string>

namespace tovrel {

constexpr UINT MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
               MB_RETRYCANCEL = 0x5, MB_ICONHAND = 0x10, MB_ICONSTOP = 0x10, MB_ICONERROR = 0x10,
               MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30, MB_ICONASTERISK = 0x40,
               MB_ICONINFORMATION = 0x40, MB_DEFBUTTON1 = 0x0, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200;
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;

int PlainMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);
inline int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags)
{
    return PlainMessageBox(owner, text, caption, flags);
}
inline int MessageBoxW(HWND owner, const std::string& text, const std::string& caption, UINT flags)
{
    return PlainMessageBox(owner, text, caption, flags);
}

// Tests answer boxes here instead of showing them (null: show them again).
using TMessageBoxHook = std::function<int(const std::string& text, const std::string& caption, UINT flags)>;
void SetMessageBoxHook(TMessageBoxHook hook);

} // namespace tovrel
