// The main frame's database and department commands. Each answers whether it opened a database (or,
// for Change Department, whether it did anything); a cancelled chooser changes nothing.
//
//   OnOpenDatabase      57601  an existing database file, by the default format's filter
//   OnChangeDatabase    32804  a file that may be new: made empty first, then opened in place of the
//                              open one
//   OnNewDatabase       32840  "Specify Database File" (overwrite asked); the named file is replaced by
//                              an empty database, which then opens
//   OnOpenDepartment    32900  "Change Department", then the current department's database (61378
//                              when its file is missing)
//   OnChangeDepartment  32873  as Open Department with a database open; the same database stays open
//                              and batch mode goes on into the department's database; the setup
//                              flags are recomputed and the views told
#pragma once

#include "platform/Messages.h"

#include <cstdint>
#include <string>

namespace varnel {

struct FrameCommandSite;
class IFileSystem;

namespace Commands {
inline constexpr std::uint32_t kOpenDatabase = 57601;
inline constexpr std::uint32_t kChangeDatabase = 32804;
inline constexpr std::uint32_t kNewDatabase = 32840;
inline constexpr std::uint32_t kOpenDepartment = 32900;
inline constexpr std::uint32_t kChangeDepartment = 32873;
}  // namespace Commands

inline constexpr MessageId kSpecifyDatabaseFile = 17530;
inline constexpr MessageId kDepartmentDatabaseMissing = 61378;
inline constexpr MessageId kDatabaseNotCreated = 61298;

bool OnOpenDatabase(FrameCommandSite& site);
bool OnChangeDatabase(FrameCommandSite& site);
bool OnNewDatabase(FrameCommandSite& site);
bool OnOpenDepartment(FrameCommandSite& site);
bool OnChangeDepartment(FrameCommandSite& site);

// The open database (when there is one) is closed, its links stopped, and `path` opened in its place.
bool SwitchDatabase(FrameCommandSite& site, const std::string& path);
// Writes an empty database with every table at `path` (its format by the extension), replacing a file
// of that name as a whole; 61298 when it cannot be written or another opener holds the file.
bool CreateEmptyDatabase(IFileSystem& fs, const std::string& path);
// The open database closed and the file at `path` replaced by an empty database; when that fails the
// database that was open opens again.
bool ReplaceWithEmptyDatabase(FrameCommandSite& site, const std::string& path);
// File names compared as the store's file system does: without case.
bool SameFileName(const std::string& left, const std::string& right);

}  // namespace varnel
