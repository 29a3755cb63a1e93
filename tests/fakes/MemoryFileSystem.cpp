#include "fakes/MemoryFileSystem.h"

#include <algorithm>
#include <bit>
#include <cctype>

#include "base/Errors.h"

std::string MemoryFileSystem::Key(std::string path) {
    for (char& ch : path) {
        if (ch == '/')
            ch = '\\';
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    }
    while (path.size() > 1 && path.back() == '\\')
        path.pop_back();
    return path;
}

namespace {
std::string ParentKey(const std::string& key) {
    size_t slash = key.find_last_of('\\');
    return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

bool Matches(const char* pattern, const char* name) {
    if (*pattern == 0)
        return *name == 0;
    if (*pattern == '*')
        return Matches(pattern + 1, name) || (*name != 0 && Matches(pattern, name + 1));
    if (*name == 0)
        return false;
    if (*pattern != '?' && std::toupper(static_cast<unsigned char>(*pattern)) !=
                               std::toupper(static_cast<unsigned char>(*name)))
        return false;
    return Matches(pattern + 1, name + 1);
}
}  // namespace

MemoryFileSystem::Entry* MemoryFileSystem::Find(const std::string& path) {
    const std::string key = Key(path);
    for (Entry& e : files_)
        if (Key(e.path) == key)
            return &e;
    return nullptr;
}

bool MemoryFileSystem::FileExists(const std::string& path) {
    return Find(path) != nullptr;
}

bool MemoryFileSystem::FolderExists(const std::string& path) {
    return folders_.count(Key(path)) != 0;
}

bool MemoryFileSystem::ReadFile(const std::string& path, std::string& contents,
                                std::size_t maxBytes) {
    Entry* e = Find(path);
    if (!e)
        return false;
    if (e->data.size() > maxBytes)
        throw TooLargeError(maxBytes);
    const auto failing = failingReads_.find(Key(path));
    if (failing != failingReads_.end()) {
        if (!failing->second)
            throw InOutError("File access denied", 5);
        throw ReadError("Read fault", 30, e->data.substr(0, *failing->second));
    }
    contents = e->data;
    return true;
}

void MemoryFileSystem::ReplaceFile(const std::string& path, const std::string& contents) {
    const std::string key = Key(path);
    for (const std::string& prefix : failingPrefixes_)
        if (key.compare(0, prefix.size(), prefix) == 0)
            throw InOutError("File access denied", 5);
    if (!FolderExists(ParentKey(key)))
        throw InOutError("Path not found", 3);
    writes.push_back(path);
    if (Entry* e = Find(path)) {
        e->data = contents;
        e->time += 1.0 / 86400000;  // a new write time, as on a disk
        return;
    }
    files_.push_back({path, contents, 0});
}

std::string MemoryFileSystem::WriteTemporaryBeside(const std::string& path,
                                                   const std::string& contents) {
    const std::string key = Key(path);
    for (const std::string& prefix : failingPrefixes_)
        if (key.compare(0, prefix.size(), prefix) == 0)
            throw InOutError("Disk full", 112);
    if (!FolderExists(ParentKey(key)))
        throw InOutError("Path not found", 3);
    const std::string temporary = path.substr(0, path.find_last_of("\\/") + 1) + "tnc" +
                                  std::to_string(++temporaries_) + ".tmp";
    files_.push_back({temporary, contents, 0});
    temporaryKeys_.insert(Key(temporary));
    return temporary;
}

void MemoryFileSystem::MoveFileOver(const std::string& from, const std::string& to) {
    const std::string key = Key(to);
    for (const std::string& prefix : failingMoves_)
        if (key.compare(0, prefix.size(), prefix) == 0)
            throw InOutError("File access denied", 5);
    Entry* source = Find(from);
    if (!source)
        throw InOutError("File not found", 2);
    moves.push_back(from + " -> " + to);
    if (!temporaryKeys_.count(key))
        writes.push_back(to);
    const std::string data = source->data;
    Remove(from);
    AddFile(to, data);
}

bool MemoryFileSystem::RemoveFile(const std::string& path) {
    if (!Find(path))
        return false;
    Remove(path);
    return true;
}

bool MemoryFileSystem::CreateFolder(const std::string& path) {
    const std::string key = Key(path);
    if (failingFolders_.count(key) || FolderExists(key) || !FolderExists(ParentKey(key)))
        return false;
    folders_.insert(key);
    createdFolders.push_back(path);
    return true;
}

std::vector<std::string> MemoryFileSystem::ListFolder(const std::string& folder,
                                                      const std::string& pattern) {
    std::vector<std::string> names;
    const std::string folderKey = Key(folder);
    for (const Entry& e : files_) {
        if (ParentKey(Key(e.path)) != folderKey)
            continue;
        std::string name = e.path.substr(e.path.find_last_of("\\/") + 1);
        if (Matches(pattern.c_str(), name.c_str()))
            names.push_back(name);
    }
    return names;
}

bool MemoryFileSystem::FileTimeLocal(const std::string& path, double& days) {
    Entry* e = Find(path);
    if (!e)
        return false;
    days = e->time;
    return true;
}

bool MemoryFileSystem::FileStamp(const std::string& path, std::uint64_t& size,
                                 std::uint64_t& writeTime) {
    Entry* e = Find(path);
    if (!e)
        return false;
    size = e->data.size();
    writeTime = std::bit_cast<std::uint64_t>(e->time);
    return true;
}

void MemoryFileSystem::AddFile(const std::string& path, const std::string& contents, double time) {
    AddFolder(ParentKey(Key(path)));
    if (Entry* e = Find(path)) {
        e->data = contents;
        e->time = time;
        return;
    }
    files_.push_back({path, contents, time});
}

void MemoryFileSystem::AddFolder(const std::string& path) {
    std::string key = Key(path);
    while (!key.empty()) {
        folders_.insert(key);
        key = ParentKey(key);
    }
}

std::string MemoryFileSystem::Contents(const std::string& path) const {
    const std::string key = Key(path);
    for (const Entry& e : files_)
        if (Key(e.path) == key)
            return e.data;
    return {};
}

void MemoryFileSystem::Remove(const std::string& path) {
    const std::string key = Key(path);
    files_.erase(std::remove_if(files_.begin(), files_.end(),
                                [&](const Entry& e) { return Key(e.path) == key; }),
                 files_.end());
}
