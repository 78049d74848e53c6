// "S&cheduler" (32878): starts the scheduler copy of this program ("-S") from the program's own
// directory, leaving this process's current directory as it is; for a user the scheduler is allowed.
// It is registered in the command table; the menu that shows it is built elsewhere.
#pragma once

namespace varnel {

class CMainFrame;
class MainFrameWindow;

void RegisterSchedulerCommand(CMainFrame& frame, MainFrameWindow& window);

}  // namespace varnel
