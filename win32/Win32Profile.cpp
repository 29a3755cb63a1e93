#include <windows.h>
// <windows.h> maps this name to its "A" function; here it is the interface's method.
#undef ReplaceFile

#include <cstring>

#include "app/Settings.h"
#include "base/Errors.h"
#include "win32/Win32AppServices.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32Text.h"

namespace {

constexpr DWORD kValueBufferSize = 2048;
// No stored value can hold these characters (the platform ends a value at the line break), so
// getting them back means the key is absent.
constexpr const wchar_t* kAbsent =
    L"\x01\x02"
    L"absent"
    L"\x02\x01";

constexpr char kUtf16Mark[] = "\xFF\xFE";
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

bool StartsWith(const std::string& bytes, const char* mark) {
    return bytes.compare(0, std::strlen(mark), mark) == 0;
}

// The private-profile functions write a file in UTF-16 only when it begins with the UTF-16
// byte-order mark: a file they create, and a file of 8-bit text, get every character outside
// the ANSI code page as "?" (so on Windows, and so measured under Wine). Before a value is
// written, a missing file is therefore made holding just the mark, and a file of 8-bit text
// (as the earlier versions wrote it: ANSI; or UTF-8 after a mark, which Wine reads) is
// rewritten in UTF-16 with everything it held. False when that cannot be done.
bool MakeUnicodeFile(const std::string& path) {
    Win32FileSystem files;
    try {
        std::string bytes;
        if (files.ReadFile(path, bytes, kMaxSettingsFileBytes) &&
            (StartsWith(bytes, kUtf16Mark) || StartsWith(bytes, "\xFE\xFF")))
            return true;
        const std::wstring text = StartsWith(bytes, kUtf8Mark)
                                      ? Widen(std::string_view(bytes).substr(3))
                                      : WidenAnsi(bytes);
        std::string utf16(kUtf16Mark, 2);
        utf16.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
        files.ReplaceFile(path, utf16);
        return true;
    } catch (const InOutError&) {
        return false;
    }
}

class Win32ProfileImpl : public ProfileStore {
public:
    bool ReadString(const std::string& file, const std::string& section, const std::string& key,
                    std::string& value) override {
        wchar_t buffer[kValueBufferSize] = {};
        const DWORD length =
            GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), kAbsent, buffer,
                                     kValueBufferSize, Widen(file).c_str());
        const std::wstring text(buffer, length);
        if (text == kAbsent)
            return false;
        value = Narrow(text);
        return true;
    }

    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override {
        return MakeUnicodeFile(file) &&
               WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                          Widen(value).c_str(), Widen(file).c_str()) != FALSE;
    }

    void Flush(const std::string& file) override {
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, Widen(file).c_str());
    }
};

}  // namespace

ProfileStore& Win32Profile() {
    static Win32ProfileImpl profile;
    return profile;
}
