#include "platform/backend/X11Tray.h"

#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Messages.h"

#include <algorithm>
#include <bit>
#include <set>
#include <utility>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace tovrel {

namespace {

constexpr long kRequestDock = 0;
constexpr int kIconSize = 22;
constexpr long kIconEvents = ExposureMask | StructureNotifyMask | ButtonPressMask | ButtonReleaseMask |
                             PointerMotionMask | EnterWindowMask | LeaveWindowMask;

// A channel of `mask` from an 8-bit value (TrueColor visuals).
unsigned long Channel(unsigned value, unsigned long mask)
{
    if (!mask)
        return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    return ((value >> (8 - std::min(bits, 8))) << shift) & mask;
}

// A tray manager may go away at any moment: requests naming its window then
// fail, which must not end the program. Errors of other connections go to
// the handler that was there before.
std::mutex g_displaysMutex;
std::set<Display*> g_displays;
XErrorHandler g_previousHandler = nullptr;

int IgnoreTrayErrors(Display* dpy, XErrorEvent* e)
{
    {
        std::lock_guard lock(g_displaysMutex);
        if (g_displays.contains(dpy))
            return 0;
    }
    return g_previousHandler ? g_previousHandler(dpy, e) : 0;
}

void WatchErrors(Display* dpy, bool on)
{
    std::lock_guard lock(g_displaysMutex);
    if (on && g_displays.empty())
        g_previousHandler = XSetErrorHandler(&IgnoreTrayErrors);
    if (on)
        g_displays.insert(dpy);
    else
        g_displays.erase(dpy);
}

} // namespace

struct TX11Tray::TState {
    struct TIconWindow {
        TTrayIcon Icon;
        ::Window Win = 0;
        Time LastPress = 0;
    };

    Display* Dpy = nullptr;
    ::Window Root = 0;
    Atom Selection = 0, Opcode = 0, Manager = 0, XEmbedInfo = 0, NetWmName = 0, Utf8 = 0;
    ::Window ManagerWindow = 0;
    std::map<std::pair<HWND, UINT>, TIconWindow> Icons;

    ::Window Owner()
    {
        const ::Window owner = XGetSelectionOwner(Dpy, Selection);
        if (owner != None && owner != ManagerWindow) {
            ManagerWindow = owner;
            XSelectInput(Dpy, owner, StructureNotifyMask);
        }
        return owner;
    }

    void SetName(::Window win, const std::string& tip)
    {
        const auto* text = reinterpret_cast<const unsigned char*>(tip.data());
        XChangeProperty(Dpy, win, NetWmName, Utf8, 8, PropModeReplace, text, int(tip.size()));
        XStoreName(Dpy, win, tip.c_str());
    }

    ::Window Create(const TTrayIcon& icon)
    {
        XSetWindowAttributes a{};
        a.background_pixmap = ParentRelative;
        a.event_mask = kIconEvents;
        const ::Window win = XCreateWindow(Dpy, Root, 0, 0, kIconSize, kIconSize, 0, CopyFromParent, InputOutput,
                                           CopyFromParent, CWBackPixmap | CWEventMask, &a);
        // XEmbed version 0, mapped by the embedder.
        const long info[2] = {0, 1};
        XChangeProperty(Dpy, win, XEmbedInfo, XEmbedInfo, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(info), 2);
        XClassHint hint{const_cast<char*>("tovrel"), const_cast<char*>("Tovrel")};
        XSetClassHint(Dpy, win, &hint);
        SetName(win, icon.Tip);
        return win;
    }

    void Dock(::Window owner, ::Window win)
    {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = owner;
        e.xclient.message_type = Opcode;
        e.xclient.format = 32;
        e.xclient.data.l[0] = CurrentTime;
        e.xclient.data.l[1] = kRequestDock;
        e.xclient.data.l[2] = long(win);
        XSendEvent(Dpy, owner, False, NoEventMask, &e);
    }

