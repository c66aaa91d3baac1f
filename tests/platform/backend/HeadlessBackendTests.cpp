// The headless backend: backend choice, screenshots of windows and of the
// composed screen, cursors.
#include "platform/backend/BackendChoice.h"
#include "platform/backend/HeadlessBackend.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/codecs/ImageCodec.h"
#include "platform/rtl/MainThread.h"
#include "platform/wm/Wm.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tovrel {
namespace {

LRESULT FillProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH brush = CreateSolidBrush(COLORREF(GetWindowLongPtr(hwnd, GWLP_USERDATA)));
        FillRect(dc, &r, brush);
        DeleteObject(ToGdiObj(brush));
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class Headless : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMainThread::SetCurrent();
        backend = std::static_pointer_cast<THeadlessBackend>(InstallBackend("headless"));
        WNDCLASSEX wc{};
        wc.lpfnWndProc = FillProc;
        wc.hCursor = LoadCursor(nullptr, IDC_HAND);
        wc.lpszClassName = "Filled";
        RegisterClassEx(&wc);
    }
    void TearDown() override
    {
        for (HWND h : windows)
            DestroyWindow(h);
        PumpWaitingMessages();
        UnregisterClass("Filled", nullptr);
        SetBackend(nullptr);
    }
    HWND Filled(TRect r, COLORREF colour, DWORD style = WS_POPUP | WS_VISIBLE, DWORD ex = 0)
    {
        HWND h = CreateWindowEx(ex, "Filled", "", style, r.Left, r.Top, r.Width(), r.Height(), nullptr, nullptr,
                                nullptr, nullptr);
        SetWindowLongPtr(h, GWLP_USERDATA, LONG_PTR(colour));
        InvalidateRect(h, nullptr, 1);
        windows.push_back(h);
        return h;
    }
    static COLORREF At(const TSurface& s, int x, int y)
    {
        const std::uint8_t* p = s.ScanLine(y) + x * s.BytesPerPixel();
        return RGB(p[2], p[1], p[0]);
    }

    std::shared_ptr<THeadlessBackend> backend;
    std::vector<HWND> windows;
};

TEST_F(Headless, ChoosesTheBackendByName)
{
    EXPECT_THROW(InstallBackend("framebuffer"), std::invalid_argument);
    EXPECT_NE(std::dynamic_pointer_cast<THeadlessBackend>(InstallBackend("headless")), nullptr);
}

TEST_F(Headless, ScreenshotsShowWindowsAndTheScreenInZOrder)
{
    backend->SetMonitors({TMonitor{{0, 0, 200, 100}, {0, 0, 200, 90}}});
    HWND main = Filled(Bounds(10, 10, 100, 60), RGB(200, 0, 0));
    HWND popup = Filled(Bounds(50, 40, 100, 40), RGB(0, 0, 200), WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    ShowWindow(popup, SW_SHOWNA);
    PumpWaitingMessages();

    const auto folder = std::filesystem::temp_directory_path() / ("wm-shots-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    SaveWindowPng(main, (folder / "main.png").string());
    SaveScreenPng(*backend, (folder / "screen.png").string());
    const TSurface window = LoadImageFile((folder / "main.png").string());
    const TSurface screen = LoadImageFile((folder / "screen.png").string());
    std::filesystem::remove_all(folder);

    EXPECT_EQ(window.Width(), 100);
    EXPECT_EQ(At(window, 50, 30), RGB(200, 0, 0));
    ASSERT_EQ(screen.Width(), 200);
    EXPECT_EQ(At(screen, 5, 5), RGB(0, 0, 0));
    EXPECT_EQ(At(screen, 20, 20), RGB(200, 0, 0));
    EXPECT_EQ(At(screen, 60, 50), RGB(0, 0, 200)) << "the popup lies above";
    EXPECT_EQ(At(screen, 140, 50), RGB(0, 0, 200));
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_THROW(SaveWindowPng(nullptr, (folder / "none.png").string()), EImageError);
}

TEST_F(Headless, TheClassCursorReachesTheBackend)
{
    Filled(Bounds(0, 0, 50, 50), RGB(1, 2, 3));
    InjectMouseMove({10, 10});
    PumpWaitingMessages();
    EXPECT_EQ(backend->CursorShape(), TCursorShape::Hand);
    Filled(Bounds(100, 0, 50, 50), RGB(1, 2, 3), WS_POPUP | WS_VISIBLE | WS_THICKFRAME);
    InjectMouseMove({101, 20});
    PumpWaitingMessages();
    EXPECT_EQ(backend->CursorShape(), TCursorShape::SizeWE);
}

} // namespace
} // namespace tovrel
