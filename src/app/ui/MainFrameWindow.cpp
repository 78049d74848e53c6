// The main window.
#include "app/ui/MainFrameWindow.h"

#include "app/FrameDocument.h"
#include "app/FrameModel.h"
#include "app/ui/AboutDlg.h"
#include "app/ui/ChildFrameWindows.h"
#include "app/MenuPruning.h"
#include "app/MenuStateSource.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MenuBars.h"
#include "app/ui/ProgramIdentity.h"
#include "app/ui/ScreenFacts.h"
#include "platform/Messages.h"
#include "platform/ui/QueuedMessageWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace varnel {

MainFrameWindow::MainFrameWindow(IFrameModel& frame, CommandTable& commands)
    : m_frame(frame), m_commands(commands), m_mdiArea(new QMdiArea(this))
{
    setObjectName("mainFrame");
    setWindowIcon(ProgramIcon(frame.GetRunMode() == RunMode::Scheduler));
    m_mdiArea->setObjectName("mdiArea");
    setCentralWidget(m_mdiArea);
    m_postTarget = std::make_unique<QueuedMessageWindow>(this, [this](std::uint32_t message, std::uintptr_t,
                                                                      std::intptr_t) {
        if (message == kCommsStateChangedMessage) OnCommsStateChanged();
        else if (message == kDataSaveReceivedMessage && m_mdiArea->activeSubWindow() != nullptr)
            m_frame.OnDataSaveReceived();
    });
    RegisterFrameCommands();
    RegisterRecentFiles();
    if (frame.GetRunMode() == RunMode::Normal) {
        m_toolBar = MakeToolBar(commands, frame.GetMainToolBar(CurrentScreenMetrics().screenWidth), this);
        m_toolBar->setObjectName("mainToolBar");
        m_toolBar->setMovable(true);
        addToolBar(Qt::TopToolBarArea, m_toolBar);
    }
    BuildStatusBar();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainFrameWindow::UpdateFrameTitle);
    UpdateFrameTitle();
    OnCommsStateChanged();
}

MainFrameWindow::~MainFrameWindow()
{
    // The MDI area still announces its children's going after this window's own part is gone.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    m_commands.SetStateSource({});
}

void MainFrameWindow::RegisterFrameCommands()
{
    using namespace Commands;
    m_commands.Register(kExit, "E&xit", [this] { close(); });
    m_commands.Register(kAbout, "&About Varnel...", [this] { CAboutDlg(this).exec(); });
    m_commands.Register(
        kToolBar, "&Tool Bar", [this] { m_toolBar->setVisible(m_toolBar->isHidden()); },
        [this] { return CommandState{m_toolBar != nullptr, m_toolBar != nullptr && !m_toolBar->isHidden()}; });
    m_commands.Register(
        kStatusBar, "&Status Bar", [this] { statusBar()->setVisible(statusBar()->isHidden()); },
        [this] { return CommandState{true, !statusBar()->isHidden()}; });
    const auto anyChild = [this] { return CommandState{!m_mdiArea->subWindowList().isEmpty(), std::nullopt}; };
    m_commands.Register(kCascade, "&Cascade", [this] { m_mdiArea->cascadeSubWindows(); }, anyChild);
    m_commands.Register(kTileHorizontally, "&Tile", [this] { m_mdiArea->tileSubWindows(); }, anyChild);
    m_commands.Register(
        kArrangeIcons, "&Arrange Icons",
        [this] {
            // Minimised children line up along the bottom, as the Windows design arranged its icons.
            int left = 0;
            for (QMdiSubWindow* child : m_mdiArea->subWindowList()) {
                if (!child->isMinimized()) continue;
                child->move(left, m_mdiArea->viewport()->height() - child->height());
                left += child->width();
            }
        },
        anyChild);
}

void MainFrameWindow::RegisterRecentFiles()
{
    for (std::uint32_t i = 0; i < kRecentFileCount; ++i) {
        m_commands.Register(kFirstRecentFileCommand + i, QString(), [this, i] {
            if (m_openRecent && i < m_shownRecentFiles.size()) m_openRecent(m_shownRecentFiles[i]);
        });
    }
}

