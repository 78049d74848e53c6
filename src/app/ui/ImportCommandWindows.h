// The import and export commands in the command table (ImportCommands.h): the definition lists need
// the right to view the setup, the imports the user's import rights, and every run an open database.
// Without the import subsystem (null) they stay disabled.
#pragma once

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class IImportExport;
class MainFrameWindow;

void RegisterImportCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document, IImportExport* imports);

}  // namespace varnel
