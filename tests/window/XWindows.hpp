#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>

// Small Xlib helpers: find the game's window and talk to it as a window manager or a
// keyboard would.
class XConnection {
public:
    XConnection();
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    bool isOpen() const { return m_display != nullptr; }
    // Waits up to `seconds` for a mapped top-level window titled `title` (owned by `pid`
    // when the window names its process); 0 when none appeared.
    Window waitForWindow(const std::string& title, pid_t pid, double seconds);
    // The window's size in pixels.
    void size(Window window, int& width, int& height);
    // The request a window manager sends when the close button is pressed.
    void sendCloseRequest(Window window);
    // Presses (true) or releases (false) the Escape key on the whole display.
    void setEscape(bool pressed);

private:
    Window findTitled(Window root, const std::string& title, pid_t pid);

    Display* m_display = nullptr;
};
