// The schedule file commands.
#include "app/ScheduleCommands.h"

#include "app/FrameCommandSite.h"
#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "platform/UserPrompt.h"

namespace varnel {
namespace {

FileRequest ScheduleRequest(FileRequest::Kind kind)
{
    return ExtensionChooser(kind, "sch", "Schedule Files (*.sch) |*.sch|All Files (*.*)|*.*||");
}

void ScheduleChanged(FrameCommandSite& site)
{
    site.document.UpdateAllViews();
    site.ui.UpdateTitles();
}

}  // namespace

bool OnNewSchedule(FrameCommandSite& site)
{
    FrameRun& run = site.frame.GetRun();
    if (run.scheduleModified &&
        ShowMessage(kScheduleHasChanges, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes &&
        !OnSaveSchedule(site))
        return false;
    run.scheduleModified = false;
    run.schedulePath.clear();
    site.frame.CloseScheduleFile();
    ScheduleChanged(site);
    return true;
}

bool OnOpenSchedule(FrameCommandSite& site)
{
    const auto path = AskFileName(ScheduleRequest(FileRequest::Kind::Open));
    if (!path) return false;
    FrameRun& run = site.frame.GetRun();
    bool inUse = false;
    const bool loaded = site.frame.LoadSchedule(*path, inUse, true) == 0;
    if (loaded) {
        run.schedulePath = *path;
        run.scheduleModified = false;
        site.frame.EventLog().LogSetupModified(kLoadedScheduleFromFile, "");
    } else {
        run.schedulePath.clear();
    }
    ScheduleChanged(site);
    return loaded;
}

bool OnSaveSchedule(FrameCommandSite& site)
{
    FrameRun& run = site.frame.GetRun();
    if (run.schedulePath.empty()) return OnSaveScheduleAs(site);
    if (!site.frame.SaveSchedule(run.schedulePath)) return false;
    run.scheduleModified = false;
    return true;
}

bool OnSaveScheduleAs(FrameCommandSite& site)
{
    const auto path = AskFileName(ScheduleRequest(FileRequest::Kind::Save));
    if (!path || !site.frame.SaveSchedule(*path)) return false;
    FrameRun& run = site.frame.GetRun();
    run.schedulePath = *path;
    run.scheduleModified = false;
    ScheduleChanged(site);
    return true;
}

}  // namespace varnel
