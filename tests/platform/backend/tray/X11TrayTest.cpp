// The X11 tray host against a test tray manager on an X server of its own
// (x11_tray.sh starts it and names it in DISPLAY): docking requests, a
// manager that starts late or restarts, none at all, and clicks.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/backend/X11Tray.h"
#include "platform/rtl/MainThread.h"
#include "platform/wm/Backend.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Messages.h"
#include "platform/wm/Window.h"
#include "platform/wm/Wm.h"

#include <X11/Xlib.h>

namespace tovrel::test {

namespace {

constexpr UINT kCallback = 2048;

// A tray manager: owns the tray selection and records the docking requests.
class TTestManager {
public:
    explicit TTestManager(Display* dpy) : dpy_(dpy)
    {
        const int screen = DefaultScreen(dpy);
        root_ = RootWindow(dpy, screen);
        selection_ = XInternAtom(dpy, ("_NET_SYSTEM_TRAY_S" + std::to_string(screen)).c_str(), False);
        opcode_ = XInternAtom(dpy, "_NET_SYSTEM_TRAY_OPCODE", False);
        window_ = XCreateSimpleWindow(dpy, root_, 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(dpy, selection_, window_, CurrentTime);
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = root_;
        e.xclient.message_type = XInternAtom(dpy, "MANAGER", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = CurrentTime;
        e.xclient.data.l[1] = long(selection_);
        e.xclient.data.l[2] = long(window_);
        XSendEvent(dpy, root_, False, StructureNotifyMask, &e);
        XFlush(dpy);
    }
    ~TTestManager()
    {
        XDestroyWindow(dpy_, window_);
        XSync(dpy_, False);
    }
    // The icon windows asked to be docked so far.
    std::vector<::Window> Requests()
    {
        while (XPending(dpy_)) {
            XEvent e;
            XNextEvent(dpy_, &e);
            // The connection is shared with earlier managers: only this one's requests count.
            if (e.type == ClientMessage && e.xclient.window == window_ && e.xclient.message_type == opcode_ &&
                e.xclient.data.l[1] == 0)
                requests_.push_back(::Window(e.xclient.data.l[2]));
        }
        return requests_;
    }

private:
    Display* dpy_;
    ::Window root_ = 0, window_ = 0;
    Atom selection_ = 0, opcode_ = 0;
    std::vector<::Window> requests_;
};

// A backend with only the X11 tray; the windows live in memory.
class TTrayOnlyBackend : public TBackend {
public:
    TTrayHost* Tray() override { return &tray; }
    TX11Tray tray;
};

std::vector<LPARAM> g_actions;
int g_created = 0;

// Puts its icon back when a tray appears, as the tray icon component does.
LRESULT IconOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kCallback) {
        g_actions.push_back(lParam);
        return 0;
    }
    if (message == TaskbarCreatedMessage()) {
        ++g_created;
        NOTIFYICONDATA data;
        data.hWnd = hwnd;
        data.uID = 1;
        Shell_NotifyIcon(NIM_ADD, &data);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

} // namespace

class X11TrayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X server (x11_tray.sh)";
        TMainThread::SetCurrent();
        dpy = XOpenDisplay(nullptr);
        ASSERT_NE(nullptr, dpy) << getenv("DISPLAY");
        auto b = std::make_shared<TTrayOnlyBackend>();
        backend = b.get();
        SetBackend(b);
        WNDCLASSEX wc;
        wc.lpfnWndProc = &IconOwnerProc;
        wc.lpszClassName = "X11TrayTestOwner";
        RegisterClassEx(&wc);
        owner = CreateWindowEx(0, "X11TrayTestOwner", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        g_actions.clear();
        g_created = 0;
    }
    void TearDown() override
    {
        if (!dpy)
            return;
        DestroyWindow(owner);
        SetBackend(nullptr);
        XCloseDisplay(dpy);
    }
    NOTIFYICONDATA Icon()
    {
        NOTIFYICONDATA data;
        data.hWnd = owner;
        data.uID = 1;
        data.uFlags = NIF_MESSAGE | NIF_TIP;
        data.uCallbackMessage = kCallback;
        data.szTip = "tray test";
        return data;
    }
    // Runs the layer's messages until `done` holds (or ten seconds passed).
    bool Until(const std::function<bool()>& done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            TMainThread::Pump();
            MSG msg;
            while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessage(&msg);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }
    ::Window IconWindow() { return ::Window(backend->tray.IconWindow(owner, 1)); }

    Display* dpy = nullptr;
    TTrayOnlyBackend* backend = nullptr;
    HWND owner = nullptr;
};

TEST_F(X11TrayTest, WithoutAManagerAddingFails)
{
    const NOTIFYICONDATA data = Icon();
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &data));
    EXPECT_EQ(0u, IconWindow());
}

TEST_F(X11TrayTest, TheIconAsksTheManagerToDockItAndComesBackAfterARestart)
{
    const NOTIFYICONDATA data = Icon();
    auto manager = std::make_unique<TTestManager>(dpy);
    ASSERT_TRUE(Until([&] { return g_created == 1; })) << "the starting manager is noticed";
    g_created = 0;
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    ASSERT_NE(0u, IconWindow());
    ASSERT_TRUE(Until([&] { return !manager->Requests().empty(); }));
    EXPECT_EQ(IconWindow(), manager->Requests().back());

    // The manager's program restarts: the icon is docked again with the new one.
    manager.reset();
    manager = std::make_unique<TTestManager>(dpy);
    ASSERT_TRUE(Until([&] { return !manager->Requests().empty(); })) << "re-added after the restart";
    EXPECT_EQ(IconWindow(), manager->Requests().back());
    EXPECT_EQ(1, g_created);

    // A press on the icon reaches the window as the callback message.
    XEvent e{};
    e.xbutton.type = ButtonPress;
    e.xbutton.window = IconWindow();
    e.xbutton.button = Button1;
    e.xbutton.time = 1000;
    XSendEvent(dpy, IconWindow(), False, ButtonPressMask, &e);
    e.xbutton.type = ButtonRelease;
    XSendEvent(dpy, IconWindow(), False, ButtonReleaseMask, &e);
    XFlush(dpy);
    ASSERT_TRUE(Until([&] { return g_actions.size() >= 2; }));
    EXPECT_EQ((std::vector<LPARAM>{WM_LBUTTONDOWN, WM_LBUTTONUP}), g_actions);

    EXPECT_TRUE(Shell_NotifyIcon(NIM_DELETE, &data));
    EXPECT_EQ(0u, IconWindow());
}

} // namespace tovrel::test
