// The main window's menus built from the command data over a real frame and document: opened as a
// user opens them (aboutToShow) and triggered through their actions.
#include "app/ui/MenuBars.h"

#include "FrameCommandsFixture.h"
#include "app/ui/ChildFrameWindows.h"
#include "app/ui/MainFrameWindow.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace varnel {
namespace {

class MenuBarsTest : public test::FrameCommandsFixture {
protected:
    // The menu as the user opens it.
    static QMenu* Open(QMenu* menu)
    {
        if (menu != nullptr) emit menu->aboutToShow();
        return menu;
    }
    QMenu* OpenMenu(const char* objectName) { return Open(m_window.menuBar()->findChild<QMenu*>(objectName)); }
    QStringList BarTitles() const
    {
        QStringList titles;
        for (const QAction* action : m_window.menuBar()->actions()) titles << action->text();
        return titles;
    }
    bool Shows(QMenu* menu, std::uint32_t command) { return menu->actions().contains(m_commands.Action(command)); }
    void LogIn(const std::function<void(CUserSetup&)>& rights)
    {
        auto user = std::make_unique<CUserSetup>();
        user->m_name = "Ann";
        user->m_tablePermission.fill(AccessView | AccessUpdate | AccessDelete);
        user->m_rights.fill(1);
        user->m_rights[RightRestrictedAccess] = 0;
        user->m_rights[RightTiedToDatabase] = 0;
        rights(*user);
        m_frame.Access().m_users.Add(std::move(user));
        m_frame.Access().m_users.SetCurrentUser(0);
    }

