#pragma once
// The window class of the frame's helper windows (border layers, the tray
// icon's hidden window): a name and a procedure, registered on first use.
#include "platform/wm/Wm.h"

namespace tovrel {

inline void RegisterPlainWindowClass(const char* Name, WNDPROC Proc)
{
    WNDCLASSEX wc;
    if (GetClassInfoEx(nullptr, Name, &wc))
        return;
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = Name;
    RegisterClassEx(&wc);
}

} // namespace tovrel
