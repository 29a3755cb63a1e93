#include "fakes/FakeProfile.h"

#include <algorithm>
#include <cctype>

#include "base/Errors.h"
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

// Parses the file's "[Section]" and "key=value" lines as the platform reads them.
void FakeProfile::Reload(const std::string& file) {
    if (!files_)
        return;
    profiles_.erase(std::remove_if(profiles_.begin(), profiles_.end(),
                                   [&](const File& f) { return Upper(f.path) == Upper(file); }),
                    profiles_.end());
    if (!files_->FileExists(file))
        return;
    File parsed{file, {}};
    const std::string text = files_->Contents(file);
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 2;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
            parsed.sections.push_back({line.substr(1, line.size() - 2), {}});
        else if (const size_t equals = line.find('=');
                 equals != std::string::npos && !parsed.sections.empty())
            parsed.sections.back().keys.push_back(
                {line.substr(0, equals), line.substr(equals + 1)});
    }
    profiles_.push_back(std::move(parsed));
}

bool FakeProfile::HasFile(const std::string& file) const {
    return FindFile(file) != nullptr;
}

bool FakeProfile::ReadString(const std::string& file, const std::string& section,
                             const std::string& key, std::string& value) {
    Reload(file);
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
    Reload(file);
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
            return Store(file);
        }
    }
    target->keys.push_back({key, value});
    return Store(file);
}

bool FakeProfile::Store(const std::string& file) {
    if (!files_)
        return true;
    try {
        files_->ReplaceFile(file, Text(file));
        return true;
    } catch (const InOutError&) {
        return false;
    }
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
