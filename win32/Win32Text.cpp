#include "win32/Win32Text.h"

#include <windows.h>

namespace {

std::wstring WidenFrom(UINT codePage, std::string_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(length > 0 ? length : 0, L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

// Bytes that are not UTF-8 become U+FFFD rather than failing the whole text.
std::wstring Widen(std::string_view utf8) {
    return WidenFrom(CP_UTF8, utf8);
}

std::wstring WidenAnsi(std::string_view ansi) {
    return WidenFrom(CP_ACP, ansi);
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(length > 0 ? length : 0, '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}
