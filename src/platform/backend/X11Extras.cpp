#include "platform/backend/X11Extras.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <string>
#include <vector>

namespace tovrel {

namespace {

bool X11Handles(SDL_Window* window, Display*& display, ::Window& xwindow)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    display = info.info.x11.display;
    xwindow = info.info.x11.window;
    return display != nullptr;
}

// Two windows of the same connection.
bool X11Handles(SDL_Window* window, SDL_Window* other, Display*& display, ::Window& xwindow, ::Window& xother)
{
    Display* otherDisplay = nullptr;
    return X11Handles(window, display, xwindow) && X11Handles(other, otherDisplay, xother) && otherDisplay == display;
}

// Makes the requests on the window's connection and sends them; false when the
// window is not an X11 window.
template <class TRequests> bool RequestOnX11Window(SDL_Window* window, TRequests&& requests)
{
    Display* display = nullptr;
    ::Window xwindow = 0;
    if (!X11Handles(window, display, xwindow))
        return false;
    requests(display, xwindow);
    XFlush(display);
    return true;
}

// The window manager's WM_STATE of the window; false while it manages none.
bool ReadWmState(Display* display, ::Window xwindow, long& state)
{
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool stated = XGetWindowProperty(display, xwindow, wmState, 0, 2, False, wmState, &type, &format, &count,
                                           &after, &data) == Success &&
                        type == wmState && format == 32 && count >= 1;
    if (stated)
        state = reinterpret_cast<const long*>(data)[0];
    if (data)
        XFree(data);
    return stated;
}

std::vector<Atom> ReadAtoms(Display* display, ::Window xwindow, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<Atom> atoms;
    if (XGetWindowProperty(display, xwindow, property, 0, 64, False, XA_ATOM, &type, &format, &count, &after, &data) ==
            Success &&
        type == XA_ATOM && format == 32)
        atoms.assign(reinterpret_cast<const Atom*>(data), reinterpret_cast<const Atom*>(data) + count);
    if (data)
        XFree(data);
    return atoms;
}

bool CompositorOwnsSelection(Display* display)
{
    const std::string name = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
    const Atom atom = XInternAtom(display, name.c_str(), False);
    return atom != None && XGetSelectionOwner(display, atom) != None;
}

} // namespace

unsigned long X11ArgbVisualId()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    unsigned long id = 0;
    XVisualInfo info;
    if (CompositorOwnsSelection(display) && XMatchVisualInfo(display, DefaultScreen(display), 32, TrueColor, &info))
        id = info.visualid;
    XCloseDisplay(display);
    return id;
}

bool X11ShapeWindow(SDL_Window* window, const TRegion* bounding, const TRegion* input)
{
    Display* display = nullptr;
    ::Window xwindow = 0;
    if (!X11Handles(window, display, xwindow))
        return false;
    int eventBase = 0, errorBase = 0;
    if (!XShapeQueryExtension(display, &eventBase, &errorBase))
        return false;
    const auto shape = [&](int kind, const TRegion* region) {
        if (!region) {
            XShapeCombineMask(display, xwindow, kind, 0, 0, None, ShapeSet);
            return;
        }
        std::vector<XRectangle> rects;
        region->ForEachRect([&](const TRect& r) {
            rects.push_back({short(r.Left), short(r.Top), static_cast<unsigned short>(r.Width()),
                             static_cast<unsigned short>(r.Height())});
        });
        XShapeCombineRectangles(display, xwindow, kind, 0, 0, rects.data(), int(rects.size()), ShapeSet, YXBanded);
    };
    shape(ShapeBounding, bounding);
    shape(ShapeInput, input ? input : bounding);
    XFlush(display);
    return true;
}

bool X11StackBelow(SDL_Window* window, SDL_Window* above)
{
    Display* display = nullptr;
    ::Window xwindow = 0, xabove = 0;
    if (!X11Handles(window, above, display, xwindow, xabove))
        return false;
    XWindowChanges changes{};
    changes.sibling = xabove;
    changes.stack_mode = Below;
    // Under a reparenting window manager the two are not siblings: this asks the manager instead.
    const bool done =
        XReconfigureWMWindow(display, xwindow, DefaultScreen(display), CWSibling | CWStackMode, &changes) != 0;
    XFlush(display);
    return done;
}