    // The picture centred in the window, its half-transparent pixels left to
    // the tray's background.
    void Draw(const TIconWindow& w)
    {
        XWindowAttributes a{};
        if (!XGetWindowAttributes(Dpy, w.Win, &a))
            return;
        XClearWindow(Dpy, w.Win);
        const TSurface& p = w.Icon.Picture;
        const int size = std::min(a.width, a.height);
        if (p.Width() <= 0 || p.Height() <= 0 || size <= 0 || a.visual->c_class != TrueColor)
            return;
        const int ox = (a.width - size) / 2, oy = (a.height - size) / 2;
        XImage* image =
            XCreateImage(Dpy, a.visual, unsigned(a.depth), ZPixmap, 0, nullptr, unsigned(size), unsigned(size), 32, 0);
        if (!image)
            return;
        image->data = static_cast<char*>(calloc(std::size_t(image->bytes_per_line), std::size_t(size)));
        const Pixmap mask = XCreatePixmap(Dpy, w.Win, unsigned(size), unsigned(size), 1);
        GC maskGc = XCreateGC(Dpy, mask, 0, nullptr);
        XSetForeground(Dpy, maskGc, 0);
        XFillRectangle(Dpy, mask, maskGc, 0, 0, unsigned(size), unsigned(size));
        XSetForeground(Dpy, maskGc, 1);
        for (int y = 0; y < size; ++y) {
            const std::uint8_t* row = p.ScanLine(y * p.Height() / size);
            for (int x = 0; x < size; ++x) {
                const std::uint8_t* px = row + (x * p.Width() / size) * 4;
                if (px[3] < 128)
                    continue;
                XPutPixel(image, x, y,
                          Channel(px[2], a.visual->red_mask) | Channel(px[1], a.visual->green_mask) |
                              Channel(px[0], a.visual->blue_mask));
                XDrawPoint(Dpy, mask, maskGc, x, y);
            }
        }
        GC gc = XCreateGC(Dpy, w.Win, 0, nullptr);
        XSetClipMask(Dpy, gc, mask);
        XSetClipOrigin(Dpy, gc, ox, oy);
        XPutImage(Dpy, w.Win, gc, image, 0, 0, ox, oy, unsigned(size), unsigned(size));
        XFreeGC(Dpy, gc);
        XFreeGC(Dpy, maskGc);
        XFreePixmap(Dpy, mask);
        XDestroyImage(image);
    }

    TIconWindow* Find(::Window win)
    {
        for (auto& [key, w] : Icons)
            if (w.Win == win)
                return &w;
        return nullptr;
    }

    static void Post(const TIconWindow& w, UINT action)
    {
        PostMessage(w.Icon.Window, w.Icon.CallbackMessage, WPARAM(w.Icon.Id), LPARAM(action));
    }

    void Handle(XEvent& e)
    {
        if (e.type == ClientMessage && e.xclient.message_type == Manager && Atom(e.xclient.data.l[1]) == Selection) {
            Owner();
            NotifyTrayCreated();
            return;
        }
        if (e.type == DestroyNotify && e.xdestroywindow.window == ManagerWindow) {
            ManagerWindow = 0;
            return;
        }
        TIconWindow* w = Find(e.xany.window);
        if (!w)
            return;
        switch (e.type) {
        case Expose:
            if (e.xexpose.count == 0)
                Draw(*w);
            break;
        case ConfigureNotify: Draw(*w); break;
        // A tray that went away gives its icons back to the root window: no
        // stray squares on the desktop.
        case ReparentNotify:
            if (e.xreparent.parent == Root)
                XUnmapWindow(Dpy, w->Win);
            break;
        case ButtonPress: {
            const unsigned button = e.xbutton.button;
            if (button == Button1) {
                const bool twice = w->LastPress && e.xbutton.time - w->LastPress <= GetDoubleClickTime();
                w->LastPress = twice ? 0 : e.xbutton.time;
                Post(*w, twice ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN);
            } else if (button == Button2 || button == Button3) {
                Post(*w, button == Button3 ? WM_RBUTTONDOWN : WM_MBUTTONDOWN);
            }
            break;
        }
        case ButtonRelease:
            if (e.xbutton.button >= Button1 && e.xbutton.button <= Button3)
                Post(*w, e.xbutton.button == Button1   ? WM_LBUTTONUP
                         : e.xbutton.button == Button3 ? WM_RBUTTONUP
                                                       : WM_MBUTTONUP);
            break;
        case EnterNotify:
        case MotionNotify: Post(*w, WM_MOUSEMOVE); break;
        case LeaveNotify: Post(*w, WM_MOUSELEAVE); break;
        default: break;
        }
    }
};

