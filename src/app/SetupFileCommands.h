// The main frame's setup copy commands: the general setup (".set") and the site setup (".sit") saved
// to and loaded from a file the user chooses. The loads ask the setup password first; a refused
// password or a cancelled chooser changes nothing, and a load that fails leaves every setting as it
// was. Each answers whether the file was loaded or saved.
//
//   OnLoadGeneralSetup  32832  kept in "GENSETUP.DEF" too; 20520 logged, views told, 61274 (in the
//                              scheduler the schedule stays and the link queues are emptied)
//   OnSaveGeneralSetup  32831
//   OnLoadSiteSetup     32808  after the busy links (61225 ends it) are stopped saving their unsent
//                              data; 20521 and the file logged, views told, 61288; the links start
//                              again when a database is open and on-line comms is on
//   OnSaveSiteSetup     32807  61289 once it is saved
#pragma once

#include "platform/Messages.h"

#include <cstdint>

namespace varnel {

struct FrameCommandSite;

namespace Commands {
inline constexpr std::uint32_t kLoadGeneralSetup = 32832;
inline constexpr std::uint32_t kSaveGeneralSetup = 32831;
inline constexpr std::uint32_t kLoadSiteSetup = 32808;
inline constexpr std::uint32_t kSaveSiteSetup = 32807;
}  // namespace Commands

inline constexpr MessageId kGeneralSetupLoaded = 61274;
inline constexpr MessageId kSiteSetupLoaded = 61288;
inline constexpr MessageId kSiteSetupSaved = 61289;
inline constexpr MessageId kLoadedSetupFromFile = 20520;
inline constexpr MessageId kLoadedSiteSetupFromFile = 20521;

bool OnLoadGeneralSetup(FrameCommandSite& site);
bool OnSaveGeneralSetup(FrameCommandSite& site);
bool OnLoadSiteSetup(FrameCommandSite& site);
bool OnSaveSiteSetup(FrameCommandSite& site);

}  // namespace varnel
