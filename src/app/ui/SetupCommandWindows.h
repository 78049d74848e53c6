// The settings commands on screen: "Options" (the sheet, applied by app/OptionsCommand.h), "Host
// Interface" and "e-Mail Settings" in the Setup menu, each running its dialog over the frame's settings
// (app/SetupCommands.h).
#pragma once

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class MainFrameWindow;

void RegisterSetupCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document);

}  // namespace varnel
