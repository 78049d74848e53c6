// The PLU list window: CVrn3View over the open database in its child frame (CChildFrame, with the tool
// bar its site takes), and the "PLU" menu's commands in the command table, run by the list window
// that is open (disabled while none is).
#pragma once

#include <functional>

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class CVrn3View;
class CommandTable;
class IFrameModel;
class MainFrameWindow;

// The view in its new child frame; null when no database is open.
CVrn3View* OpenPluListWindow(CMainFrame& frame, IFrameModel& model, MainFrameWindow& window, CVrn3Doc& document);

// Takes the window away at once, without the questions of a user's close (its database is going).
void DiscardPluListWindow(CVrn3View& view);

// `listView`: the open list window's view, null while none is open.
void RegisterPluListCommands(CommandTable& commands, const std::function<CVrn3View*()>& listView);

}  // namespace varnel
