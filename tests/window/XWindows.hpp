#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>
#include <vector>

// Small Xlib helpers: find the game's window and talk to it as a window manager or a
// keyboard would.
class XConnection {
public:
    // The display named by DISPLAY, or `name` (":7").
    explicit XConnection(const char* name = nullptr);
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    bool isOpen() const { return m_display != nullptr; }
    // Waits up to `seconds` for a mapped top-level window titled `title` (owned by `pid`
    // when the window names its process); 0 when none appeared.
    Window waitForWindow(const std::string& title, pid_t pid, double seconds);
    // The window's size in pixels.
    void size(Window window, int& width, int& height);
    // Where the window's top-left corner is on the screen.
    void position(Window window, int& x, int& y);
    // What the window shows, row by row, each pixel 0xRRGGBB; empty when it cannot be read.
    std::vector<unsigned long> screenshot(Window window, int& width, int& height);
    // Presses and releases the key of `keysym` (XK_F11, XK_space), first giving `window` the
    // keyboard when one is named; with `shift`, Shift is held meanwhile.
    void pressKey(unsigned long keysym, Window window = 0, bool shift = false);
    // The request a window manager sends when the close button is pressed.
    void sendCloseRequest(Window window);
    // Presses (true) or releases (false) the Escape key on the whole display.
    void setEscape(bool pressed);

private:
    Window findTitled(Window root, const std::string& title, pid_t pid);

    Display* m_display = nullptr;
};
