#include <windows.h>

#include "win32/Win32AppServices.h"

namespace {

constexpr DWORD kValueBufferSize = 2048;
// No stored value can hold these bytes (the platform ends a value at the line break), so
// getting them back means the key is absent.
constexpr const char* kAbsent =
    "\x01\x02"
    "absent"
    "\x02\x01";

class Win32ProfileImpl : public ProfileStore {
public:
    bool ReadString(const std::string& file, const std::string& section, const std::string& key,
                    std::string& value) override {
        char buffer[kValueBufferSize] = {};
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, buffer,
                                                      kValueBufferSize, file.c_str());
        std::string text(buffer, length);
        if (text == kAbsent)
            return false;
        value = text;
        return true;
    }

    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override {
        return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                          file.c_str()) != FALSE;
    }

    void Flush(const std::string& file) override {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    }
};

}  // namespace

ProfileStore& Win32Profile() {
    static Win32ProfileImpl profile;
    return profile;
}