void MainFrameWindow::SetMenuStateSource(MenuStateSource source)
{
    m_menuState = std::move(source);
    m_commands.SetStateSource([this] { return m_menuState(m_commands.GetActiveWindow(), IsKeyboardWindowOpen()); });
    UpdateMenuBar();
}

void MainFrameWindow::SetRecentFiles(std::function<std::vector<std::string>()> files,
                                     std::function<void(const std::string&)> open)
{
    m_recentFiles = std::move(files);
    m_openRecent = std::move(open);
    UpdateMenuBar();
}

MenuWindow MainFrameWindow::ActiveMenuWindow() const
{
    const auto* active = qobject_cast<const ChildFrameWindow*>(m_mdiArea->activeSubWindow());
    const MenuState frameState = m_menuState ? m_menuState(MenuWindow::NoDocument, false) : MenuState{};
    return MenuWindowFor(active != nullptr ? std::optional(active->Kind()) : std::nullopt, frameState.documentOpen);
}

bool MainFrameWindow::IsKeyboardWindowOpen() const
{
    for (QMdiSubWindow* child : m_mdiArea->subWindowList()) {
        const auto* frame = qobject_cast<const ChildFrameWindow*>(child);
        if (frame != nullptr && frame->Kind() == ChildFrameKind::Keyboard) return true;
    }
    return false;
}

MenuState MainFrameWindow::CurrentMenuState() const
{
    MenuState state = m_commands.CurrentState();
    state.schedulerMode = m_frame.GetRunMode() == RunMode::Scheduler;
    return state;
}

void MainFrameWindow::UpdateMenuBar()
{
    const MenuWindow window = ActiveMenuWindow();
    m_commands.SetActiveWindow(window);
    if (window != m_shownAccelerators) {
        ApplyAccelerators(m_commands, *this, window);
        m_shownAccelerators = window;
    }
    std::vector<std::string> recentFiles = m_recentFiles ? m_recentFiles() : std::vector<std::string>{};
    MenuState state = CurrentMenuState();
    state.recentFileCount = recentFiles.size();
    MenuNode bar = MenuBarFor(state);
    if (bar == m_shownBar && recentFiles == m_shownRecentFiles) return;
    m_shownRecentFiles = std::move(recentFiles);
    // The old menus may be the ones whose command led here: they go once it has returned.
    for (QMenu* old : menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
        old->setObjectName(QString());
        old->deleteLater();
    }
    menuBar()->clear();
    for (const MenuNode& popup : bar.children) {
        auto* menu = new QMenu(QString::fromStdString(popup.label), menuBar());
        menu->setObjectName(MenuObjectName(popup.label));
        FillMenu(*menu, popup, m_commands, m_shownRecentFiles);
        connect(menu, &QMenu::aboutToShow, this, [this, menu, label = popup.label] { FillTopLevelMenu(menu, label); });
        menuBar()->addMenu(menu);
    }
    m_shownBar = std::move(bar);
}

void MainFrameWindow::FillTopLevelMenu(QMenu* menu, const std::string& label)
{
    // The setup or the user may have changed since the bar was built.
    if (m_recentFiles) m_shownRecentFiles = m_recentFiles();
    MenuState state = CurrentMenuState();
    state.recentFileCount = m_shownRecentFiles.size();
    const MenuNode bar = MenuBarFor(state);
    for (const MenuNode& popup : bar.children) {
        if (popup.label == label) FillMenu(*menu, popup, m_commands, m_shownRecentFiles);
    }
    m_commands.UpdateActions();
}

QMenu* MainFrameWindow::GetMenu(Menu menu) const
{
    static constexpr const char* kNames[] = {"fileMenu", "editMenu", "setupMenu", "windowMenu", "helpMenu"};
    return menuBar()->findChild<QMenu*>(kNames[static_cast<int>(menu)], Qt::FindDirectChildrenOnly);
}

