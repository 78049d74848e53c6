// The main frame's creation: the setup files (a fresh site gets the default ones), in scheduler mode
// the schedule, the login, and the settings derived from them. Every failure has shown its message;
// the start then ends.
#pragma once

namespace varnel {

class CMainFrame;
class ILoginDialog;

// The frame's run (options and profile) is set before. False ends the start.
bool CreateMainFrame(CMainFrame& frame, ILoginDialog& login);

}  // namespace varnel
