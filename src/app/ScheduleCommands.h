// The scheduler's file commands on the main frame: a new (empty) schedule, one opened from a ".sch"
// file, and the schedule saved to its file or to one the user names. The schedule's file name is the
// run's (FrameRun::schedulePath); the titles are redrawn after it changes. Each answers whether it
// did its work.
//
//   OnNewSchedule     32898  unsaved changes asked about first (61364: Yes saves them)
//   OnOpenSchedule    32889  20530 logged; a file that does not load leaves no file name
//   OnSaveSchedule    32996  to its file, or as Save As without one
//   OnSaveScheduleAs  32995  the name chosen becomes the schedule's file once it is saved there
#pragma once

#include "platform/Messages.h"

#include <cstdint>

namespace varnel {

struct FrameCommandSite;

namespace Commands {
inline constexpr std::uint32_t kNewSchedule = 32898;
inline constexpr std::uint32_t kOpenSchedule = 32889;
inline constexpr std::uint32_t kSaveSchedule = 32996;
inline constexpr std::uint32_t kSaveScheduleAs = 32995;
}  // namespace Commands

inline constexpr MessageId kScheduleHasChanges = 61364;
inline constexpr MessageId kLoadedScheduleFromFile = 20530;

bool OnNewSchedule(FrameCommandSite& site);
bool OnOpenSchedule(FrameCommandSite& site);
bool OnSaveSchedule(FrameCommandSite& site);
bool OnSaveScheduleAs(FrameCommandSite& site);

}  // namespace varnel