void MainFrameWindow::BuildStatusBar()
{
    statusBar()->setObjectName("statusBar");
    m_commsPane = new QLabel(this);
    m_commsPane->setObjectName("commsPane");
    // Wide enough for the longest text it shows.
    m_commsPane->setMinimumWidth(m_commsPane->fontMetrics().horizontalAdvance(
        QString::fromUtf8(GetMessageText(114).data(), static_cast<qsizetype>(GetMessageText(114).size()))));
    statusBar()->addPermanentWidget(m_commsPane);
    statusBar()->showMessage(tr("Ready"));
}

void MainFrameWindow::OnCommsStateChanged()
{
    if (m_commsPane != nullptr) m_commsPane->setText(QString::fromStdString(m_frame.GetCommsStatusText()));
}

void MainFrameWindow::UpdateFrameTitle()
{
    const QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    const IFrameDocument* document = active != nullptr && !active->isMaximized() ? m_frame.GetFrameDocument() : nullptr;
    setWindowTitle(QString::fromStdString(m_frame.GetFrameTitle(document)));
    UpdateMenuBar();
    for (QMdiSubWindow* child : m_mdiArea->subWindowList()) {
        if (auto* frame = qobject_cast<ChildFrameWindow*>(child)) frame->UpdateTitle();
    }
}

void MainFrameWindow::AddChildFrame(ChildFrameWindow* child)
{
    m_mdiArea->addSubWindow(child);
    child->PlaceFirst(CurrentScreenMetrics());
    child->show();
    UpdateFrameTitle();
}

void MainFrameWindow::ShowPlaced()
{
    const RestoredPlacement placement = m_frame.GetRestoredPlacement();
    const PlacementRect& rect = placement.normal;
    setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    if (m_toolBar != nullptr) m_toolBar->setVisible(placement.toolBarVisible);
    statusBar()->setVisible(placement.statusBarVisible);
    switch (placement.show) {
    case ShowCommand::Normal: show(); break;
    case ShowCommand::Maximized: showMaximized(); break;
    case ShowCommand::MinimizedNoActivate:
        setAttribute(Qt::WA_ShowWithoutActivating);
        setWindowState(placement.restoreToMaximized ? Qt::WindowMinimized | Qt::WindowMaximized : Qt::WindowMinimized);
        show();
        break;
    }
}

ClosingPlacement MainFrameWindow::CurrentPlacement() const
{
    ClosingPlacement placement;
    const Qt::WindowStates state = windowState();
    const QRect normal = (state & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) != 0 &&
                                 normalGeometry().isValid()
                             ? normalGeometry()
                             : geometry();
    placement.normal = {normal.left(), normal.top(), normal.right() + 1, normal.bottom() + 1};
    if (state & Qt::WindowMinimized) {
        placement.state = WindowState::Minimized;
        placement.restoreToMaximized = (state & Qt::WindowMaximized) != 0;
    } else if (state & Qt::WindowMaximized) {
        placement.state = WindowState::Maximized;
    }
    if (m_toolBar != nullptr) placement.toolBarVisible = !m_toolBar->isHidden();
    placement.statusBarVisible = !statusBar()->isHidden();
    std::tie(placement.searchWidth, placement.searchHeight) = m_frame.GetSearchWindowSize();
    return placement;
}

void MainFrameWindow::closeEvent(QCloseEvent* event)
{
    // Every other child window gets its say first (an unsaved keyboard or PLU); the PLU list windows
    // then go with the program without asking about their database.
    bool refused = false;
    for (QMdiSubWindow* child : m_mdiArea->subWindowList())
        if (qobject_cast<CChildFrame*>(child) == nullptr) refused = !child->close() || refused;
    if (refused) {
        event->ignore();
        return;
    }
    for (QMdiSubWindow* child : m_mdiArea->subWindowList()) {
        if (auto* list = qobject_cast<CChildFrame*>(child)) {
            list->CloseWithProgram();
            list->close();
        }
    }
    if (!m_closed) {
        m_closed = true;
        m_frame.SaveOnClose(CurrentPlacement());
    }
    QMainWindow::closeEvent(event);
}

}  // namespace varnel