    MainFrameWindow m_window{m_model, m_commands};
};

TEST_F(MenuBarsTest, ThePluListWindowsBarHoldsItsTenMenusAndRegisteredCommandsRunFromThem)
{
    ShowPluListMenus(m_window);
    EXPECT_EQ(BarTitles(), (QStringList{"&File", "&Edit", "&PLU", "&Scales", "&Reports", "&Tools", "&Comms",
                                        "&Setup", "&Window", "&Help"}));
    int runs = 0;
    m_commands.Register(32878, "Scheduler", [&runs] { ++runs; });
    QMenu* tools = OpenMenu("toolsMenu");
    QAction* scheduler = m_commands.Action(32878);
    ASSERT_TRUE(Shows(tools, 32878));
    EXPECT_EQ(scheduler->text(), "S&cheduler");  // the menu's label
    EXPECT_TRUE(scheduler->isEnabled());
    scheduler->trigger();
    EXPECT_EQ(runs, 1);
    // A command whose handler comes later shows, disabled.
    EXPECT_TRUE(Shows(tools, 32908));
    EXPECT_FALSE(m_commands.Action(32908)->isEnabled());
}

TEST_F(MenuBarsTest, RightsAndSetupTakeEffectAtTheNextOpening)
{
    ShowPluListMenus(m_window);
    m_commands.Register(32802, "&Options", [] {});
    QMenu* setup = OpenMenu("setupMenu");
    EXPECT_TRUE(Shows(setup, 32802));
    EXPECT_FALSE(Shows(setup, 32906));
    EXPECT_TRUE(m_commands.Action(32802)->isEnabled());

    m_frame.GeneralSetup().m_market = MarketNewZealand;
    EXPECT_TRUE(Shows(Open(setup), 32906));

    // A user who may not view the setup: Options stays, disabled (rule S); without batch mode rights the
    // batch items go.
    LogIn([](CUserSetup& user) {
        user.m_tablePermission[kSetupTable] = 0;
        user.m_rights[RightBatchMode] = 0;
    });
    Open(setup);
    EXPECT_FALSE(m_commands.Action(32802)->isEnabled());
    QMenu* tools = OpenMenu("toolsMenu");
    EXPECT_FALSE(Shows(tools, 32880));
    EXPECT_FALSE(Shows(tools, 32883));
}

TEST_F(MenuBarsTest, KeepingProductionTotalsRenamesTheLoadAtTheNextOpening)
{
    ShowPluListMenus(m_window);
    QMenu* comms = OpenMenu("commsMenu");
    EXPECT_EQ(m_commands.Action(32865)->text(), "Load and Delete &Production Data from Scales");
    m_frame.GeneralSetup().m_keepProductionAfterLoad = 1;
    Open(comms);
    EXPECT_EQ(m_commands.Action(32865)->text(), "Load Production Data from Scales");
}

TEST_F(MenuBarsTest, WithoutADocumentTheFramesMenuLosesAPopupThatPruningEmptied)
{
    m_window.SetMenuStateSource([this](MenuWindow window, bool keyboardWindowOpen) {
        return MenuStateOf(m_frame, &m_document, window, keyboardWindowOpen);
    });
    EXPECT_EQ(BarTitles(), (QStringList{"&File", "&Setup", "&Help"}));
    QMenu* file = OpenMenu("fileMenu");
    EXPECT_TRUE(Shows(file, 57601));
    EXPECT_FALSE(Shows(file, 32898));  // the scheduler's

    // Australian nutrition takes Departments, the Setup menu's one item: the popup goes from the bar.
    m_frame.GeneralSetup().m_market = MarketAustralia;
    m_frame.GeneralSetup().m_nutritionInUse = 1;
    m_frame.RecalcSetupFlags();
    m_window.UpdateFrameTitle();
    EXPECT_EQ(BarTitles(), (QStringList{"&File", "&Help"}));
}

TEST_F(MenuBarsTest, ANumberWithTwoMeaningsTakesTheActiveWindowsFirst)
{
    ShowPluListMenus(m_window);
    std::vector<std::string> ran;
    m_commands.Register(32819, "Default Keyboard - TR-&5300", [&ran] { ran.push_back("keyboard"); });
    m_commands.RegisterFor(MenuWindow::Report, 32819, "&From...", [&ran] { ran.push_back("from"); });
    QAction* action = m_commands.Action(32819);
    action->trigger();
    m_commands.SetActiveWindow(MenuWindow::Report);
    EXPECT_EQ(action->text(), "&From...");
    action->trigger();
    m_commands.SetActiveWindow(MenuWindow::PluList);
    EXPECT_EQ(action->text(), "Default Keyboard - TR-&5300");
    EXPECT_EQ(ran, (std::vector<std::string>{"keyboard", "from"}));
    // A window with no meaning of its own for the number leaves it disabled there.
    m_commands.RegisterFor(MenuWindow::Scheduler, 32884, "&Add", [] {});
    m_commands.SetActiveWindow(MenuWindow::PluList);
    EXPECT_FALSE(m_commands.Action(32884)->isEnabled());
    m_commands.SetActiveWindow(MenuWindow::Scheduler);
    EXPECT_TRUE(m_commands.Action(32884)->isEnabled());
}

TEST_F(MenuBarsTest, ThePluEditorsWindowBringsItsMenuAndItsKeys)
{
    ShowPluListMenus(m_window);
    int saves = 0;
    int passwords = 0;
    m_commands.RegisterFor(MenuWindow::PluEditor, 32824, "&Save", [&saves] { ++saves; });
    m_commands.Register(32801, QString(), [&passwords] { ++passwords; });
    m_window.show();
    QApplication::setActiveWindow(&m_window);
    QTest::keyClick(&m_window, Qt::Key_P, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(passwords, 1);
    QTest::keyClick(&m_window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 0);
    // Ctrl+F is the report window's "&From..."; in the PLU list window it marks no default keyboard.
    int defaultKeyboards = 0;
    m_commands.Register(32819, "Default Keyboard - TR-&5300", [&defaultKeyboards] { ++defaultKeyboards; });
    QTest::keyClick(&m_window, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(defaultKeyboards, 0);

    auto* editor = new CPluChildWnd(m_model, new QWidget, [] { return true; });
    m_window.AddChildFrame(editor);
    m_window.GetMdiArea()->setActiveSubWindow(editor);
    EXPECT_EQ(BarTitles(), (QStringList{"&File", "&Edit", "&PLU", "&Scales", "&Comms", "&Window", "&Help"}));
    EXPECT_TRUE(Shows(OpenMenu("fileMenu"), 32824));
    QTest::keyClick(&m_window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 1);
    QTest::keyClick(&m_window, Qt::Key_P, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(passwords, 2);
}

TEST_F(MenuBarsTest, FileOffersTheRecentFilesAndOpensOne)
{
    ShowPluListMenus(m_window);
    std::vector<std::string> files{"/shop/a.pld", "/shop/b.mdb"};
    std::string opened;
    m_window.SetRecentFiles([&files] { return files; }, [&opened](const std::string& path) { opened = path; });
    QMenu* file = OpenMenu("fileMenu");
    const QList<QAction*> actions = file->actions();
    const qsizetype first = actions.indexOf(m_commands.Action(kFirstRecentFileCommand));
    ASSERT_GE(first, 0);
    EXPECT_EQ(actions[first]->text(), "&1 /shop/a.pld");
    EXPECT_EQ(actions[first + 1]->text(), "&2 /shop/b.mdb");
    EXPECT_TRUE(actions[first - 1]->isSeparator());
    EXPECT_TRUE(actions[first + 2]->isSeparator());
    actions[first + 1]->trigger();
    EXPECT_EQ(opened, "/shop/b.mdb");

    // No recent files: nothing between Print Setup and Exit but one separator.
    files.clear();
    const QList<QAction*> none = Open(file)->actions();
    ASSERT_GE(none.size(), 3);
    EXPECT_EQ(none.back(), m_commands.Action(57665));
    EXPECT_TRUE(none[none.size() - 2]->isSeparator());
    EXPECT_EQ(none[none.size() - 3], m_commands.Action(57606));
}

TEST_F(MenuBarsTest, TheCopyPricePopupHoldsThePriceMasters)
{
    QMenu* popup = MakePopupMenu(CopyPricePopup(), m_commands, &m_window);
    ASSERT_EQ(popup->actions().size(), 5);
    EXPECT_EQ(popup->actions()[2]->text(), "Price Master #3");
    EXPECT_EQ(popup->actions()[2], m_commands.Action(32983));
}

}  // namespace
}  // namespace varnel
