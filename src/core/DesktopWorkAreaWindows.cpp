#ifdef _WIN32
#include "core/DesktopWorkArea.hpp"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {
// The frame of sf::Style::Default as SFML makes it on Windows: a title bar with the minimise
// button, a resizable border with the maximise button, and the close button.
constexpr DWORD kGameWindowStyle = WS_CAPTION | WS_MINIMIZEBOX | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_SYSMENU;
}

std::optional<WorkArea> desktopWorkArea(sf::Vector2u)
{
    // In the pixels the window will be made in: SFML makes the process DPI-aware when it opens
    // its first window, and a scaled desktop would otherwise report a smaller work area.
    SetProcessDPIAware();
    RECT area;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        return std::nullopt;
    RECT frame = {0, 0, 0, 0};
    if (!AdjustWindowRectEx(&frame, kGameWindowStyle, FALSE, 0))
        return std::nullopt;
    WorkArea workArea;
    workArea.area = sf::IntRect(area.left, area.top, area.right - area.left, area.bottom - area.top);
    workArea.frame.left = static_cast<unsigned>(-frame.left);
    workArea.frame.top = static_cast<unsigned>(-frame.top);
    workArea.frame.right = static_cast<unsigned>(frame.right);
    workArea.frame.bottom = static_cast<unsigned>(frame.bottom);
    return workArea;
}
#endif
