// The headless backend: backend choice, screenshots of windows and of the
// composed screen, cursors.
#include "platform/backend/HeadlessBackend.h"
#include "platform/backend/BackendChoice.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/codecs/ImageCodec.h"
#include "platform/rtl/MainThread.h"
#include "platform/wm/Wm.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tovrel::test {
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

    // A window region cuts the window on the screen too.
    SetWindowRgn(popup, CreateRectRgn(0, 0, 50, 40), 1);
    PumpWaitingMessages();
    const TSurface shaped = backend->ComposeScreen();
    EXPECT_EQ(At(shaped, 60, 50), RGB(0, 0, 200));
    EXPECT_EQ(At(shaped, 105, 50), RGB(200, 0, 0)) << "beside the region the window under it shows";
    EXPECT_EQ(At(shaped, 140, 50), RGB(0, 0, 0));
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

TEST_F(Headless, MonitorsAndWorkAreasComeFromTheBackend)
{
    backend->SetMonitors(
        {TMonitor{{0, 0, 1000, 800}, {0, 0, 1000, 760}}, TMonitor{{1000, 100, 1600, 700}, {1000, 100, 1600, 700}}});
    struct TCase {
        TPoint P;
        DWORD Flags;
        int Monitor; // 1-based; 0 = none
    } cases[] = {
        {{10, 10}, MONITOR_DEFAULTTONULL, 1},      {{1200, 300}, MONITOR_DEFAULTTONULL, 2},
        {{1200, 50}, MONITOR_DEFAULTTONULL, 0},    {{1200, 50}, MONITOR_DEFAULTTONEAREST, 2},
        {{1200, 50}, MONITOR_DEFAULTTOPRIMARY, 1}, {{-50, 900}, MONITOR_DEFAULTTONEAREST, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(MonitorFromPoint(c.P, c.Flags)), std::uintptr_t(c.Monitor))
            << c.P.X << "," << c.P.Y;
    RECT straddling = Rect(900, 200, 1300, 300);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(MonitorFromRect(&straddling, MONITOR_DEFAULTTONULL)), 2u);
    MONITORINFO info;
    ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint({10, 10}, MONITOR_DEFAULTTONULL), &info));
    EXPECT_EQ(info.rcWork, Rect(0, 0, 1000, 760));
    EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
    EXPECT_FALSE(GetMonitorInfo(reinterpret_cast<HMONITOR>(std::uintptr_t(3)), &info));
    RECT work;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work, Rect(0, 0, 1000, 760));

    // Maximizing fills the work area of the window's monitor.
    HWND w = Filled(Bounds(1100, 200, 100, 100), RGB(0, 0, 0), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ShowWindow(w, SW_SHOWMAXIMIZED);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r, Rect(1000, 100, 1600, 700));
    ShowWindow(w, SW_RESTORE);
    GetWindowRect(w, &r);
    EXPECT_EQ(r, Bounds(1100, 200, 100, 100));
}

TEST_F(Headless, LayeredWindowsKeepTheirContentAndReportTheCapability)
{
    EXPECT_FALSE(LayeredWindowsAvailable());
    backend->SetLayeredWindowsAvailable(true);
    EXPECT_TRUE(LayeredWindowsAvailable());
    backend->SetMonitors({TMonitor{{0, 0, 100, 100}, {0, 0, 100, 100}}});
    HWND under = Filled(Bounds(0, 0, 100, 100), RGB(0, 0, 200));
    HWND plain = Filled(Bounds(0, 0, 10, 10), RGB(0, 0, 0), WS_POPUP);
    EXPECT_FALSE(SetLayeredWindowAttributes(plain, 0, 128, LWA_ALPHA)) << "needs WS_EX_LAYERED";
    HWND glow = Filled(Bounds(0, 0, 10, 10), RGB(0, 0, 0), WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW);

    // A 20 x 20 picture: left half opaque red, right half transparent (premultiplied zeros).
    HDC memory = CreateCompatibleDC(nullptr);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biWidth = 20;
    bmi.bmiHeader.biHeight = -20;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(memory, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<std::uint8_t*>(bits);
    for (int i = 0; i < 20 * 20; ++i) {
        const bool left = i % 20 < 10;
        pixels[i * 4 + 2] = left ? 255 : 0;
        pixels[i * 4 + 3] = left ? 255 : 0;
    }
    SelectObject(memory, ToGdiObj(picture));
    POINT at{30, 40}, origin{0, 0};
    SIZE size{20, 20};
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    ASSERT_TRUE(UpdateLayeredWindow(glow, nullptr, &at, &size, memory, &origin, 0, &blend, ULW_ALPHA));
    ShowWindow(glow, SW_SHOWNA);
    InvalidateRect(glow, nullptr, 1);
    PumpWaitingMessages();
    DeleteDC(memory);
    DeleteObject(ToGdiObj(picture));

    RECT r;
    GetWindowRect(glow, &r);
    EXPECT_EQ(r, Bounds(30, 40, 20, 20));
    EXPECT_TRUE(IsPerPixelAlphaWindow(glow));
    const TSurface screen = backend->ComposeScreen();
    EXPECT_EQ(At(screen, 35, 45), RGB(255, 0, 0));
    EXPECT_EQ(At(screen, 45, 45), RGB(0, 0, 200)) << "the transparent half shows the window under it";
    EXPECT_EQ(GetActiveWindow(), under);

    // Without a compositor the same window shows as it is, opaque.
    backend->SetLayeredWindowsAvailable(false);
    EXPECT_EQ(At(backend->ComposeScreen(), 45, 45), RGB(0, 0, 0));
}

} // namespace
} // namespace tovrel::test
