// The main frame's settings commands on screen: "Host Interface" and "e-Mail Settings" in the Setup
// menu, each running its dialog over the frame's settings (app/SetupCommands.h).
#pragma once

namespace varnel {

class CMainFrame;
class MainFrameWindow;

void RegisterSetupCommands(CMainFrame& frame, MainFrameWindow& window);

}  // namespace varnel
