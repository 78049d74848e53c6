// Setup copies in ".set" and ".sit" files.
#include "app/SetupFileCommands.h"

#include "app/FrameCommandSite.h"
#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "platform/UserPrompt.h"

#include <optional>
#include <string>

namespace varnel {
namespace {

std::optional<std::string> AskSetupFile(FileRequest::Kind kind, const char* extension, const char* filter)
{
    return AskFileName(ExtensionChooser(kind, extension, filter));
}

constexpr const char* kGeneralSetupFilter = "Setup Files (*.set) |*.set|All Files (*.*)|*.*||";
constexpr const char* kSiteSetupFilter = "Site Setup Files (*.sit) |*.sit|All Files (*.*)|*.*||";

}  // namespace

bool OnLoadGeneralSetup(FrameCommandSite& site)
{
    if (!PassPasswordGate(site)) return false;
    const auto path = AskSetupFile(FileRequest::Kind::Open, "set", kGeneralSetupFilter);
    if (!path) return false;
    CMainFrame& frame = site.frame;
    FrameRun& run = frame.GetRun();
    const bool scheduler = run.options.mode == RunMode::Scheduler;
    const std::string schedulePath = run.schedulePath;
    const bool loaded = frame.LoadGeneralSetup(*path);
    if (scheduler) {
        run.schedulePath = schedulePath;
        frame.Links().ClearQueues(nullptr, false, false);
    }
    if (!loaded) return false;
    (void)frame.SaveGeneralSetup(frame.GetGeneralSetupPath());
    frame.EventLog().LogSetupModified(kLoadedSetupFromFile, "");
    site.document.UpdateAllViews();
    ShowMessage(kGeneralSetupLoaded, MessageButtons::Ok, MessageIcon::Information);
    return true;
}

bool OnSaveGeneralSetup(FrameCommandSite& site)
{
    const auto path = AskSetupFile(FileRequest::Kind::Save, "set", kGeneralSetupFilter);
    return path && site.frame.SaveGeneralSetup(*path);
}

bool OnLoadSiteSetup(FrameCommandSite& site)
{
    if (!PassPasswordGate(site)) return false;
    const auto path = AskSetupFile(FileRequest::Kind::Open, "sit", kSiteSetupFilter);
    if (!path) return false;
    CMainFrame& frame = site.frame;
    CIdEnqLinkList& links = frame.Links();
    if (links.WaitWithBusyDialog(nullptr) != 0) return false;
    (void)links.StopLinks(true);
    const bool loaded = frame.LoadSiteSetup(*path, true);
    if (loaded) {
        frame.EventLog().LogSetupModified(kLoadedSiteSetupFromFile, *path);
        site.document.UpdateAllViews();
        ShowMessage(kSiteSetupLoaded, MessageButtons::Ok, MessageIcon::Information);
    }
    // The links were stopped for the load: they run again as the (new or old) settings say.
    const bool restart = site.document.IsDatabaseOpen() && frame.GetGeneralSetup().m_onlineComms != 0;
    if (restart) links.StartLinks(&site.document, LinkRoles::Of(frame), true);
    site.host.SetLinksStarted(restart);
    return loaded;
}

bool OnSaveSiteSetup(FrameCommandSite& site)
{
    const auto path = AskSetupFile(FileRequest::Kind::Save, "sit", kSiteSetupFilter);
    if (!path || !site.frame.SaveSiteSetup(*path)) return false;
    ShowMessage(kSiteSetupSaved, MessageButtons::Ok, MessageIcon::Information);
    return true;
}

}  // namespace varnel
