// A window-layer demo: a top-level window with nested child windows, a
// drop-down list that never takes the focus, and a text field that takes
// Chinese input from the input method.
//
//   wmdemo                  runs on the backend TOVREL_BACKEND names (default: the desktop)
//   wmdemo --screenshot F   renders the same scene headless, types into the field,
//                           opens the list, writes the screen to the PNG file F
//   wmdemo --desktop-screenshot F
//                           the same on the desktop backend (an X display, e.g. Xvfb),
//                           grabbing the X screen: the desktop backend's smoke test
#include "DemoWidgets.h"

#include "platform/backend/BackendChoice.h"
#include "platform/backend/DesktopBackend.h"
#include "platform/backend/HeadlessBackend.h"
#include "platform/backend/X11Extras.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/codecs/ImageCodec.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/rtl/MainThread.h"

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

using namespace tovrel;

namespace {

HWND dropList = nullptr;

LRESULT MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
        ShowWindow(dropList, SW_HIDE); // a press elsewhere closes the list
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            ShowWindow(dropList, SW_HIDE);
        break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

struct TScene {
    HWND Main;
    HWND Button;
    HWND Field;
};

TScene BuildScene()
{
    demo::RegisterDemoClasses();
    WNDCLASSEX wc{};
    wc.lpfnWndProc = MainProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = "DemoMain";
    RegisterClassEx(&wc);
    HWND main = CreateWindowEx(0, "DemoMain", "Tovrel 窗口演示", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 30, 560,
                               360, nullptr, nullptr, nullptr, nullptr);
    HWND outer = demo::CreatePanel(main, Bounds(12, 12, 260, 220), RGB(40, 90, 160), "外层面板");
    HWND inner = demo::CreatePanel(outer, Bounds(20, 34, 210, 160), RGB(60, 140, 90), "内层面板");
    demo::CreatePanel(inner, Bounds(20, 34, 160, 90), RGB(170, 90, 40), "最内层");
    HWND label = demo::CreatePanel(main, Bounds(290, 12, 250, 28), RGB(90, 90, 90), "已选：（无）");
    dropList = demo::CreateDropList(main, {"MP4 视频", "AVI 视频", "MP3 音频", "GIF 动画"}, label);
    HWND button = demo::CreateDropButton(main, Bounds(290, 52, 160, 28), "选择格式", dropList);
    demo::CreatePanel(main, Bounds(290, 200, 250, 26), RGB(120, 120, 120), "输入框（可输入中文）：");
    HWND field = demo::CreateTextField(main, Bounds(290, 228, 250, 30));
    ShowWindow(main, SW_SHOW);
    SetFocus(field);
    return {main, button, field};
}

// Types into the field and opens the list, as a user would; false if the list took the focus.
bool PlayScene(const TScene& scene)
{
    InjectText("中文输入 Tovrel");
    RECT button;
    GetWindowRect(scene.Button, &button);
    const TPoint press{button.Left + 20, button.Top + 10};
    InjectMouseMove(press);
    InjectMouseButton(0, true, press);
    InjectMouseButton(0, false, press);
    InjectMouseMove({press.X, button.Bottom + 22 + 10}); // over the second item
    PumpWaitingMessages();
    if (GetFocus() == scene.Field)
        return true;
    std::fprintf(stderr, "wmdemo: the list took the focus\n");
    return false;
}

int Screenshot(const std::string& path)
{
    auto backend = std::static_pointer_cast<THeadlessBackend>(InstallBackend("headless"));
    backend->SetMonitors({TMonitor{{0, 0, 640, 420}, {0, 0, 640, 420}}});
    const TScene scene = BuildScene();
    PumpWaitingMessages();
    if (!PlayScene(scene)) {
        DestroyWindow(scene.Main);
        return 1;
    }
    SaveScreenPng(*backend, path);
    DestroyWindow(scene.Main);
    return 0;
}

// Until the display has mapped and drawn the windows: what it sent in answer
// to every request is handled, and so is the drawing that handling asked for.
void Settle(TDesktopBackend& desktop)
{
    do
        desktop.SyncWithDisplay();
    while (PumpWaitingMessages() > 0);
    desktop.SyncWithDisplay();
}

int DesktopScreenshot(const std::string& path)
{
    auto desktop = std::dynamic_pointer_cast<TDesktopBackend>(InstallBackend("desktop"));
    if (!desktop)
        throw std::runtime_error("the desktop backend is not there");
    const TScene scene = BuildScene();
    Settle(*desktop);
    const bool focusKept = PlayScene(scene);
    Settle(*desktop);
    const TSurface shot = X11GrabScreen();
    DestroyWindow(scene.Main);
    PumpWaitingMessages();
    desktop.reset();
    SetBackend(nullptr);
    if (!focusKept)
        return 1;
    if (shot.Empty())
        throw std::runtime_error("the X screen cannot be read");
    WriteImageFileBytes(path, EncodePng(shot, false));
    return 0;
}

int RunInteractive()
{
    InstallBackendFromEnvironment();
    BuildScene();
    MSG m;
    while (GetMessage(&m, nullptr, 0, 0)) {
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
    return int(m.wParam);
}

} // namespace

int main(int argc, char** argv)
{
    TMainThread::SetCurrent();
    try {
        const std::string first = argc > 1 ? argv[1] : "";
        if (first == "--screenshot" && argc == 3)
            return Screenshot(argv[2]);
        if (first == "--desktop-screenshot" && argc == 3)
            return DesktopScreenshot(argv[2]);
        if (argc == 1)
            return RunInteractive();
        std::fprintf(stderr, "usage: wmdemo [--screenshot FILE.png | --desktop-screenshot FILE.png]\n");
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wmdemo: %s\n", e.what());
        return 1;
    }
}
