// Placement, titles and closing of the child windows.
#include "app/ChildFrames.h"

#include "db/site/MainFrame.h"
#include "app/FrameDocument.h"
#include "db/text/PathText.h"
#include "platform/Messages.h"
#include "platform/UserPrompt.h"
#include "settings/UserSetupList.h"

#include <algorithm>

namespace varnel {
namespace {

PlacementRect DialogRect(const DialogUnits& units, int width, int height)
{
    return {0, 0, units.X(width), units.Y(height)};
}

std::string WithSuffix(MessageId caption, std::string_view suffix)
{
    return std::string(GetMessageText(caption)) + " - " + std::string(suffix);
}

}  // namespace

ChildPlacement ChildFramePlacement(ChildFrameKind kind, const ScreenMetrics& screen, const DialogUnits& units,
                                   std::optional<std::pair<int, int>> savedSearchSize)
{
    ChildPlacement placement;
    PlacementRect& rect = placement.rect;
    const int frame = screen.scrollBarWidth + 2 * screen.borderWidth + 4;
    switch (kind) {
    case ChildFrameKind::PluList:
        rect = DialogRect(units, 342, 266);
        rect.right += frame;
        rect.bottom = std::min(rect.bottom + 70 + screen.minWindowHeight + 4, screen.screenHeight - 20);
        if (savedSearchSize) {
            rect.right = std::max(rect.right, rect.left + savedSearchSize->first);
            rect.bottom = std::max(rect.bottom, rect.top + savedSearchSize->second);
        }
        if (screen.screenWidth < 810) placement.show = ShowCommand::Maximized;
        break;
    case ChildFrameKind::Keyboard: rect = {0, 0, std::min(screen.screenWidth, 1000), 500}; break;
    case ChildFrameKind::Scheduler:
        rect = DialogRect(units, 387, 213);
        rect.right += frame;
        rect.bottom += screen.minWindowHeight + 4;
        break;
    case ChildFrameKind::PluEditor:
        if (screen.screenWidth < 801) {
            rect = {0, 0, screen.screenWidth - 20, screen.screenHeight - 40};
            placement.show = ShowCommand::Maximized;
            placement.restoreToMaximized = true;
        } else {
            const int edge = screen.borderWidth + screen.scrollBarWidth;
            rect = DialogRect(units, 416, 286);
            rect.left += edge;
            rect.top += edge;
            rect.right += 3 * edge + 4;
            rect.bottom += screen.minWindowHeight + edge + 4;
        }
        break;
    case ChildFrameKind::Report: rect = {0, 0, std::min(screen.screenWidth, 800), 360}; break;
    }
    return placement;
}

std::string PluListTitle(std::string_view dataSourceName)
{
    return WithSuffix(16401, dataSourceName);
}

std::string PluEditorTitle(std::string_view dataSourceName)
{
    return WithSuffix(16402, dataSourceName);
}

std::string KeyboardTitle()
{
    return std::string(GetMessageText(17557));
}

std::string SchedulerTitle(std::string_view schedulePath)
{
    return WithSuffix(16426, GetFileNameFromPath(schedulePath, CurrentTextRules().chars));
}

std::string ReportTitle(int reportKind, int market)
{
    MessageId caption = 16425;
    switch (reportKind) {
    case 0: caption = 16403; break;
    case 6: case 7: case 8: caption = 17536; break;
    case 9: case 10: case 11: caption = 17537; break;
    case 12: case 15: case 16: caption = 17534; break;
    case 13: caption = 17535; break;
    case 18: caption = market == 2 ? 17641 : 16451; break;
    case 19: case 20: case 21: case 22: case 23: caption = 16452; break;
    case 24: caption = 16453; break;
    case 25: caption = 16454; break;
    case 26: caption = 16455; break;
    case 27: caption = 16456; break;
    case 28: caption = 16457; break;
    case 29: caption = 16458; break;
    case 30: case 31: case 32: caption = 17637; break;
    case 34: caption = 18153; break;
    case 35: caption = 18170; break;
    default: break;
    }
    return std::string(GetMessageText(caption));
}

int ReportDialogBar(int reportKind)
{
    const bool withRange = reportKind == 0 || reportKind == 1 || reportKind == 6 || reportKind == 9 ||
                           reportKind == 12 || reportKind == 13 || reportKind == 15 || reportKind == 16 ||
                           (reportKind >= 18 && reportKind <= 29) || reportKind == 34;
    return withRange ? 154 : 218;
}

std::string MainFrameTitle(const FrameTitleFacts& facts)
{
    std::string title = facts.applicationTitle;
    if (!facts.userName.empty()) title += " - " + facts.userName;
    if (facts.document != nullptr) {
        if (facts.document->IsBatchMode()) {
            title += std::string(GetMessageText(18149)) + " - " +
                     std::string(GetFileNameFromPath(facts.document->GetBatchFilePath(), CurrentTextRules().chars));
        } else {
            title += " - " + facts.document->GetTitle();
        }
    }
    return title;
}

bool MayCloseWithUnsavedWork(MessageId question, IUnsavedWork& work)
{
    if (!work.HasUnsavedChanges()) return true;
    switch (ShowMessage(question, MessageButtons::YesNoCancel, MessageIcon::Question)) {
    case MessageAnswer::Yes: return work.SaveChanges();
    case MessageAnswer::No: work.DiscardChanges(); return true;
    default: return false;
    }
}

bool MayClosePluList(IFrameDocument& document, const CUserSetupList* users)
{
    if (document.IsBatchMode()) return false;
    if (users != nullptr && !users->CanChangeDatabase()) return false;
    if (ShowMessage(61260, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok) return false;
    if (!document.SaveModified()) return false;
    document.CloseEditorWindows();
    return true;
}

}  // namespace varnel
