#pragma once
// Initialisation files in memory with the platform's rules: names match without regard to
// case, keys keep their place when overwritten, new sections and keys are appended. Writes
// to a chosen key can be made to fail.

#include <set>
#include <string>
#include <vector>

#include "app/Platform.h"

class MemoryFileSystem;

class FakeProfile : public ProfileStore {
public:
    // With a file system, the files live there only, as the platform's do: every call reads
    // the file's current text (so a copied, moved or removed file is seen as such), and a
    // write fails when the folder is missing or the file cannot be written, and otherwise
    // replaces the file with the new text.
    explicit FakeProfile(MemoryFileSystem* files = nullptr) : files_(files) {}

    bool ReadString(const std::string& file, const std::string& section, const std::string& key,
                    std::string& value) override;
    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
    void Flush(const std::string& file) override { flushes.push_back(file); }

    // The file as the platform would write it: "[Section]\r\nkey=value\r\n" lines.
    std::string Text(const std::string& file) const;
    bool HasFile(const std::string& file) const;

    // Writes of this key (any case, any file) fail.
    void FailKey(const std::string& key) { failingKeys_.insert(Upper(key)); }

    std::vector<std::string> writes;   // "file|section|key=value", in order
    std::vector<std::string> flushes;  // files flushed, in order

private:
    struct Key {
        std::string name, value;
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
    };
    struct File {
        std::string path;
        std::vector<Section> sections;
    };
    MemoryFileSystem* files_;
    std::vector<File> profiles_;
    std::set<std::string> failingKeys_;

    static std::string Upper(std::string text);
    bool Store(const std::string& file);
    void Reload(const std::string& file);
    File* FindFile(const std::string& path);
    const File* FindFile(const std::string& path) const;
};
