#include "base/Path.h"

namespace {

// Where the file name begins.
std::size_t NameStart(const std::string& path) {
    const std::size_t delimiter = path.find_last_of("\\/:");
    return delimiter == std::string::npos ? 0 : delimiter + 1;
}

}  // namespace

std::string FolderPart(const std::string& path) {
    return path.substr(0, NameStart(path));
}

std::string FileNamePart(const std::string& path) {
    return path.substr(NameStart(path));
}
