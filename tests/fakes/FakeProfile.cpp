#include "fakes/FakeProfile.h"

#include <cctype>

#include "fakes/MemoryFileSystem.h"

std::string FakeProfile::Upper(std::string text) {
    for (char& ch : text)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return text;
}

FakeProfile::File* FakeProfile::FindFile(const std::string& path) {
    for (File& f : profiles_)
        if (Upper(f.path) == Upper(path))
            return &f;
    return nullptr;
}

const FakeProfile::File* FakeProfile::FindFile(const std::string& path) const {
    return const_cast<FakeProfile*>(this)->FindFile(path);
}

bool FakeProfile::HasFile(const std::string& file) const {
    return FindFile(file) != nullptr;
}

bool FakeProfile::ReadString(const std::string& file, const std::string& section,
                             const std::string& key, std::string& value) {
    const File* f = FindFile(file);
    if (!f)
        return false;
    for (const Section& s : f->sections) {
        if (Upper(s.name) != Upper(section))
            continue;
        for (const Key& k : s.keys) {
            if (Upper(k.name) != Upper(key))
                continue;
            value = k.value.substr(0, 2047);
            return true;
        }
    }
    return false;
}

bool FakeProfile::WriteString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& value) {
    if (failingKeys_.count(Upper(key)))
        return false;
    if (files_) {
        const size_t cut = file.find_last_of('\\');
        if (cut == std::string::npos || !files_->FolderExists(file.substr(0, cut)))
            return false;
    }
    writes.push_back(file + "|" + section + "|" + key + "=" + value);
    File* f = FindFile(file);
    if (!f) {
        profiles_.push_back({file, {}});
        f = &profiles_.back();
    }
    Section* target = nullptr;
    for (Section& s : f->sections)
        if (Upper(s.name) == Upper(section))
            target = &s;
    if (!target) {
        f->sections.push_back({section, {}});
        target = &f->sections.back();
    }
    for (Key& k : target->keys) {
        if (Upper(k.name) == Upper(key)) {
            k.value = value;
            Store(file);
            return true;
        }
    }
    target->keys.push_back({key, value});
    Store(file);
    return true;
}

void FakeProfile::Store(const std::string& file) {
    if (files_)
        files_->ReplaceFile(file, Text(file));
}

std::string FakeProfile::Text(const std::string& file) const {
    std::string text;
    const File* f = FindFile(file);
    if (!f)
        return text;
    for (const Section& s : f->sections) {
        text += "[" + s.name + "]\r\n";
        for (const Key& k : s.keys)
            text += k.name + "=" + k.value + "\r\n";
    }
    return text;
}
