#include "base/Path.h"

#include <algorithm>

namespace {

// Where the file name begins.
std::size_t NameStart(const std::string& path) {
    const std::size_t delimiter = path.find_last_of("\\/:");
    return delimiter == std::string::npos ? 0 : delimiter + 1;
}

bool IsAsciiLetter(char ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

// "CON", "aux.txt", "Com1 .jpg": names Windows takes for devices in any folder.
bool IsDeviceName(std::string name) {
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    for (char& ch : name)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" ||
        name == "CONOUT$")
        return true;
    return name.size() == 4 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "LPT") == 0) &&
           name[3] >= '0' && name[3] <= '9';
}

}  // namespace

std::string FolderPart(const std::string& path) {
    return path.substr(0, NameStart(path));
}

std::string FileNamePart(const std::string& path) {
    return path.substr(NameStart(path));
}

bool IsLocalDiskPath(const std::string& path) {
    if (path.size() < 4 || !IsAsciiLetter(path[0]) || path[1] != ':' ||
        (path[2] != '\\' && path[2] != '/'))
        return false;
    std::size_t start = 3;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find_first_of("\\/", start), path.size());
        if (IsDeviceName(path.substr(start, end - start)))
            return false;
        start = end + 1;
    }
    return true;
}
