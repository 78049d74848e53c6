#include "app/ui/MainFrameWindow.h"

#include "app/ui/ChildFrameWindows.h"
#include "app/ui/CommandTable.h"
#include "app/ui/ScreenFacts.h"
#include "support/RecordingPrompt.h"
#include "support/ui/GuiTest.h"
#include "StubFrameModel.h"

#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <thread>

namespace varnel {
namespace {

class MainFrameWindowTest : public test::GuiTest {
protected:
    test::StubFrameModel m_frame;
    CommandTable m_commands;
};

class NothingUnsaved final : public IUnsavedWork {
public:
    bool HasUnsavedChanges() const override { return m_unsaved; }
    bool SaveChanges() override { return true; }
    void DiscardChanges() override { m_unsaved = false; }
    bool m_unsaved = false;
};

TEST_F(MainFrameWindowTest, NormalModeHasTheChosenToolBarAndTheCommsPane)
{
    m_frame.m_toolBar = 238;
    MainFrameWindow window(m_frame, m_commands);
    window.ShowPlaced();
    QToolBar* bar = test::Child<QToolBar>(window, "mainToolBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->actions().contains(m_commands.Action(32873)));  // Change Department
    // Buttons of commands nobody registered yet are there, disabled.
    EXPECT_FALSE(m_commands.Action(32873)->isEnabled());
    EXPECT_EQ(test::Child<QLabel>(window, "commsPane")->text(), "Scale Comms: Off-Line");
    EXPECT_EQ(window.windowTitle(), "Varnel");
    EXPECT_EQ(window.geometry(), QRect(20, 30, 600, 500));
}

TEST_F(MainFrameWindowTest, SchedulerModeHasNoToolBar)
{
    m_frame.m_mode = RunMode::Scheduler;
    MainFrameWindow window(m_frame, m_commands);
    EXPECT_EQ(window.GetToolBar(), nullptr);
    m_commands.UpdateActions();
    EXPECT_FALSE(m_commands.Action(Commands::kToolBar)->isEnabled());
}

TEST_F(MainFrameWindowTest, PostedActivityFromALinkThreadRewritesPaneOne)
{
    MainFrameWindow window(m_frame, m_commands);
    m_frame.m_commsStatus = "Scale Comms: Sending...";
    std::thread link([&] { window.PostTarget().Post(kCommsStateChangedMessage, 0, 0); });
    link.join();
    auto* pane = test::Child<QLabel>(window, "commsPane");
    EXPECT_EQ(pane->text(), "Scale Comms: Off-Line");
    test::ProcessEvents();
    EXPECT_EQ(pane->text(), "Scale Comms: Sending...");
    // A received Data Save file is opened only while a child window is active.
    window.PostTarget().Post(kDataSaveReceivedMessage, 0, 0);
    test::ProcessEvents();
    EXPECT_EQ(m_frame.m_dataSaveReceived, 0);
}

TEST_F(MainFrameWindowTest, BarCommandsToggleAndClosingSavesThePlacement)
{
    MainFrameWindow window(m_frame, m_commands);
    window.ShowPlaced();
    m_commands.UpdateActions();
    EXPECT_TRUE(m_commands.Action(Commands::kStatusBar)->isChecked());
    m_commands.Action(Commands::kStatusBar)->trigger();
    m_commands.Action(Commands::kToolBar)->trigger();
    window.showMaximized();
    test::ProcessEvents();
    m_commands.Action(Commands::kExit)->trigger();
    ASSERT_EQ(m_frame.m_saves, 1);
    const ClosingPlacement& saved = *m_frame.m_saved;
    EXPECT_EQ(saved.state, WindowState::Maximized);
    EXPECT_EQ(saved.normal, (PlacementRect{20, 30, 620, 530}));
    EXPECT_EQ(saved.toolBarVisible, false);
    EXPECT_EQ(saved.statusBarVisible, false);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainFrameWindowTest, AChildWindowThatRefusesKeepsTheProgramOpen)
{
    test::RecordingPrompt prompt;
    MainFrameWindow window(m_frame, m_commands);
    window.ShowPlaced();
    NothingUnsaved keyboard;
    keyboard.m_unsaved = true;
    window.AddChildFrame(new CKbdChildWnd(m_frame, new QWidget, nullptr, keyboard));
    prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(window.close());
    EXPECT_EQ(m_frame.m_saves, 0);
    EXPECT_EQ(window.GetMdiArea()->subWindowList().size(), 1);
    prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(m_frame.m_saves, 1);
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{61414, 61414}));
}

TEST_F(MainFrameWindowTest, ClosingTheSchedulerWindowEndsTheProgram)
{
    test::RecordingPrompt prompt;
    m_frame.m_mode = RunMode::Scheduler;
    MainFrameWindow window(m_frame, m_commands);
    window.ShowPlaced();
    NothingUnsaved schedule;
    schedule.m_unsaved = true;
    auto* child = new CSchedChildWnd(m_frame, new QWidget, schedule);
    window.AddChildFrame(child);
    EXPECT_EQ(child->windowTitle(), "Scheduler - day.sch");
    prompt.QueueAnswer(MessageAnswer::Cancel);
    child->close();
    test::ProcessEvents();
    EXPECT_TRUE(window.isVisible());
    prompt.QueueAnswer(MessageAnswer::No);
    child->close();
    test::ProcessEvents();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(m_frame.m_saves, 1);
}

TEST_F(MainFrameWindowTest, PluListWindowKeepsItsSizeForTheNextRun)
{
    m_frame.m_searchSize = {900, 700};
    MainFrameWindow window(m_frame, m_commands);
    window.resize(1200, 1000);
    window.ShowPlaced();
    auto* child = new CChildFrame(m_frame, new QWidget, m_commands, 243);
    window.AddChildFrame(child);
    // The offscreen screen is 800 pixels wide: too narrow for the list beside anything else.
    ASSERT_LT(CurrentScreenMetrics().screenWidth, 810);
    EXPECT_TRUE(child->isMaximized());
    child->showNormal();
    EXPECT_EQ(child->size(), QSize(900, 700));
    EXPECT_EQ(child->windowTitle(), "PLU Search - Shop");
    EXPECT_NE(test::Child<QToolBar>(*child, "toolBar243"), nullptr);
    child->resize(950, 720);
    EXPECT_TRUE(child->close());
    EXPECT_EQ(m_frame.m_searchSize, (std::pair{950, 720}));
}

}  // namespace
}  // namespace varnel
