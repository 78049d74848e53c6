// The main frame's tool commands:
//   OnEditPluRangeProfile  32846  after the setup password, "Edit PLU Range Profile" on copies of
//                                 the active excluded ranges; after OK, with the right to update the
//                                 setup (61328 otherwise), the ranges become the user's profile (its
//                                 file written) or, for a user without one, the site's (the site setup
//                                 saved); 20522 logged and the views told
//   OnViewLog...           32933 the whole event log, 32932 today's price changes (content 4),
//                          32934 today's data imports (3), 32879 the days and content the user chooses
//   OnKeyboardTemplate     32834  "KBDPRT" started from the program's directory
//   OnSerialComms          32891  the wrapping machine (PZ-6602) served from the scale data directory
//                                 over the file link: the open database first saved as QD47 files when
//                                 the user wants (61357, 61358), received files read in afterwards when
//                                 the user wants (61245). The process's current directory never changes.
// Each answers whether it did its work.
#pragma once

#include "platform/Messages.h"

#include <cstdint>

namespace varnel {

struct FrameCommandSite;

namespace Commands {
inline constexpr std::uint32_t kPluRangeProfile = 32846;
inline constexpr std::uint32_t kViewWholeLog = 32933;
inline constexpr std::uint32_t kViewTodaysPriceChanges = 32932;
inline constexpr std::uint32_t kViewTodaysDataImport = 32934;
inline constexpr std::uint32_t kViewLogRange = 32879;
inline constexpr std::uint32_t kKeyboardTemplate = 32834;
inline constexpr std::uint32_t kSerialComms = 32891;
}  // namespace Commands

inline constexpr MessageId kPluRangeProfileSubject = 20522;
inline constexpr MessageId kSaveAsQd47 = 61357;
inline constexpr MessageId kSpecifyDirectoryNext = 61358;
inline constexpr MessageId kOpenReceivedFile = 61245;

bool OnEditPluRangeProfile(FrameCommandSite& site);
void OnViewWholeLog(FrameCommandSite& site);
void OnViewTodaysPriceChanges(FrameCommandSite& site);
void OnViewTodaysDataImport(FrameCommandSite& site);
bool OnViewLogRange(FrameCommandSite& site);
bool OnKeyboardTemplate();
bool OnSerialComms(FrameCommandSite& site);

}  // namespace varnel
