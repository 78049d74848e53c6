// The main frame's creation steps, in the Windows design's order.
#include "app/MainFrameStart.h"

#include "app/DefaultFieldDefs.h"
#include "app/MainFrame.h"
#include "app/StartLogin.h"
#include "db/plu/PluTableRegistry.h"
#include "platform/Profile.h"
#include "platform/UserPrompt.h"
#include "scaledata/ScaleDataTables.h"

#include <filesystem>

namespace varnel {
namespace {

constexpr MessageId kScheduleInUse = 61387;
constexpr MessageId kSchedulerNotAllowed = 61343;

bool Exists(const CMainFrame& frame, const std::string& path)
{
    return frame.FileSystem().Exists(path);
}

// A fresh site has neither setup file yet: it starts from the default records, with the price fields,
// written now. One file without the other is a damaged site, left for the load to report.
bool WriteDefaultSetupsOnAFreshSite(CMainFrame& frame)
{
    if (Exists(frame, frame.GetGeneralSetupPath()) || Exists(frame, frame.GetSiteSetupPath())) return true;
    AddFreshSitePluFieldDefs(frame.FieldDefs(FieldDefMap::Plu));
    return frame.SaveGeneralSetup(frame.GetGeneralSetupPath()) && frame.SaveSiteSetup(frame.GetSiteSetupPath());
}

bool LoadSetupFiles(CMainFrame& frame)
{
    if (!WriteDefaultSetupsOnAFreshSite(frame)) return false;
    bool loaded = false;
    if (const auto old = frame.CheckOldSetupFile()) {
        loaded = frame.LoadGeneralSetup(*old);
        if (loaded) frame.SaveGeneralSetup(frame.GetGeneralSetupPath());
    }
    if (!loaded && !frame.LoadGeneralSetup(frame.GetGeneralSetupPath())) return false;
    return frame.GetSetupVersion() <= 220 || frame.LoadSiteSetup(frame.GetSiteSetupPath());
}

bool LoadScheduleAtStart(CMainFrame& frame, FrameRun& run)
{
    const CommandLineSwitches& switches = run.options.switches;
    frame.Links().ClearQueues(nullptr, false, false);
    if (!switches.scheduleFile.empty()) run.schedulePath = switches.scheduleFile;
    bool inUse = false;
    if (frame.LoadSchedule(run.schedulePath, inUse, !switches.runSchedule) != 0) {
        run.schedulePath.clear();
        if (switches.runSchedule && inUse) {
            frame.WriteEvent(EventGeneral, GetMessageText(kScheduleInUse));
            return false;
        }
    }
    if (frame.IsScheduleFileOpen()) {
        std::error_code ignored;
        run.schedulePath = std::filesystem::absolute(run.schedulePath, ignored).string();
    }
    frame.Departments().SetCurrent(0);
    return true;
}

bool LogInUser(CMainFrame& frame, const FrameRun& run, ILoginDialog& login)
{
    CUserSetupList& users = *frame.GetUserList();
    if (users.GetCount() == 0) return true;
    const LoginOutcome outcome = LogInAtStart(users, frame.GetGeneralSetup(), run.options.switches, login);
    if (!outcome.loggedIn) return false;
    if (std::string database = users.GetDatabase(frame.Departments()); !database.empty()) {
        frame.SetLastDatabasePath(std::move(database));
    }
    if (users.HasPluProfile()) frame.LoadPluRangeProfile(users.GetPluProfile());
    if (outcome.passwordChanged) frame.SaveSiteSetup(frame.GetSiteSetupPath());
    if (run.options.mode == RunMode::Scheduler && !users.AllowScheduler()) {
        ShowMessage(kSchedulerNotAllowed);
        return false;
    }
    return true;
}

}  // namespace

bool CreateMainFrame(CMainFrame& frame, ILoginDialog& login)
{
    RegisterPluTables({frame, frame, frame});
    RegisterScaleDataTables({frame, frame, frame});
    FrameRun& run = frame.GetRun();
    CProfile& profile = *run.profile;
    frame.SetLastDatabasePath(profile.GetProfileString("General", "DbFile"));
    if (!LoadSetupFiles(frame)) return false;
    if (run.options.mode == RunMode::Automation) {
        run.schedulePath.clear();
        return true;
    }
    if (!Exists(frame, frame.GetBackupDirectory())) frame.SetBackupDirectory(frame.GetWorkingDirectory() + "Backup");
    run.schedulePath = profile.GetProfileString("Scheduler", "SchedFile");
    run.recentFiles.Load(profile);
    if (run.options.mode == RunMode::Scheduler && !LoadScheduleAtStart(frame, run)) return false;
    if (!LogInUser(frame, run, login)) return false;
    frame.RecalcSetupFlags();
    return true;
}

}  // namespace varnel
