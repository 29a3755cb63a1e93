// Prints the colour profile the system names for the first display (GetICMProfileW on a DC of
// "\\.\DISPLAY1", as the program makes its DCs), in UTF-8. Exit code 1 when it names none.
#include <windows.h>

#include <cstdio>

int main() {
    HDC dc = CreateDCW(L"DISPLAY", L"\\\\.\\DISPLAY1", nullptr, nullptr);
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const bool named = dc && GetICMProfileW(dc, &size, path);
    if (dc)
        DeleteDC(dc);
    if (!named)
        return 1;
    char utf8[4 * MAX_PATH] = {};
    WideCharToMultiByte(CP_UTF8, 0, path, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
    return 0;
}
