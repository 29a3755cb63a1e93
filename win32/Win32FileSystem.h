#pragma once
// The file system through the Win32 wide calls; paths are UTF-8.

#include "base/FileSystem.h"

class Win32FileSystem : public FileSystem {
public:
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    bool ReadFile(const std::string& path, std::string& contents, std::size_t maxBytes) override;
    void ReplaceFile(const std::string& path, const std::string& contents) override;
    void ReplaceFileUnflushed(const std::string& path, const std::string& contents) override;
    std::string WriteTemporaryBeside(const std::string& path, const std::string& contents) override;
    void MoveFileOver(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::vector<std::string> ListFolder(const std::string& folder,
                                        const std::string& pattern) override;
    bool FileTimeLocal(const std::string& path, double& days) override;
    bool FileStamp(const std::string& path, std::uint64_t& size, std::uint64_t& writeTime) override;
};
