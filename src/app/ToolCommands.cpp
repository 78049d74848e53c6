// The PLU range profile, the log views, the keyboard template and the wrapping machine's link.
#include "app/ToolCommands.h"

#include "app/DataSaveCommands.h"
#include "app/FrameCommandSite.h"
#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "comms/filelink/Qd47ProgressForm.h"
#include "platform/DirectoryListing.h"
#include "platform/ProgramRunner.h"
#include "platform/UserPrompt.h"
#include "settings/LogViewRangeForm.h"
#include "settings/PluRangeProfileForm.h"
#include "settings/UserSetup.h"

#include <filesystem>

namespace varnel {
namespace {

constexpr int kPriceChangeLines = 4;
constexpr int kDataImportLines = 3;

bool AskYesNo(MessageId question)
{
    return ShowMessage(question, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes;
}

DataSaveSite Qd47SiteOf(CMainFrame& frame, const std::string& directory)
{
    DataSaveSite site;
    site.link = &frame.Qd47Link();
    site.setup = &frame.GeneralSetup();
    site.fs = &frame.FileSystem();
    site.roles.emplace(LinkRoles::Of(frame));
    site.currentDirectory = directory.ends_with('/') ? directory : directory + "/";
    return site;
}

}  // namespace

bool OnEditPluRangeProfile(FrameCommandSite& site)
{
    if (!PassPasswordGate(site)) return false;
    CMainFrame& frame = site.frame;
    AccessSettings& access = frame.Access();
    PluRangeProfileForm form(access.m_activePluRanges, frame.GetGeneralSetup().m_maxPluNo, frame.GetTextRules().chars);
    if (!site.ui.EditPluRangeProfile(form)) return false;
    if (!CheckUserPermission(frame, kSetupTable, AccessUpdate, true)) return false;
    access.m_activePluRanges = form.GetRanges();
    if (access.m_users.HasPluProfile()) {
        (void)frame.SavePluRangeProfile(access.m_users.GetPluProfile());
    } else {
        access.m_sitePluRanges = form.GetRanges();
        (void)frame.SaveSiteSetup(frame.GetSiteSetupPath());
    }
    frame.EventLog().LogSetupModified(kPluRangeProfileSubject, "");
    site.document.UpdateAllViews();
    return true;
}

void OnViewWholeLog(FrameCommandSite& site)
{
    site.frame.EventLog().ViewWholeLog(site.frame.GetTextRules().chars);
}

void OnViewTodaysPriceChanges(FrameCommandSite& site)
{
    site.frame.EventLog().ViewTodaysLog(kPriceChangeLines, site.frame.GetTextRules().chars);
}

void OnViewTodaysDataImport(FrameCommandSite& site)
{
    site.frame.EventLog().ViewTodaysLog(kDataImportLines, site.frame.GetTextRules().chars);
}

bool OnViewLogRange(FrameCommandSite& site)
{
    const CAppEventLog& log = site.frame.EventLog();
    LogViewRangeForm form(site.frame.Clock(), log.KeepDays);
    if (!site.ui.SelectLogRange(form)) return false;
    log.ViewLog(form.ViewFrom(), form.ViewTo(), form.GetContent(), site.frame.GetTextRules().chars);
    return true;
}

bool OnKeyboardTemplate()
{
    const std::string directory = std::filesystem::path(GetProgramPath()).parent_path().string();
    return StartProgram(directory, "KBDPRT").HasValue();
}

bool OnSerialComms(FrameCommandSite& site)
{
    CMainFrame& frame = site.frame;
    CVrn3Doc& document = site.document;
    const std::string scaleData = frame.GetScaleDataDirectory();
    (void)MakeDirectory(scaleData);
    const bool databaseOpen = document.IsDatabaseOpen();
    if (databaseOpen && AskYesNo(kSaveAsQd47)) {
        (void)ExportQd47Fd(document, Qd47SiteOf(frame, scaleData));
        ShowMessage(kSpecifyDirectoryNext, MessageButtons::Ok, MessageIcon::Information);
    }
    const auto served = site.ui.ChooseScaleDataDirectory(scaleData);
    if (!served) return false;
    Qd47ProgressForm progress(Qd47ProgressForm::Shape::FileServer, false);
    const bool ran = frame.Qd47Link().RunSerialComms(*served, progress);
    if (databaseOpen && frame.Qd47Link().HasImportableData() && AskYesNo(kOpenReceivedFile))
        (void)ImportQd47Fd(document, Qd47SiteOf(frame, *served));
    return ran;
}

}  // namespace varnel
