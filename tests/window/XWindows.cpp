#include "XWindows.hpp"

#include "support/TestSupport.hpp"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>


namespace {
// A window that went away under a request (the game ended) fails that request only; Xlib's
// own handler would end the whole test process and leave its games running.
int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}

// The first (up to) four CARDINALs of `property` on `window` into `values`; zeros when it has none.
void readFour(Display* display, Window window, const char* property, int (&values)[4])
{
    values[0] = values[1] = values[2] = values[3] = 0;
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, 4, False, XA_CARDINAL, &type,
                           &format, &items, &after, &data) != Success || data == nullptr)
        return;
    for (unsigned long i = 0; i < items && i < 4 && format == 32; ++i)
        values[i] = static_cast<int>(reinterpret_cast<const long*>(data)[i]);
    XFree(data);
}
}

void XConnection::workArea(int (&area)[4])
{
    readFour(m_display, DefaultRootWindow(m_display), "_NET_WORKAREA", area);
}

void XConnection::frameExtents(Window window, int (&extents)[4])
{
    readFour(m_display, window, "_NET_FRAME_EXTENTS", extents);
}

XConnection::XConnection(const char* name)
    : m_display(XOpenDisplay(name))
{
    XSetErrorHandler(ignoreError);
}

XConnection::~XConnection()
{
    if (m_display != nullptr)
        XCloseDisplay(m_display);
}

Window XConnection::waitForWindow(const std::string& title, pid_t pid, double seconds)
{
    Window found = 0;
    eventually([&] { return (found = findTitled(DefaultRootWindow(m_display), title, pid)) != 0; }, seconds);
    return found;
}

Window XConnection::findTitled(Window root, const std::string& title, pid_t pid)
{
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, root, &rootReturn, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        if (XFetchName(m_display, children[i], &name) && name != nullptr) {
            // A window that names its process must be the one we started.
            int owner[4];
            readFour(m_display, children[i], "_NET_WM_PID", owner);
            const bool matches = title == name && (owner[0] == 0 || owner[0] == pid);
            XFree(name);
            XWindowAttributes attributes;
            if (matches && XGetWindowAttributes(m_display, children[i], &attributes)
                && attributes.map_state == IsViewable)
                found = children[i];
        }
        if (found == 0)
            found = findTitled(children[i], title, pid);
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

void XConnection::size(Window window, int& width, int& height)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(m_display, window, &attributes);
    width = attributes.width;
    height = attributes.height;
}

void XConnection::sendCloseRequest(Window window)
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XFlush(m_display);
}

void XConnection::setKey(unsigned long keysym, bool pressed)
{
    const KeyCode key = XKeysymToKeycode(m_display, static_cast<KeySym>(keysym));
    XTestFakeKeyEvent(m_display, key, pressed ? True : False, CurrentTime);
    XFlush(m_display);
}

Window XConnection::openPlainWindow()
{
    const Window root = DefaultRootWindow(m_display);
    const Window window = XCreateSimpleWindow(m_display, root, 0, 0, 200, 200, 0, 0, 0);
    XSelectInput(m_display, window, KeyPressMask | KeyReleaseMask);
    XMapRaised(m_display, window);
    XSync(m_display, False);
    return window;
}

void XConnection::focus(Window window)
{
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    XSync(m_display, False);
}

void XConnection::resize(Window window, int width, int height)
{
    XResizeWindow(m_display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(m_display, False);
}

void XConnection::position(Window window, int& x, int& y)
{
    Window child = 0;
    XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
}

Shot XConnection::shot(Window window)
{
    Shot shot;
    size(window, shot.width, shot.height);
    XImage* image = XGetImage(m_display, window, 0, 0, static_cast<unsigned>(shot.width),
                              static_cast<unsigned>(shot.height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return shot;
    shot.pixels.reserve(static_cast<std::size_t>(shot.width) * static_cast<std::size_t>(shot.height));
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            shot.pixels.push_back(XGetPixel(image, x, y) & 0xffffffUL);
    XDestroyImage(image);
    return shot;
}

void XConnection::pressKey(unsigned long keysym, Window window, bool shift)
{
    if (window != 0)
        focus(window);
    const KeyCode key = XKeysymToKeycode(m_display, static_cast<KeySym>(keysym));
    const KeyCode shiftKey = XKeysymToKeycode(m_display, XK_Shift_L);
    if (shift)
        XTestFakeKeyEvent(m_display, shiftKey, True, CurrentTime);
    XTestFakeKeyEvent(m_display, key, True, CurrentTime);
    XTestFakeKeyEvent(m_display, key, False, CurrentTime);
    if (shift)
        XTestFakeKeyEvent(m_display, shiftKey, False, CurrentTime);
    XFlush(m_display);
}

void XConnection::movePointer(Window window, int x, int y)
{
    int left = 0;
    int top = 0;
    position(window, left, top);
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), left + x, top + y, CurrentTime);
    XFlush(m_display);
}

void XConnection::setButton(bool pressed)
{
    XTestFakeButtonEvent(m_display, 1, pressed ? True : False, CurrentTime);
    XFlush(m_display);
}

double Shot::area(int left, int top, int right, int bottom) const
{
    double sum = 0.0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const unsigned long pixel = pixels[static_cast<std::size_t>(y * width + x)];
            sum += static_cast<double>(((pixel >> 16) & 0xff) + ((pixel >> 8) & 0xff) + (pixel & 0xff));
        }
    return sum / (static_cast<double>(bottom - top) * (right - left));
}

Shot XConnection::waitForShot(Window window, double seconds, const std::function<bool(const Shot&)>& wanted)
{
    Shot last;
    eventually([&] { return wanted(last = shot(window)); }, seconds, 0.1);
    return last;
}
