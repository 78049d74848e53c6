#include "app/MenuCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>

namespace varnel {
namespace {

constexpr MenuWindow kBars[] = {MenuWindow::NoDocument, MenuWindow::PluList, MenuWindow::Scheduler,
                                MenuWindow::PluEditor};

const MenuNode* FindItem(const MenuNode& menu, std::uint32_t command)
{
    const MenuNode* found = nullptr;
    ForEachMenuItem(menu, [&](const MenuNode& item) {
        if (found == nullptr && item.kind == MenuNode::Kind::Command && item.command == command) found = &item;
    });
    return found;
}

TEST(MenuCommandsTest, EveryMenuItemNamesOneCommandOfItsBarWithARuleUnlessTheWindowOwnsIt)
{
    for (const MenuWindow window : kBars) {
        SCOPED_TRACE(static_cast<int>(window));
        std::set<std::uint32_t> seen;
        ForEachMenuItem(MenuBarOf(window), [&](const MenuNode& item) {
            if (item.kind == MenuNode::Kind::Popup) {
                EXPECT_FALSE(item.label.empty());
            }
            if (item.kind != MenuNode::Kind::Command) return;
            EXPECT_FALSE(item.label.empty()) << item.command;
            EXPECT_TRUE(seen.insert(item.command).second) << item.command << " twice";
            if (!item.windowOwn) {
                EXPECT_NE(FindCommand(item.command), nullptr) << item.command;
            }
        });
    }
}

TEST(MenuCommandsTest, CommandsAreFoundByNumber)
{
    const auto commands = AllCommands();
    EXPECT_TRUE(std::ranges::is_sorted(commands, {}, &CommandDef::command));
    EXPECT_EQ(std::ranges::adjacent_find(commands, {}, &CommandDef::command), commands.end());
    for (const CommandDef& command : commands) EXPECT_EQ(FindCommand(command.command), &command);
    EXPECT_EQ(FindCommand(32824), nullptr);  // the PLU editor's own Save
    EXPECT_EQ(FindCommand(1), nullptr);
    EXPECT_EQ(FindCommand(99999), nullptr);
}

TEST(MenuCommandsTest, ANumberWithTwoMeaningsHasEachWindowsLabel)
{
    struct Case {
        MenuWindow window;
        std::uint32_t command;
        const char* label;
        bool windowOwn;
    };
    const Case cases[] = {
        {MenuWindow::PluList, 32819, "Default Keyboard - TR-&5300", false},
        {MenuWindow::PluList, 32884, "&PLU Fields (RUX/PZ4/Tarn4)", false},
        {MenuWindow::Scheduler, 32884, "&Add", true},
        {MenuWindow::Scheduler, 32887, "S&tart/Stop Scheduler", true},
        {MenuWindow::PluList, 32887, "&Comments", false},
        {MenuWindow::PluList, 32859, "Database Access", false},
        {MenuWindow::PluEditor, 32859, "Next &Line Font", true},
        {MenuWindow::PluList, 32789, "&Store Name (TR-5300/LumenXT)", false},
        {MenuWindow::PluEditor, 32789, "&Store Name/Address", false},
    };
    for (const Case& c : cases) {
        const MenuNode* item = FindItem(MenuBarOf(c.window), c.command);
        ASSERT_NE(item, nullptr) << c.command;
        EXPECT_EQ(item->label, c.label);
        EXPECT_EQ(item->windowOwn, c.windowOwn) << c.command;
    }
}

TEST(MenuCommandsTest, ThePluEditorRepeatsTheScalesAndCommsCommandsOfTheMainMenu)
{
    const MenuNode& editor = MenuBarOf(MenuWindow::PluEditor);
    for (const std::uint32_t command : {32785u, 32786u, 32787u, 32816u, 32854u, 32788u, 32870u, 32789u, 32790u,
                                        32800u, 32791u, 32952u, 32865u, 32901u, 32899u, 32913u})
        EXPECT_NE(FindItem(editor, command), nullptr) << command;
    EXPECT_EQ(FindItem(editor, 32965), nullptr);
    EXPECT_EQ(FindItem(editor, 32999), nullptr);
}

TEST(MenuCommandsTest, AcceleratorTablesBindTheirWindowsKeys)
{
    const auto command = [](int table, std::string_view keys) -> std::uint32_t {
        for (const Accelerator& accelerator : AcceleratorTable(table))
            if (accelerator.keys == keys) return accelerator.command;
        return 0;
    };
    for (const int table : {128, 156}) {
        EXPECT_EQ(command(table, "Ctrl+Alt+P"), 32801u);
        EXPECT_EQ(command(table, "Shift+Ins"), 57637u);
        EXPECT_EQ(command(table, "Shift+Del"), 57635u);
        EXPECT_EQ(command(table, "Ctrl+Ins"), 57634u);
    }
    EXPECT_EQ(command(128, "Ctrl+F"), 32819u);
    EXPECT_EQ(command(128, "Ctrl+P"), 57607u);
    EXPECT_EQ(command(156, "Ctrl+F"), 32859u);
    EXPECT_EQ(command(156, "Ctrl+S"), 32824u);
    EXPECT_EQ(command(156, "Ctrl+P"), 32827u);
    EXPECT_TRUE(AcceleratorTable(129).empty());
    const auto bound = [](MenuWindow window, std::uint32_t wanted) {
        const std::vector<Accelerator> keys = AcceleratorsFor(window);
        return std::ranges::any_of(keys, [wanted](const Accelerator& key) { return key.command == wanted; });
    };
    EXPECT_TRUE(bound(MenuWindow::Report, 32819));
    EXPECT_FALSE(bound(MenuWindow::PluList, 32819));  // "Default Keyboard - TR-&5300" there
    EXPECT_TRUE(bound(MenuWindow::PluList, 32801));
    EXPECT_TRUE(bound(MenuWindow::PluEditor, 32824));
    EXPECT_FALSE(bound(MenuWindow::NoDocument, 32824));
}

TEST(MenuCommandsTest, TheCopyPricePopupOffersTheFivePriceMasters)
{
    const MenuNode& popup = CopyPricePopup();
    ASSERT_EQ(popup.children.size(), 5u);
    EXPECT_EQ(popup.children[0].label, "Price Master #1");
    EXPECT_EQ(popup.children[4].command, 32985u);
}

// Each rule against the state that turns it on and off.
TEST(MenuCommandsTest, UpdateRulesFollowTheState)
{
    struct Case {
        std::uint32_t command;
        std::function<void(MenuState&)> refuse;  // from a state that enables everything
    };
    const auto loggedIn = [](MenuState& state) {
        state.user.loggedIn = true;
        state.user.rights.set();
        state.user.rights.reset(RightRestrictedAccess);
        state.user.rights.reset(RightTiedToDatabase);
        state.user.tables.fill(AccessView | AccessUpdate | AccessDelete);
    };
    const Case cases[] = {
        {32802, [&](MenuState& s) { loggedIn(s); s.user.tables[1] = 0; }},
        {32870, [](MenuState& s) { s.batchMode = true; }},
        {32831, [&](MenuState& s) { loggedIn(s); s.user.tables[1] = AccessView; }},
        {32930, [](MenuState& s) { s.switches.deptGroupTables = true; }},
        {32785, [&](MenuState& s) { loggedIn(s); s.user.tables[10] = AccessUpdate; }},
        {32790, [](MenuState& s) { s.onlineCommsUsable = false; }},
        {32804, [](MenuState& s) { s.batchMode = true; }},
        {32879, [&](MenuState& s) { loggedIn(s); s.user.rights.set(RightRestrictedAccess); }},
        {32880, [](MenuState& s) { s.batchMode = true; }},
        {32800, [&](MenuState& s) { loggedIn(s); s.user.rights.set(RightRestrictedAccess); }},
        {32873, [](MenuState& s) { s.departmentsExist = false; }},
        {32873, [&](MenuState& s) { loggedIn(s); s.user.rights.set(RightTiedToDatabase); }},
        {32813, [](MenuState& s) { s.dataSaveFileOpen = false; }},
        {32788, [](MenuState& s) { s.linksExist = false; }},
        {32968, [](MenuState& s) { s.batchMode = true; }},
        {32819, [](MenuState& s) { s.keyboardWindowOpen = true; }},
        {32881, [](MenuState& s) { s.documentOpen = false; }},
        {32908, [&](MenuState& s) { loggedIn(s); s.headOffice = true; s.user.saleRestricted = true; }},
        {32791, [](MenuState& s) { s.onlineCommsOn = false; }},
        {32860, [&](MenuState& s) { loggedIn(s); s.user.rights.reset(RightPluProdReport); }},
        {32818, [&](MenuState& s) { loggedIn(s); s.user.rights.reset(RightPluListReport); }},
        {32907, [&](MenuState& s) { loggedIn(s); s.user.rights.reset(RightTextImport); }},
        {32910, [&](MenuState& s) { loggedIn(s); s.user.rights.reset(RightDatabaseImport); }},
        {32878, [&](MenuState& s) { loggedIn(s); s.user.rights.reset(RightScheduler); }},
        {32990, [&](MenuState& s) { loggedIn(s); s.user.rights.set(RightRestrictedAccess); }},
    };
    MenuState enabling;
    enabling.documentOpen = true;
    enabling.dataSaveFileOpen = true;
    enabling.linksExist = true;
    enabling.onlineCommsOn = true;
    enabling.onlineCommsUsable = true;
    enabling.departmentsExist = true;
    for (const Case& c : cases) {
        const CommandDef* command = FindCommand(c.command);
        ASSERT_NE(command, nullptr);
        EXPECT_TRUE(IsCommandEnabled(*command, enabling)) << c.command;
        MenuState refusing = enabling;
        c.refuse(refusing);
        EXPECT_FALSE(IsCommandEnabled(*command, refusing)) << c.command;
    }
    // Only batch mode enables its end; a sale restriction counts in head-office mode alone.
    EXPECT_FALSE(IsCommandEnabled(*FindCommand(32883), enabling));
    MenuState restrictedStore = enabling;
    restrictedStore.user.saleRestricted = true;
    EXPECT_TRUE(IsCommandEnabled(*FindCommand(32908), restrictedStore));
}

}  // namespace
}  // namespace varnel
