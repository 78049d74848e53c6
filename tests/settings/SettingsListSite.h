// What the settings list tests run in: a test frame with a recording document (the operator sends),
// a prompt that answers from a script, an event log in a temporary directory, and entry dialogs that
// run scripted steps instead of windows.
#pragma once

#include "settings/AppEventLog.h"
#include "settings/UserSetupList.h"
#include "support/FakeClock.h"
#include "support/RecordingDocument.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <deque>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace varnel::test {

// Entry dialogs that run the queued steps in turn, each acting as the user and answering whether
// the dialog ended with OK; with none left the dialog is cancelled.
template <class Entry>
class ScriptedEntries {
public:
    using Step = std::function<bool(Entry&)>;
    void Queue(Step step) { m_steps.push_back(std::move(step)); }
    bool Run(Entry& entry)
    {
        ++m_shown;
        if (m_steps.empty()) return false;
        const Step step = std::move(m_steps.front());
        m_steps.pop_front();
        return step(entry);
    }
    int Shown() const { return m_shown; }
    bool Done() const { return m_steps.empty(); }

private:
    std::deque<Step> m_steps;
    int m_shown = 0;
};

class SettingsListSite {
public:
    SettingsListSite()
    {
        m_log.LogFile = m_dir.File("events.elg");
        m_log.LoggingOn = 1;
        m_log.LogGeneral = 1;
        m_log.NameUsersOf(&m_frame.m_access.m_users);
    }

    // The event log's lines after their date and time ("G : Setup modified - ...").
    std::vector<std::string> LogLines() const
    {
        std::vector<std::string> lines;
        std::istringstream text(RealFileSystem().Exists(m_log.LogFile) ? ReadWholeFile(m_log.LogFile) : "");
        for (std::string line; std::getline(text, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line.size() > 20 ? line.substr(20) : line);
        }
        return lines;
    }
    const std::vector<MessageId>& Shown() const { return m_prompt.m_ids; }
    // Logs in a user who has only these rights on the setup (table 1).
    void LogInWithSetupRights(std::uint8_t rights)
    {
        auto user = std::make_unique<CUserSetup>();
        user->m_name = "clerk";
        user->m_tablePermission[kSetupTable] = rights;
        m_frame.m_access.m_users.Add(std::move(user));
        m_frame.m_access.m_users.SetCurrentUser(m_frame.m_access.m_users.GetCount() - 1);
    }

    TestMainFrame m_frame;
    RecordingDocument m_document{m_frame};
    RecordingPrompt m_prompt;
    TempDir m_dir;
    FakeClock m_clock{DateTimeParts{2024, 3, 15, 10, 30, 0}};
    CAppEventLog m_log{m_clock};
};

}  // namespace varnel::test
