// "Output Setup List" (32847): the site's settings as a text file the user names, each line ending
// in CR LF, then offered for viewing (31520) in the text viewer. A file that cannot be written is told
// with 61216 "File open error" and leaves a file of that name as it was. The setup password is never
// written, only whether it is in use.
#pragma once

#include "platform/Messages.h"

#include <cstdint>
#include <string>

namespace varnel {

class CMainFrame;
struct FrameCommandSite;

namespace Commands {
inline constexpr std::uint32_t kOutputSetupList = 32847;
}  // namespace Commands

inline constexpr MessageId kViewSetupList = 31520;
inline constexpr MessageId kSetupListFileError = 61216;

// The text of the list, dated by the frame's clock.
std::string BuildSetupList(const CMainFrame& frame);

// True when the file was written.
bool OnOutputSetupList(FrameCommandSite& site);

}  // namespace varnel
