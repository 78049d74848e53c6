// The child windows' rules that do not depend on a window system: their first placement, their
// titles, which bar a report window carries, and whether the PLU list window may close.
//
//   kind        first size (d = dialog units)                       shown
//   PLU list    d(342 x 266) + scroll bar and borders, >= saved size maximised below 810 pixels wide
//   keyboard    min(screen, 1000) x 500 pixels                       normal
//   scheduler   d(387 x 213) + scroll bar and borders                normal
//   PLU editor  d(416 x 286) + borders; screen - (20, 40) below 801  maximised below 801 pixels wide
//   report      min(screen, 800) x 360 pixels                        normal
#pragma once

#include "app/WindowPlacement.h"
#include "platform/Messages.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace varnel {

class IFrameDocument;
class CUserSetupList;

enum class ChildFrameKind { PluList, Keyboard, Scheduler, PluEditor, Report };

struct ScreenMetrics {
    int screenWidth = 1024;
    int screenHeight = 768;
    int scrollBarWidth = 16;
    int borderWidth = 1;
    int minWindowHeight = 27;  // the height of a window reduced to its caption
};

// Dialog units to pixels, from the average character width and height of the window's font.
struct DialogUnits {
    int baseX = 6;
    int baseY = 13;
    int X(int units) const { return units * baseX / 4; }
    int Y(int units) const { return units * baseY / 8; }
};

struct ChildPlacement {
    PlacementRect rect;
    ShowCommand show = ShowCommand::Normal;
    bool restoreToMaximized = false;
};

// `savedSearchSize`: the PLU list window's width and height from the last run, when saved.
ChildPlacement ChildFramePlacement(ChildFrameKind kind, const ScreenMetrics& screen, const DialogUnits& units,
                                   std::optional<std::pair<int, int>> savedSearchSize = std::nullopt);

// "PLU Search - <data source>", "PLU Edit - <data source>", "Edit Keyboard", "Scheduler - <file name>".
std::string PluListTitle(std::string_view dataSourceName);
std::string PluEditorTitle(std::string_view dataSourceName);
std::string KeyboardTitle();
std::string SchedulerTitle(std::string_view schedulePath);
// The report window's title by the document's report kind; `market` 2 names the comment list the
// lot message report.
std::string ReportTitle(int reportKind, int market);
// The report window's bar: 154 (PLU range, page, print, export and text choices) or 218 (page, print
// and export only).
int ReportDialogBar(int reportKind);

// What the main window's title is made of.
struct FrameTitleFacts {
    std::string applicationTitle;
    std::string userName;                        // "" while nobody is logged in
    const IFrameDocument* document = nullptr;    // the active child window's, when it is not maximised
};
std::string MainFrameTitle(const FrameTitleFacts& facts);

// What a keyboard or scheduler window asks of its view before it closes.
class IUnsavedWork {
public:
    virtual ~IUnsavedWork() = default;
    virtual bool HasUnsavedChanges() const = 0;
    virtual bool SaveChanges() = 0;  // false when the save failed (the window stays)
    virtual void DiscardChanges() = 0;
};

// With unsaved changes, asks `question` (Yes/No/Cancel): Yes saves, No discards, Cancel keeps the window.
bool MayCloseWithUnsavedWork(MessageId question, IUnsavedWork& work);

// Closing the PLU list window closes the database: never in batch mode; only for a user who may change
// the database, after 61260 and the document's save question.
bool MayClosePluList(IFrameDocument& document, const CUserSetupList* users);

}  // namespace varnel
