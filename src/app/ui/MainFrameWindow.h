// The main window: the MDI area for the child windows, the menus and tool bar built from the command
// table, and the status bar whose pane 1 shows the scale links' activity. It shows the main frame
// (IFrameModel) and hands its placement back when it closes.
//
// The frame's own commands are registered here: Exit, Tool Bar, Status Bar, the window arrangement
// and About. The Windows design's posted messages arrive through PostTarget(): 9 rewrites pane 1, 3
// opens a received Data Save file.
#pragma once

#include "app/FrameRun.h"
#include "app/WindowPlacement.h"
#include "platform/MessageWindow.h"

#include <QMainWindow>

#include <memory>

class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace varnel {

class ChildFrameWindow;
class CommandTable;
class IFrameModel;

namespace Commands {
inline constexpr std::uint32_t kAbout = 57664;
inline constexpr std::uint32_t kExit = 57665;
inline constexpr std::uint32_t kNewWindow = 57648;
inline constexpr std::uint32_t kArrangeIcons = 57649;
inline constexpr std::uint32_t kCascade = 57650;
inline constexpr std::uint32_t kTileHorizontally = 57651;
inline constexpr std::uint32_t kTileVertically = 57652;
inline constexpr std::uint32_t kToolBar = 59392;
inline constexpr std::uint32_t kStatusBar = 59393;
}  // namespace Commands

class MainFrameWindow final : public QMainWindow {
    Q_OBJECT
public:
    enum class Menu { File, Edit, Setup, Window, Help };

    MainFrameWindow(IFrameModel& frame, CommandTable& commands);
    ~MainFrameWindow() override;

    // Shows the window by the placement the frame restored.
    void ShowPlaced();
    // Adds a child window to the MDI area, placed by its kind's rule, and shows it.
    void AddChildFrame(ChildFrameWindow* child);

    QMenu* GetMenu(Menu menu) const;
    CommandTable& Commands() { return m_commands; }
    QMdiArea* GetMdiArea() const { return m_mdiArea; }
    QToolBar* GetToolBar() const { return m_toolBar; }
    IMessageWindow& PostTarget() { return *m_postTarget; }

    void OnCommsStateChanged();
    void UpdateFrameTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void RegisterFrameCommands();
    void BuildMenus();
    void BuildStatusBar();
    ClosingPlacement CurrentPlacement() const;

    IFrameModel& m_frame;
    CommandTable& m_commands;
    QMdiArea* m_mdiArea;
    QToolBar* m_toolBar = nullptr;  // normal mode only
    QLabel* m_commsPane = nullptr;
    std::unique_ptr<IMessageWindow> m_postTarget;
    bool m_closed = false;
};

}  // namespace varnel
