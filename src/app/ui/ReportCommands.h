// The Reports menu's production and message reports: each asks the document for its report type
// (CVrn3Doc::RunReport) while a database is open; "&PLU Production" and "&Dept && Group Production"
// also need the user's production report right, "PLU &List" the PLU list right. They are registered
// in the command table; the menus that show them are built elsewhere.
#pragma once

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class MainFrameWindow;

void RegisterReportCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document);

}  // namespace varnel
