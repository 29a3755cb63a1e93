#include "win32/Win32Services.h"

#include "base/Clock.h"
#include "base/FileSystem.h"
#include "ramp/Displays.h"
#include "win32/Win32Clock.h"
#include "win32/Win32Displays.h"
#include "win32/Win32FileSystem.h"

// Last: its macros would rename the interface methods declared above.
#include <windows.h>

#include "win32/Win32Handles.h"
#include "win32/Win32Text.h"

void UseWin32Services() {
    static Win32FileSystem files;
    static Win32Clock clock;
    static Win32DisplayPort displays;
    UseFileSystem(files);
    UseClock(clock);
    UseDisplayPort(displays);
}

std::string SystemText(unsigned long code) {
    LocalMemory<wchar_t*> buffer;
    // With FORMAT_MESSAGE_ALLOCATE_BUFFER the buffer argument receives the allocated text.
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(buffer.OutPointer()), 0, nullptr);
    std::string text;
    if (length != 0 && buffer)
        text = Narrow({buffer.get(), length});
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.pop_back();
    return text;
}

std::string SystemErrorText(unsigned long code) {
    const std::string text = SystemText(code);
    return text.empty() ? "I/O error " + std::to_string(code) : text;
}

char LocaleDecimalSeparator() {
    wchar_t buffer[8] = {};
    // A separator beyond ASCII cannot stand in one byte of the settings' number text.
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 0 && buffer[0] != 0 &&
        buffer[0] < 0x80)
        return static_cast<char>(buffer[0]);
    return '.';
}
