// A site for the main frame's own commands: the real frame in a temporary working directory, its
// document, a prompt that answers from a script and a windows' side that answers as a test sets it.
#pragma once

#include "app/FrameCommandSite.h"
#include "app/MainFrame.h"
#include "app/MainFrameModel.h"
#include "app/Vrn3Doc.h"
#include "settings/LogViewRangeForm.h"
#include "settings/MasterScale.h"
#include "settings/MasterScaleList.h"
#include "settings/PluRangeProfileForm.h"
#include "platform/LocalTime.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/RecordingPrompt.h"
#include "support/ScaleDataRegistration.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace varnel::test {

// A clock standing at one local time whose waits pass at once (a setup save waits before it tries
// again), each moving the monotonic time to its deadline.
class InstantWaitClock final : public IClock {
public:
    explicit InstantWaitClock(const DateTimeParts& local) : m_wall(FromLocalParts(local)) {}
    std::chrono::system_clock::time_point WallNow() const override { return m_wall; }
    std::chrono::steady_clock::time_point MonotonicNow() const override { return m_now; }
    bool WaitUntil(std::condition_variable&, std::unique_lock<std::mutex>&, std::chrono::steady_clock::time_point deadline,
                   const std::function<bool()>& ready) const override
    {
        m_now = std::max(m_now, deadline);
        return ready();
    }

private:
    std::chrono::system_clock::time_point m_wall;
    mutable std::chrono::steady_clock::time_point m_now{};
};

// Answers every dialog as the test set it and counts what was asked.
class ScriptedFrameUi final : public IFrameCommandUi {
public:
    bool EnterSetupPassword(const std::string& password) override
    {
        m_passwordsAsked.push_back(password);
        return m_passwordEntered;
    }
    bool ChooseCurrentDepartment(CMasterScaleList& departments) override
    {
        ++m_departmentDialogs;
        if (!m_department) return false;
        departments.SetCurrent(*m_department);
        return true;
    }
    void UpdateTitles() override { ++m_titleUpdates; }
    bool EditPluRangeProfile(PluRangeProfileForm& form) override { return m_editProfile && m_editProfile(form); }
    bool SelectLogRange(LogViewRangeForm& form) override { return m_selectLogRange && m_selectLogRange(form); }
    std::optional<std::string> ChooseScaleDataDirectory(const std::string& start) override
    {
        m_directoryStarts.push_back(start);
        return m_scaleDataDirectory;
    }

    bool m_passwordEntered = true;
    std::vector<std::string> m_passwordsAsked;
    std::optional<std::uint16_t> m_department;  // the department Select makes current; none: Cancel
    int m_departmentDialogs = 0;
    int m_titleUpdates = 0;
    std::function<bool(PluRangeProfileForm&)> m_editProfile;  // none: Cancel
    std::function<bool(LogViewRangeForm&)> m_selectLogRange;
    std::optional<std::string> m_scaleDataDirectory;         // none: Cancel
    std::vector<std::string> m_directoryStarts;
};

class FrameSiteTest : public ::testing::Test, protected ScaleDataRegistration {
protected:
    FrameSiteTest() : m_previous(SetMainFrame(&frame))
    {
        frame.GeneralSetup().m_onlineComms = 0;
        LogGeneralEventsTo(frame, File("events.log"));
    }
    ~FrameSiteTest() override
    {
        document->OnCloseDocument();
        document.reset();
        SetMainFrame(m_previous);
    }

    std::string File(const std::string& name) const { return dir.File(name); }
    // A department with its database file name.
    void AddDepartment(std::uint16_t id, const std::string& name, const std::string& database)
    {
        auto department = std::make_unique<CMasterScale>();
        department->m_id = id;
        department->m_name = name;
        department->m_database = database;
        frame.Departments().Add(std::move(department));
    }
    // The general events of the frame go to `path`.
    static void LogGeneralEventsTo(CMainFrame& target, const std::string& path)
    {
        target.EventLog().LoggingOn = 1;
        target.EventLog().LogGeneral = 1;
        target.EventLog().LogFile = path;
    }
    std::string EventLogText() const { return ReadWholeFile(File("events.log")); }
    // Turns the setup password on.
    void SetSetupPassword(const std::string& password)
    {
        CGeneralSetup& setup = frame.GeneralSetup();
        setup.m_setupPasswordInUse = 1;
        setup.m_setupPassword.fill(0);
        std::copy_n(password.begin(), std::min<std::size_t>(password.size(), 8), setup.m_setupPassword.begin());
    }

    TempDir dir;
    RecordingPrompt prompt;
    InstantWaitClock clock{DateTimeParts{2026, 3, 9, 10, 0, 0}};
    FaultInjectingFileSystem fs;  // the frame's: disarmed until a test arms it
    CMainFrame frame{dir.Path() + "/", fs, clock};

private:
    IMainFrame* m_previous;

protected:
    MainFrameModel model{frame};
    std::unique_ptr<CVrn3Doc> document = std::make_unique<CVrn3Doc>(model, RealFileSystem(), clock);
    ScriptedFrameUi ui;
    FrameCommandSite site{frame, model, *document, ui};
};

}  // namespace varnel::test