TX11Tray::TX11Tray(const std::string& display, TNoteSender notes)
    : state_(std::make_unique<TState>()), notes_(std::move(notes))
{
    TState& s = *state_;
    s.Dpy = XOpenDisplay(display.empty() ? nullptr : display.c_str());
    if (!s.Dpy || pipe2(wake_, O_CLOEXEC) != 0) {
        if (s.Dpy)
            XCloseDisplay(s.Dpy);
        s.Dpy = nullptr;
        return;
    }
    WatchErrors(s.Dpy, true);
    const int screen = DefaultScreen(s.Dpy);
    s.Root = RootWindow(s.Dpy, screen);
    s.Selection = XInternAtom(s.Dpy, ("_NET_SYSTEM_TRAY_S" + std::to_string(screen)).c_str(), False);
    s.Opcode = XInternAtom(s.Dpy, "_NET_SYSTEM_TRAY_OPCODE", False);
    s.Manager = XInternAtom(s.Dpy, "MANAGER", False);
    s.XEmbedInfo = XInternAtom(s.Dpy, "_XEMBED_INFO", False);
    s.NetWmName = XInternAtom(s.Dpy, "_NET_WM_NAME", False);
    s.Utf8 = XInternAtom(s.Dpy, "UTF8_STRING", False);
    // A manager announces itself to the root window.
    XSelectInput(s.Dpy, s.Root, StructureNotifyMask);
    s.Owner();
    XFlush(s.Dpy);
    watcher_ = std::thread([this] { Watch(); });
}

TX11Tray::~TX11Tray()
{
    if (watcher_.joinable()) {
        const char quit = 'q';
        (void)!write(wake_[1], &quit, 1);
        watcher_.join();
    }
    for (int fd : wake_)
        if (fd >= 0)
            close(fd);
    if (state_->Dpy) {
        XCloseDisplay(state_->Dpy);
        WatchErrors(state_->Dpy, false);
    }
}

void TX11Tray::Watch()
{
    Display* dpy = state_->Dpy;
    for (;;) {
        pollfd fds[2] = {{ConnectionNumber(dpy), POLLIN, 0}, {wake_[0], POLLIN, 0}};
        {
            // Replies read by the other calls may have queued events already.
            std::lock_guard lock(mutex_);
            while (XPending(dpy)) {
                XEvent e;
                XNextEvent(dpy, &e);
                state_->Handle(e);
            }
            XFlush(dpy);
        }
        if (poll(fds, 2, -1) < 0)
            continue;
        if (fds[1].revents & POLLIN) {
            char c = 0;
            if (read(wake_[0], &c, 1) == 1 && c == 'q')
                return;
        }
    }
}

// Sends what is queued and has the watcher look at the events these calls'
// replies may have queued.
void TX11Tray::Flush()
{
    XFlush(state_->Dpy);
    const char check = 'c';
    (void)!write(wake_[1], &check, 1);
}

bool TX11Tray::Add(const TTrayIcon& Icon)
{
    std::lock_guard lock(mutex_);
    TState& s = *state_;
    if (!s.Dpy)
        return false;
    const ::Window owner = s.Owner();
    if (owner == None)
        return false;
    auto& w = s.Icons[{Icon.Window, Icon.Id}];
    w.Icon = Icon;
    if (!w.Win)
        w.Win = s.Create(Icon);
    s.Dock(owner, w.Win);
    Flush();
    return true;
}

bool TX11Tray::Modify(const TTrayIcon& Icon)
{
    std::lock_guard lock(mutex_);
    TState& s = *state_;
    const auto found = s.Dpy ? s.Icons.find({Icon.Window, Icon.Id}) : s.Icons.end();
    if (found == s.Icons.end())
        return false;
    found->second.Icon = Icon;
    s.SetName(found->second.Win, Icon.Tip);
    s.Draw(found->second);
    const bool docked = s.Owner() != None;
    Flush();
    return docked;
}

bool TX11Tray::Delete(HWND Window, UINT Id)
{
    std::lock_guard lock(mutex_);
    TState& s = *state_;
    const auto found = s.Dpy ? s.Icons.find({Window, Id}) : s.Icons.end();
    if (found == s.Icons.end())
        return false;
    XDestroyWindow(s.Dpy, found->second.Win);
    s.Icons.erase(found);
    Flush();
    return true;
}

bool TX11Tray::Note(const TTrayIcon&, const std::string& Title, const std::string& Text, DWORD Kind)
{
    return notes_ && notes_(Title, Text, Kind);
}

unsigned long TX11Tray::IconWindow(HWND Window, UINT Id) const
{
    std::lock_guard lock(mutex_);
    const auto found = state_->Icons.find({Window, Id});
    return found == state_->Icons.end() ? 0 : found->second.Win;
}

} // namespace tovrel
