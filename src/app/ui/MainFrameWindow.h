// The main window: the MDI area for the child windows, the menus and tool bar built from the command
// table, and the status bar whose pane 1 shows the scale links' activity. It shows the main frame
// (IFrameModel) and hands its placement back when it closes.
//
// The menu bar is the active window's (app/MenuCommands.h), pruned to the state its source gives; it
// is rebuilt when the active window changes or the frame title is brought up to date (after setup and
// user changes), and each menu is filled anew as it is about to show.
//
// The frame's own commands are registered here: Exit, Tool Bar, Status Bar, the window arrangement
// and About. The Windows design's posted messages arrive through PostTarget(): 9 rewrites pane 1, 3
// opens a received Data Save file.
#pragma once

#include "app/FrameRun.h"
#include "app/MenuCommands.h"
#include "app/WindowPlacement.h"
#include "platform/MessageWindow.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
    // The state of the frame and document for the menus of the window; whether a keyboard window is open.
    using MenuStateSource = std::function<MenuState(MenuWindow window, bool keyboardWindowOpen)>;

    MainFrameWindow(IFrameModel& frame, CommandTable& commands);
    ~MainFrameWindow() override;

    // Shows the window by the placement the frame restored.
    void ShowPlaced();
    // Adds a child window to the MDI area, placed by its kind's rule, and shows it.
    void AddChildFrame(ChildFrameWindow* child);

    // The top-level menu shown now; null when the active window's bar has none or pruning took it.
    QMenu* GetMenu(Menu menu) const;
    // Until a source is set the menus show the model's default state and only the registered rules
    // enable the commands.
    void SetMenuStateSource(MenuStateSource source);
    // The recent files File offers and what opens one.
    void SetRecentFiles(std::function<std::vector<std::string>()> files,
                        std::function<void(const std::string&)> open);
    // Builds the menu bar again from the current state when it changed.
    void UpdateMenuBar();
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
    MenuWindow ActiveMenuWindow() const;
    // The state from the source (the model's defaults without one) in this window's run mode.
    MenuState CurrentMenuState() const;
    bool IsKeyboardWindowOpen() const;
    void FillTopLevelMenu(QMenu* menu, const std::string& label);
    void RegisterRecentFiles();
    void BuildStatusBar();
    ClosingPlacement CurrentPlacement() const;

    IFrameModel& m_frame;
    CommandTable& m_commands;
    QMdiArea* m_mdiArea;
    QToolBar* m_toolBar = nullptr;  // normal mode only
    QLabel* m_commsPane = nullptr;
    std::unique_ptr<IMessageWindow> m_postTarget;
    MenuStateSource m_menuState;
    std::function<std::vector<std::string>()> m_recentFiles;
    std::function<void(const std::string&)> m_openRecent;
    std::vector<std::string> m_shownRecentFiles;
    MenuNode m_shownBar;
    std::optional<MenuWindow> m_shownAccelerators;
    bool m_closed = false;
};

}  // namespace varnel
