// The field-set commands (app/FieldSetCommands.h) on screen: each runs "Field Setup" on its set after
// the setup password, enabled while the current user may view the setup. They are registered in the
// command table; the Setup menu's "&Fields" popup that shows them is built elsewhere.
#pragma once

namespace varnel {

class CMainFrame;
class MainFrameWindow;

void RegisterFieldSetCommands(CMainFrame& frame, MainFrameWindow& window);

}  // namespace varnel
