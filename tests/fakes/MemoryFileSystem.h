#pragma once
// In-memory file system with Windows rules (names match without regard to case), a log of
// writes and injectable failures.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/FileSystem.h"

class MemoryFileSystem : public FileSystem {
public:
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    bool ReadFile(const std::string& path, std::string& contents, std::size_t maxBytes) override;
    void ReplaceFile(const std::string& path, const std::string& contents) override;
    // Memory has no disk to wait for: the same as ReplaceFile.
    void ReplaceFileUnflushed(const std::string& path, const std::string& contents) override {
        ReplaceFile(path, contents);
    }
    std::string WriteTemporaryBeside(const std::string& path, const std::string& contents) override;
    void MoveFileOver(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::vector<std::string> ListFolder(const std::string& folder,
                                        const std::string& pattern) override;
    bool FileTimeLocal(const std::string& path, double& days) override;
    bool FileStamp(const std::string& path, std::uint64_t& size, std::uint64_t& writeTime) override;

    // Test set-up and inspection.
    void AddFile(const std::string& path, const std::string& contents, double time = 0);
    void AddFolder(const std::string& path);  // and its parents
    std::string Contents(const std::string& path) const;
    void Remove(const std::string& path);
    // Writes to paths starting with this prefix (case-insensitive) throw InOutError, as on a
    // full disk: ReplaceFile and WriteTemporaryBeside.
    void FailWritesUnder(const std::string& prefix) { failingPrefixes_.insert(Key(prefix)); }
    // Moves onto paths starting with this prefix throw InOutError, as for a file another
    // program holds open, or a folder of that name.
    void FailMovesOnto(const std::string& prefix) { failingMoves_.insert(Key(prefix)); }
    // Reading this file fails: it does not open (InOutError "File access denied", as for a
    // locked file), or, given `readable`, it opens and fails after that many bytes
    // (ReadError holding them).
    void FailReadOf(const std::string& path, std::optional<size_t> readable = std::nullopt) {
        failingReads_[Key(path)] = readable;
    }
    // Folder creation at exactly this path fails.
    void FailCreateFolder(const std::string& path) { failingFolders_.insert(Key(path)); }

    std::vector<std::string> writes;          // paths replaced (written or moved onto), in order
    std::vector<std::string> createdFolders;  // folders created by CreateFolder, in order
    std::vector<std::string> moves;           // "<from> -> <to>" of MoveFileOver, in order

    static std::string Key(std::string path);  // upper-cased, no trailing backslash

private:
    struct Entry {
        std::string path;
        std::string data;
        double time = 0;
    };
    std::vector<Entry> files_;  // in creation order, as a directory listing returns them
    std::set<std::string> folders_;
    std::set<std::string> failingPrefixes_;
    std::set<std::string> failingFolders_;
    std::set<std::string> failingMoves_;
    int temporaries_ = 0;
    std::set<std::string> temporaryKeys_;  // the names WriteTemporaryBeside made
    std::map<std::string, std::optional<size_t>> failingReads_;
    Entry* Find(const std::string& path);
};
