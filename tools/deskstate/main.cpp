// A red form "Desktop state" and two dialogs it owns, on the desktop backend:
// one owned from the start, one ("Desktop state late dialog") shown on its own
// and given the form as owner afterwards.
//
//   deskstate REPORT
//
// "m" typed into the form minimizes it by its own code. Every 100 ms REPORT is
// rewritten whole (renamed into place):
//   iconic=0|1       the layer's state of the form
//   paints=N         WM_PAINT messages the form has had
//   pixel=RRGGBB     the X screen at the form's centre
#include "platform/backend/BackendChoice.h"
#include "platform/backend/X11Extras.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/MainThread.h"
#include "platform/wm/Wm.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

using namespace tovrel;

namespace {

constexpr COLORREF kFormColour = RGB(200, 40, 40);
std::string reportPath;
int paints = 0;

std::string ScreenPixelAt(TPoint p)
{
    const TSurface screen = X11GrabScreen();
    if (screen.Empty() || p.X < 0 || p.Y < 0 || p.X >= screen.Width() || p.Y >= screen.Height())
        return "none";
    const std::uint8_t* bgr = screen.ScanLine(p.Y) + p.X * 3;
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", bgr[2], bgr[1], bgr[0]);
    return text;
}

void WriteReport(HWND form)
{
    RECT r;
    GetWindowRect(form, &r);
    const std::string partial = reportPath + ".part";
    {
        std::ofstream out(partial, std::ios::trunc);
        out << "iconic=" << (IsIconic(form) ? 1 : 0) << "\n"
            << "paints=" << paints << "\n"
            << "pixel=" << ScreenPixelAt({r.Left + r.Width() / 2, r.Top + r.Height() / 2}) << "\n";
    }
    std::rename(partial.c_str(), reportPath.c_str());
}

LRESULT FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        ++paints;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH brush = CreateSolidBrush(kFormColour);
        FillRect(dc, &r, brush);
        DeleteObject(ToGdiObj(brush));
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == 'M')
            ShowWindow(hwnd, SW_MINIMIZE);
        return 0;
    case WM_TIMER: WriteReport(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

HWND Make(const char* title, TRect r, HWND owner)
{
    return CreateWindowEx(0, "DeskState", title, WS_POPUP | WS_VISIBLE, r.Left, r.Top, r.Width(), r.Height(), owner,
                          nullptr, nullptr, nullptr);
}

int Run()
{
    InstallBackend("desktop");
    WNDCLASSEX wc{};
    wc.lpfnWndProc = FormProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "DeskState";
    RegisterClassEx(&wc);
    // Apart, so the form's centre shows the screen behind it once it is iconified.
    HWND form = Make("Desktop state", Bounds(40, 40, 300, 200), nullptr);
    Make("Desktop state dialog", Bounds(420, 320, 200, 120), form);
    HWND late = Make("Desktop state late dialog", Bounds(420, 460, 200, 100), nullptr);
    SetWindowLongPtr(late, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(form));
    SetActiveWindow(form);
    SetTimer(form, 1, 100, nullptr);
    MSG m;
    while (GetMessage(&m, nullptr, 0, 0)) {
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
    SetBackend(nullptr);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    TMainThread::SetCurrent();
    if (argc != 2) {
        std::fprintf(stderr, "usage: deskstate REPORT\n");
        return 2;
    }
    reportPath = argv[1];
    try {
        return Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "deskstate: %s\n", e.what());
        return 1;
    }
}