bool X11SetTransientFor(SDL_Window* window, SDL_Window* owner)
{
    Display* display = nullptr;
    ::Window xwindow = 0, xowner = 0;
    if (owner ? !X11Handles(window, owner, display, xwindow, xowner) : !X11Handles(window, display, xwindow))
        return false;
    if (owner)
        XSetTransientForHint(display, xwindow, xowner);
    else
        XDeleteProperty(display, xwindow, XA_WM_TRANSIENT_FOR);
    XFlush(display);
    return true;
}

bool X11SetTaskbarEntry(SDL_Window* window, bool entry)
{
    return RequestOnX11Window(window, [entry](Display* display, ::Window xwindow) {
        const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
        const Atom skip = XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False);
        long wmState = 0;
        if (ReadWmState(display, xwindow, wmState)) {
            // Managed: the window manager owns _NET_WM_STATE and is asked (EWMH).
            XEvent e{};
            e.xclient.type = ClientMessage;
            e.xclient.window = xwindow;
            e.xclient.message_type = state;
            e.xclient.format = 32;
            e.xclient.data.l[0] = entry ? 0 : 1; // remove, add
            e.xclient.data.l[1] = long(skip);
            e.xclient.data.l[3] = 1; // from an application
            XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
                       &e);
            return;
        }
        std::vector<Atom> atoms = ReadAtoms(display, xwindow, state);
        std::erase(atoms, skip);
        if (!entry)
            atoms.push_back(skip);
        XChangeProperty(display, xwindow, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(atoms.data()), int(atoms.size()));
    });
}

bool X11SetDialogType(SDL_Window* window, bool dialog)
{
    return RequestOnX11Window(window, [dialog](Display* display, ::Window xwindow) {
        const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
        const Atom value =
            XInternAtom(display, dialog ? "_NET_WM_WINDOW_TYPE_DIALOG" : "_NET_WM_WINDOW_TYPE_NORMAL", False);
        XChangeProperty(display, xwindow, type, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&value), 1);
    });
}

bool X11Iconify(SDL_Window* window, bool iconic)
{
    return RequestOnX11Window(window, [iconic](Display* display, ::Window xwindow) {
        if (iconic)
            XIconifyWindow(display, xwindow, DefaultScreen(display));
        else
            XMapRaised(display, xwindow); // mapping an iconic window brings it back (ICCCM)
    });
}

bool X11IsIconic(SDL_Window* window, bool& iconic)
{
    Display* display = nullptr;
    ::Window xwindow = 0;
    long state = 0;
    if (!X11Handles(window, display, xwindow) || !ReadWmState(display, xwindow, state))
        return false;
    // A window still on the screen is not iconic, whatever the state says (it
    // reads Iconic for a moment while a window manager takes a new window on).
    XWindowAttributes attributes;
    iconic = state == IconicState &&
             !(XGetWindowAttributes(display, xwindow, &attributes) && attributes.map_state == IsViewable);
    return true;
}

bool X11PointerPosition(SDL_Window* window, TPoint& screen)
{
    Display* display = nullptr;
    ::Window xwindow = 0;
    if (!X11Handles(window, display, xwindow))
        return false;
    ::Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, xwindow, &root, &child, &rootX, &rootY, &x, &y, &mask))
        return false; // on another screen
    screen = {rootX, rootY};
    return true;
}

int X11ConnectionFd(SDL_Window* window)
{
    Display* display = nullptr;
    ::Window xwindow = 0;
    return X11Handles(window, display, xwindow) ? ConnectionNumber(display) : -1;
}

bool X11Sync(SDL_Window* window)
{
    Display* display = nullptr;
    ::Window xwindow = 0;
    if (!X11Handles(window, display, xwindow))
        return false;
    XSync(display, False);
    return true;
}

TSurface X11GrabScreen()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return {};
    const ::Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    TSurface shot;
    if (XImage* image = XGetImage(display, root, 0, 0, unsigned(attributes.width), unsigned(attributes.height),
                                  AllPlanes, ZPixmap)) {
        shot = TSurface(attributes.width, attributes.height, TPixelFormat::pf24bit);
        for (int y = 0; y < attributes.height; ++y) {
            std::uint8_t* row = shot.ScanLine(y);
            for (int x = 0; x < attributes.width; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                row[x * 3] = std::uint8_t(pixel & image->blue_mask);
                row[x * 3 + 1] = std::uint8_t((pixel & image->green_mask) >> 8);
                row[x * 3 + 2] = std::uint8_t((pixel & image->red_mask) >> 16);
            }
        }
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return shot;
}

} // namespace tovrel
