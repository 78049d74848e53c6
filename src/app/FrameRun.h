// The main frame's side of the program's run: how it was started, the profile, the activity counters
// that link threads raise and lower, and the window they post to. The frame keeps one.
#pragma once

#include "app/CommandLine.h"
#include "app/CommsActivity.h"
#include "app/RecentFileList.h"

#include <atomic>
#include <string>
#include <utility>

#include "platform/MessageWindow.h"

namespace varnel {

class CProfile;

// The messages posted to the main window: a Data Save file arrived on the file link; the links'
// activity or state changed (status pane 1 is rewritten).
inline constexpr std::uint32_t kDataSaveReceivedMessage = kUserMessage + 3;
inline constexpr std::uint32_t kCommsStateChangedMessage = kUserMessage + 9;

struct FrameRun {
    StartOptions options;
    CProfile* profile = nullptr;
    CommsActivity activity;
    // Set by the window once it exists; posts go nowhere before.
    std::atomic<IMessageWindow*> window{nullptr};
    // Set while the links run: only then do counter changes post the status message.
    std::atomic<bool> linksStarted{false};
    std::string schedulePath;             // "Scheduler"/"SchedFile"
    bool scheduleModified = false;        // the schedule holds changes not saved to its file
    std::pair<int, int> searchWindowSize{};  // the PLU list window's, kept as "SearchRect"
    RecentFileList recentFiles;
};

}  // namespace varnel
