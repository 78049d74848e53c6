// PLU range profile files (".prf"): a user's excluded PLU ranges.
//   u32 version, written as 330
//   the ranges in the framework's object list form
#pragma once

#include "platform/FileSystem.h"
#include "settings/PluRange.h"

#include <string>

namespace varnel {

constexpr std::uint32_t kPluRangeProfileVersion = 330;

// Writes `ranges` as the profile at `path`; on failure shows 61265 "Error saving setup file!" and
// answers false, the old file left as it was.
bool SavePluRangeProfile(IFileSystem& fs, const std::string& path, const CPluRangeList& ranges);

// Reads the profile at `path` into `ranges`; on any error `ranges` stays as it was. A profile of
// another version than 330 fails with Errc::Unsupported.
Result<void> LoadPluRangeProfile(IFileSystem& fs, const std::string& path, CPluRangeList& ranges);

}  // namespace varnel
