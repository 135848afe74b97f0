#include "core/WorkingFolder.hpp"

#include "core/Diagnostics.hpp"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cwchar>

void useProgramFolder()
{
    // The longest path Windows knows, so a deep folder is not cut.
    static wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(nullptr, path, sizeof path / sizeof path[0]);
    wchar_t* slash = length > 0 && length < sizeof path / sizeof path[0] ? std::wcsrchr(path, L'\\') : nullptr;
    if (slash)
        *slash = L'\0';
    if (!slash || !SetCurrentDirectoryW(path))
        reportLine("Unable to make the game's folder the working folder; files are read from where it started");
}
#else
void useProgramFolder() {}
#endif
