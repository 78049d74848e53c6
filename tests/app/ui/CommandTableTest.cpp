#include "app/ui/CommandTable.h"

#include "support/ui/GuiTest.h"

#include <QMenu>
#include <QTest>

namespace varnel {
namespace {

class CommandTableTest : public test::GuiTest {};

TEST_F(CommandTableTest, OneActionPerCommandNumberWhoeverAsksFirst)
{
    CommandTable table;
    QAction* placeholder = table.Action(32873);
    EXPECT_FALSE(placeholder->isEnabled());
    EXPECT_FALSE(table.IsRegistered(32873));
    int runs = 0;
    bool allowed = false;
    QAction* registered =
        table.Register(32873, "Change &Department", [&] { ++runs; }, [&] { return CommandState{allowed, {}}; },
                       QKeySequence("Ctrl+D"));
    EXPECT_EQ(registered, placeholder);
    EXPECT_EQ(registered->toolTip(), "Change Department");
    EXPECT_EQ(registered->shortcut(), QKeySequence("Ctrl+D"));

    table.UpdateActions();
    EXPECT_FALSE(registered->isEnabled());
    allowed = true;
    table.UpdateActions();
    EXPECT_TRUE(registered->isEnabled());
    registered->trigger();
    EXPECT_EQ(runs, 1);
}

TEST_F(CommandTableTest, RulesRunWhenAMenuOpensAndOnTheTimer)
{
    CommandTable table(nullptr, 20);
    bool checked = false;
    QAction* action = table.Register(59393, "&Status Bar", [] {}, [&] { return CommandState{true, checked}; });
    QMenu menu;
    menu.addAction(action);
    table.WatchMenu(&menu);
    checked = true;
    emit menu.aboutToShow();
    EXPECT_TRUE(action->isCheckable());
    EXPECT_TRUE(action->isChecked());
    checked = false;
    for (int wait = 0; wait < 200 && action->isChecked(); ++wait) QTest::qWait(10);
    EXPECT_FALSE(action->isChecked());
}

}  // namespace
}  // namespace varnel
