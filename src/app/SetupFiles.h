// What the setup files share: their versions, and how the frame opens them, one process at a time.
#pragma once

#include "platform/Archive.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace varnel {

constexpr std::uint32_t kGeneralSetupVersion = 324;  // written as the text "324"
constexpr const char* kScheduleVersion = "202";

constexpr MessageId kErrorSavingSetup = 61265;
constexpr MessageId kErrorLoadingSetup = 61266;
constexpr MessageId kInvalidSetup = 61280;
constexpr MessageId kErrorLoadingProfile = 61283;
constexpr MessageId kInvalidSiteSetup = 61284;
constexpr MessageId kCannotLoadSchedule = 61365;
constexpr MessageId kErrorSavingSchedule = 61366;
constexpr MessageId kScheduleInUse = 61387;
constexpr MessageId kOlderSetup = 61399;
constexpr MessageId kErrorLoadingSiteSetup = 31476;
constexpr MessageId kUseOldSetupFile = 31499;
constexpr MessageId kOldSetupRenamedLoading = 31500;
constexpr MessageId kOldSetupRenamed = 31501;

// Opens a setup file with deny-write sharing (DECISIONS 3's lock). When another opener holds it, or
// the open fails otherwise, waits 1500 ms on the clock and tries once more.
Result<std::unique_ptr<IFile>> OpenSetupFile(IFileSystem& fs, const IClock& clock, const std::string& path,
                                             FileAccess access);

// Replaces a setup file whole with what `serialize` stores, holding the old file's lock meanwhile so
// that no other instance writes it at the same time. The file is its owner's alone (it holds passwords).
Result<void> SaveSetupFile(IFileSystem& fs, const IClock& clock, const std::string& path,
                           const std::function<void(CArchive&)>& serialize);

// The leading decimal digits of a version text, as a number; 0 when there are none.
std::uint32_t VersionNumber(const std::string& text);

}  // namespace varnel
