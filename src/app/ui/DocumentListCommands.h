// The document's list reports (the message and name lists of the scale data, scale totals and the
// image list), "Update Scale Status Log" and the two sends to the outside maker's scales ("All PLUs",
// "Recent Changes Only"). Each needs an open database; they are registered in the command table, the
// menus that show them are built elsewhere.
#pragma once

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class MainFrameWindow;

void RegisterDocumentListCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document);

}  // namespace varnel
