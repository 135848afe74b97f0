#ifndef _WIN32
#include "core/DesktopWorkArea.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {
// How long the window manager may take to say which frame a new window would get.
constexpr std::chrono::milliseconds kFrameAnswerLimit(500);
constexpr std::chrono::milliseconds kFrameAnswerPoll(5);

// Up to `count` 32-bit items of `property` on `window` into `values`; how many were read.
std::size_t readProperty(Display* display, Window window, Atom property, Atom type, long* values, std::size_t count)
{
    Atom actualType = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, static_cast<long>(count), False, type, &actualType,
                           &format, &items, &after, &data) != Success)
        return 0;
    std::size_t read = 0;
    if (data != nullptr && format == 32 && actualType == type) {
        // Xlib hands 32-bit items over as longs.
        const long* items32 = reinterpret_cast<const long*>(data);
        for (; read < items && read < count; ++read)
            values[read] = items32[read];
    }
    if (data != nullptr)
        XFree(data);
    return read;
}

bool windowManagerSupports(Display* display, Window root, Atom feature)
{
    long supported[512];
    const std::size_t count =
        readProperty(display, root, XInternAtom(display, "_NET_SUPPORTED", False), XA_ATOM, supported, 512);
    return std::find(supported, supported + count, static_cast<long>(feature)) != supported + count;
}

// The frame the window manager would give a new window: asked for a window that is never
// mapped, so nothing shows. No frame when the window manager does not answer.
WindowFrame askFrame(Display* display, Window root)
{
    const Atom request = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    WindowFrame frame;
    if (!windowManagerSupports(display, root, request))
        return frame;
    const Window probe = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, probe, PropertyChangeMask);
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = probe;
    message.xclient.message_type = request;
    message.xclient.format = 32;
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &message);
    XFlush(display);
    const auto deadline = std::chrono::steady_clock::now() + kFrameAnswerLimit;
    long values[4];
    while (std::chrono::steady_clock::now() < deadline) {
        XSync(display, False);
        if (readProperty(display, probe, extents, XA_CARDINAL, values, 4) == 4) {
            frame.left = static_cast<unsigned>(std::max(values[0], 0L));
            frame.right = static_cast<unsigned>(std::max(values[1], 0L));
            frame.top = static_cast<unsigned>(std::max(values[2], 0L));
            frame.bottom = static_cast<unsigned>(std::max(values[3], 0L));
            break;
        }
        std::this_thread::sleep_for(kFrameAnswerPoll);
    }
    XDestroyWindow(display, probe);
    return frame;
}

// The work area of the current virtual desktop, as the window manager publishes it.
std::optional<sf::IntRect> readWorkArea(Display* display, Window root)
{
    long desktop = 0;
    readProperty(display, root, XInternAtom(display, "_NET_CURRENT_DESKTOP", False), XA_CARDINAL, &desktop, 1);
    long areas[4 * 32];
    const std::size_t count =
        readProperty(display, root, XInternAtom(display, "_NET_WORKAREA", False), XA_CARDINAL, areas, 4 * 32);
    const std::size_t first = desktop >= 0 && static_cast<std::size_t>(desktop) * 4 + 4 <= count
                                  ? static_cast<std::size_t>(desktop) * 4
                                  : 0;
    if (count < first + 4 || areas[first + 2] <= 0 || areas[first + 3] <= 0)
        return std::nullopt;
    return sf::IntRect(static_cast<int>(areas[first]), static_cast<int>(areas[first + 1]),
                       static_cast<int>(areas[first + 2]), static_cast<int>(areas[first + 3]));
}
}

std::optional<WorkArea> desktopWorkArea(sf::Vector2u desktop)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return std::nullopt;
    const Window root = DefaultRootWindow(display);
    std::optional<WorkArea> workArea;
    sf::IntRect shared;
    const std::optional<sf::IntRect> area = readWorkArea(display, root);
    if (area && area->intersects(sf::IntRect(0, 0, static_cast<int>(desktop.x), static_cast<int>(desktop.y)),
                                 shared)) {
        workArea = WorkArea{shared, askFrame(display, root)};
    }
    XCloseDisplay(display);
    return workArea;
}
#endif
