#include "platform/ctrls/Header.h"

#include "platform/ctrls/HeaderState.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Window.h"

#include <cstring>

namespace tovrel {

namespace {

THeaderState* StateOf(HWND hwnd)
{
    return reinterpret_cast<THeaderState*>(GetWindowLongPtr(hwnd, 0));
}

LRESULT HeaderWindowProc(HWND hwnd, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_NCCREATE) {
        SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(new THeaderState(hwnd)));
        return DefWindowProc(hwnd, message, w, l);
    }
    THeaderState* state = StateOf(hwnd);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, 0, 0);
        delete state;
        return DefWindowProc(hwnd, message, w, l);
    }
    LRESULT result = 0;
    if (state && state->Handle(message, w, l, result))
        return result;
    return DefWindowProc(hwnd, message, w, l);
}

} // namespace

const char* HeaderClassName()
{
    static const bool registered = [] {
        WNDCLASSEX wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = HeaderWindowProc;
        wc.cbWndExtra = sizeof(void*);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kHeaderClassName;
        return RegisterClassEx(&wc) != 0;
    }();
    (void)registered;
    return kHeaderClassName;
}

HWND CreateHeaderWindow(HWND parent, int id)
{
    return CreateWindowEx(0, HeaderClassName(), "", WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_FULLDRAG, 0, 0, 0, 0,
                          parent, reinterpret_cast<HMENU>(std::intptr_t(id)), nullptr, nullptr);
}

int HeaderPressedItem(HWND header)
{
    if (GetClassNameString(header) != kHeaderClassName)
        return -1;
    THeaderState* state = StateOf(header);
    return state ? state->PressedItem() : -1;
}

} // namespace tovrel
