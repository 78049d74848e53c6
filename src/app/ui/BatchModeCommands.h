// "&Start Batch Mode..." (32880, off in batch mode) and "End &Batch Mode..." (32883, on only in batch
// mode) over the document (CVrn3Doc::StartBatchMode, EndBatchMode), each for a user allowed batch
// mode and followed by the frame's title. They are registered in the command table; the menu that
// shows them is built elsewhere.
#pragma once

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class MainFrameWindow;

void RegisterBatchModeCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document);

}  // namespace varnel
