#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

// What a window shows, row by row, each pixel 0xRRGGBB (empty when it could not be read).
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<unsigned long> pixels;

    // The mean brightness (0 to 765) of the rows from `top` to `bottom`, excluded.
    double rows(int top, int bottom) const { return area(0, top, width, bottom); }
    // The same of the columns from `left` to `right` of those rows.
    double area(int left, int top, int right, int bottom) const;
    // Whether it shows the film rather than black: its middle fifth is lit.
    bool showsFilm() const { return !pixels.empty() && rows(height * 2 / 5, height * 3 / 5) > 30.0; }
};

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
    Window root() const { return DefaultRootWindow(m_display); }
    // Waits up to `seconds` for a mapped top-level window titled `title` (owned by `pid`
    // when the window names its process); 0 when none appeared.
    Window waitForWindow(const std::string& title, pid_t pid, double seconds);
    void size(Window window, int& width, int& height);
    // Where the window's top-left corner is on the screen.
    void position(Window window, int& x, int& y);
    Shot shot(Window window);
    // What the window shows once `wanted` accepts it, waiting up to `seconds`; the last
    // picture when it never did. waitForFilm waits for the film (not the lead-in's black).
    Shot waitForShot(Window window, double seconds, const std::function<bool(const Shot&)>& wanted);
    Shot waitForFilm(Window window, double seconds)
    {
        return waitForShot(window, seconds, [](const Shot& shot) { return shot.showsFilm(); });
    }
    // Presses and releases the key of `keysym` (XK_F11, XK_space), first giving `window` the
    // keyboard when one is named; with `shift`, Shift is held meanwhile.
    void pressKey(unsigned long keysym, Window window = 0, bool shift = false);
    // The request a window manager sends when the close button is pressed.
    void sendCloseRequest(Window window);
    // Presses (true) or releases (false) the key of `keysym` on the whole display.
    void setKey(unsigned long keysym, bool pressed);
    // A plain window of another program, as a desktop has: mapped, and gone with the connection.
    Window openPlainWindow();
    void focus(Window window);  // gives it the keyboard, as a click on it would
    // Moves the pointer to (x, y) in `window`, and presses (true) or releases (false) its
    // left button where it is.
    void movePointer(Window window, int x, int y);
    void setButton(bool pressed);
    void resize(Window window, int width, int height);  // as a user dragging its border would
    // The work area a window manager publishes for the current desktop (left, top, width,
    // height), all zero when none does.
    void workArea(int (&area)[4]);
    // The frame the window manager put around `window` (left, right, top, bottom), all zero
    // when it says none.
    void frameExtents(Window window, int (&extents)[4]);

private:
    Window findTitled(Window root, const std::string& title, pid_t pid);

    Display* m_display = nullptr;
};
