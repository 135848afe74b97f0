#include "HandOver.hpp"

#include "core/Diagnostics.hpp"

#include <X11/Xlib.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {
const char* const kVariable = "DRENNMOOR_PREVIEW_HANDOVER";  // "<pipe> <keeper's pid> <old window>"
constexpr int kKeepAtMost = 30 * 200;  // looks, 5 ms apart: a new program that never asks is
                                       // given 30 s before the old window goes anyway
constexpr std::size_t kMostKept = 4096;  // events recorded; more are dropped
constexpr double kTakeAtMost = 5.0;    // seconds the new program waits for the keeper
constexpr double kShownAtMost = 2.0;   // seconds the new window may take to be mapped

// The events the preview acts on that the keeper records.
bool worthKeeping(const sf::Event& event)
{
    return event.type == sf::Event::KeyPressed || event.type == sf::Event::KeyReleased ||
           event.type == sf::Event::TextEntered;
}

// The keeper, in the forked child: only the thread that forked lives on here, and it was the
// only one that used the window. It touches neither the audio nor OpenGL (only the events of
// the window, no drawing), keeps its events in a fixed array, and ends with _exit (no
// destructor, nothing of the parent's flushed twice).
[[noreturn]] void keepAndRecord(sf::Window& window, pid_t parent, int out)
{
    static sf::Event kept[kMostKept];
    std::size_t count = 0;
    bool asked = false;
    // Until the new program asks the window to close, or it ended (this one was handed to
    // another parent then).
    for (int look = 0; !asked && look < kKeepAtMost && getppid() == parent; ++look) {
        sf::Event event;
        while (!asked && window.pollEvent(event)) {
            asked = event.type == sf::Event::Closed;
            if (worthKeeping(event) && count < kMostKept)
                kept[count++] = event;
        }
        usleep(5000);
    }
    const char* bytes = reinterpret_cast<const char*>(kept);
    std::size_t left = count * sizeof(sf::Event);
    while (left > 0) {
        const ssize_t written = write(out, bytes, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        bytes += written;
        left -= static_cast<std::size_t>(written);
    }
    close(out);
    _exit(0);
}

// The keeper may have ended already, its window gone with it: errors are expected.
int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
}

bool HandOver::keep(sf::Window& window)
{
    const auto noKeeper = [] {
        reportLine(std::string("drennmoor-preview: keys pressed during the hand-over are lost: ") +
                   std::strerror(errno));
        return false;
    };
    int events[2];
    if (pipe(events) != 0)
        return noKeeper();
    const pid_t parent = getpid();
    const pid_t keeper = fork();
    if (keeper == 0) {
        close(events[0]);
        keepAndRecord(window, parent, events[1]);
    }
    if (keeper < 0) {
        const bool none = noKeeper();
        close(events[0]);
        close(events[1]);
        return none;
    }
    close(events[1]);
    char value[80];
    std::snprintf(value, sizeof value, "%d %ld %lu", events[0], static_cast<long>(keeper),
                  static_cast<unsigned long>(window.getSystemHandle()));
    setenv(kVariable, value, 1);
    return true;
}

HandOver::HandOver()
{
    const char* value = std::getenv(kVariable);
    if (value == nullptr)
        return;
    long keeper = -1;
    if (std::sscanf(value, "%d %ld %lu", &m_kept, &keeper, &m_oldWindow) != 3 || fcntl(m_kept, F_GETFD) < 0) {
        reportLine(std::string("drennmoor-preview: ") + kVariable + " names no keeper: " + value);
        m_kept = -1;
    } else {
        m_keeper = static_cast<pid_t>(keeper);
        fcntl(m_kept, F_SETFD, FD_CLOEXEC);
    }
    unsetenv(kVariable);
}

std::vector<sf::Event> HandOver::take(const sf::Window& window)
{
    if (m_keeper < 0)
        return {};
    std::vector<sf::Event> events;
    if (askToClose(window))
        events = readKept();
    else
        reportLine("drennmoor-preview: cannot reach the display: keys pressed during the hand-over are lost");
    close(m_kept);
    // A keeper that did not end in time ends now; none stays behind.
    if (waitpid(m_keeper, nullptr, WNOHANG) == 0) {
        kill(m_keeper, SIGKILL);
        waitpid(m_keeper, nullptr, 0);
    }
    m_keeper = -1;
    return events;
}

bool HandOver::askToClose(const sf::Window& window) const
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    const XErrorHandler previous = XSetErrorHandler(ignoreErrors);
    const Window shown = window.getSystemHandle();
    // The keyboard can only go to a window on screen.
    XWindowAttributes attributes{};
    for (const auto start = std::chrono::steady_clock::now();
         XGetWindowAttributes(display, shown, &attributes) != 0 && attributes.map_state != IsViewable &&
         secondsSince(start) < kShownAtMost;)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    Window focused = 0;
    int revertTo = 0;
    XGetInputFocus(display, &focused, &revertTo);
    if (focused == m_oldWindow)
        XSetInputFocus(display, shown, RevertToParent, CurrentTime);
    // Sent after the keyboard moved: every key the old window got comes before it.
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = m_oldWindow;
    close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, m_oldWindow, False, NoEventMask, &close);
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return true;
}

std::vector<sf::Event> HandOver::readKept()
{
    std::vector<char> bytes;
    char chunk[4096];
    for (const auto start = std::chrono::steady_clock::now(); secondsSince(start) < kTakeAtMost;) {
        pollfd ready = {m_kept, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0)
            continue;
        const ssize_t got = read(m_kept, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    std::vector<sf::Event> events(bytes.size() / sizeof(sf::Event));
    if (!events.empty())
        std::memcpy(static_cast<void*>(events.data()), bytes.data(), events.size() * sizeof(sf::Event));
    return events;
}
