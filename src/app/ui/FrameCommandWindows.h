// The main frame's own commands on screen: the dialogs they run (QtFrameCommandUi, living as long as
// the main window) and their registration in the command table, one small file per group:
//   DatabaseCommandWindows.cpp   databases, departments, Data Save files, the settings password and
//                                the setup list
//   SetupFileCommandWindows.cpp  setup copies (".set", ".sit") and schedule files
//   ToolCommandWindows.cpp       the PLU range profile, the log views, the keyboard template and the
//                                wrapping machine's link
#pragma once

#include "app/FrameCommandSite.h"

#include <QObject>

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class MainFrameModel;
class MainFrameWindow;

class QtFrameCommandUi final : public QObject, public IFrameCommandUi {
    Q_OBJECT
public:
    QtFrameCommandUi(CMainFrame& frame, IDocumentHost& host, MainFrameWindow& window, CVrn3Doc& document);

    FrameCommandSite& Site() { return m_site; }
    MainFrameWindow& Window() { return m_window; }

    bool EnterSetupPassword(const std::string& password) override;
    bool ChooseCurrentDepartment(CMasterScaleList& departments) override;
    bool EditPluRangeProfile(PluRangeProfileForm& form) override;
    bool SelectLogRange(LogViewRangeForm& form) override;
    std::optional<std::string> ChooseScaleDataDirectory(const std::string& start) override;
    void UpdateTitles() override;

private:
    MainFrameWindow& m_window;
    FrameCommandSite m_site;
};

// Also opens, as Open (Data Save) does, each Data Save file the file link receives.
void RegisterFrameCommands(CMainFrame& frame, MainFrameModel& model, MainFrameWindow& window, CVrn3Doc& document);

// The groups.
void RegisterDatabaseCommands(QtFrameCommandUi& ui);
void RegisterSetupFileCommands(QtFrameCommandUi& ui);
void RegisterToolCommands(QtFrameCommandUi& ui);

}  // namespace varnel
