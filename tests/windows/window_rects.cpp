// Asks Windows where the game's window lies, as the player's desktop has it. Writes one line
// to the file given: the work area, the window's frame and its client area, each as
// "left,top,right,bottom" in screen pixels; or "none" when no window titled "Drennmoor" is
// open on this desktop. With "close" after the file, then closes the window as its close
// button would. Built by the MinGW compiler for the Wine test (wine_test.sh).
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr)
        return 3;
    const HWND window = FindWindowW(nullptr, L"Drennmoor");
    RECT workArea{}, frame{}, client{};
    POINT clientCorner{0, 0};
    if (window == nullptr || !SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0)
        || !GetWindowRect(window, &frame) || !GetClientRect(window, &client)
        || !ClientToScreen(window, &clientCorner)) {
        std::fprintf(out, "none\n");
        std::fclose(out);
        return 0;
    }
    OffsetRect(&client, clientCorner.x, clientCorner.y);
    std::fprintf(out, "work %ld,%ld,%ld,%ld frame %ld,%ld,%ld,%ld client %ld,%ld,%ld,%ld\n", workArea.left, workArea.top,
                 workArea.right, workArea.bottom, frame.left, frame.top, frame.right, frame.bottom, client.left,
                 client.top, client.right, client.bottom);
    std::fclose(out);
    if (argc > 2 && std::strcmp(argv[2], "close") == 0)
        PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}
