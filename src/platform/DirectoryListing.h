// The regular files of one directory with their sizes and modification times, and the setting of a
// file's modification time: what the file link's file server tells a scale about the files it serves.
#pragma once

#include "platform/Result.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace varnel {

struct DirectoryEntry {
    std::string name;
    std::uint64_t size = 0;
    std::chrono::system_clock::time_point modified;
};

// The regular files directly in the directory, in no particular order.
Result<std::vector<DirectoryEntry>> ListDirectory(const std::string& directory);
Result<void> SetModifiedTime(const std::string& path, std::chrono::system_clock::time_point time);
// Makes the directory (its parent must exist); one that exists already is fine.
Result<void> MakeDirectory(const std::string& path);

}  // namespace varnel
