#include "app/MenuPruning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace varnel {
namespace {

std::set<std::uint32_t> CommandsOf(const MenuNode& menu)
{
    std::set<std::uint32_t> commands;
    ForEachMenuItem(menu, [&](const MenuNode& item) {
        if (item.kind == MenuNode::Kind::Command) commands.insert(item.command);
    });
    return commands;
}

const MenuNode* FindPopup(const MenuNode& menu, const std::string& label)
{
    const MenuNode* found = nullptr;
    ForEachMenuItem(menu, [&](const MenuNode& item) {
        if (found == nullptr && item.kind == MenuNode::Kind::Popup && item.label == label) found = &item;
    });
    return found;
}

std::string LabelOf(const MenuNode& menu, std::uint32_t command)
{
    std::string label;
    ForEachMenuItem(menu, [&](const MenuNode& item) {
        if (item.kind == MenuNode::Kind::Command && item.command == command) label = item.label;
    });
    return label;
}

SetupFlags FlagsFor(const CGeneralSetup& setup, const std::set<std::uint16_t>& families)
{
    return ComputeSetupFlags(setup, [&](std::uint16_t family) { return families.contains(family); });
}

// A site with a scale of the family in the market, nobody logged in.
MenuState SiteState(std::set<std::uint16_t> families, std::uint16_t market = MarketUsa)
{
    CGeneralSetup setup;
    setup.m_market = market;
    MenuState state;
    state.market = market;
    state.flags = FlagsFor(setup, families);
    state.defaultFamily = families.empty() ? 0 : *families.begin();
    return state;
}

// A logged-in user with every right and every table permission.
MenuRights AllowedUser()
{
    MenuRights user;
    user.loggedIn = true;
    user.rights.set();
    user.rights.reset(RightRestrictedAccess);
    user.rights.reset(RightTiedToDatabase);
    user.tables.fill(AccessView | AccessUpdate | AccessDelete);
    return user;
}

bool Has(const MenuState& state, std::uint32_t command) { return CommandsOf(MenuBarFor(state)).contains(command); }

TEST(MenuPruningTest, NobodyLoggedInPrunesByFamiliesMarketAndSwitchesAlone)
{
    for (const std::uint16_t family : {0, 2, 6, 9, 11}) {
        MenuState nobody = SiteState({family}, MarketAustralia);
        MenuState allowed = nobody;
        allowed.user = AllowedUser();
        EXPECT_EQ(PrunedCommands(nobody), PrunedCommands(allowed)) << family;
    }
}

TEST(MenuPruningTest, SchedulerModeOffersTheSchedulesFileCommandsAndNoDatabase)
{
    MenuState state = SiteState({0});
    state.window = MenuWindow::NoDocument;
    state.schedulerMode = true;
    const std::set<std::uint32_t> file = CommandsOf(MenuBarFor(state).children.at(0));
    EXPECT_TRUE(file.contains(32898));
    EXPECT_TRUE(file.contains(32889));
    for (const std::uint32_t database : {32840u, 57601u, 32900u, 32812u}) EXPECT_FALSE(file.contains(database));
    state.schedulerMode = false;
    const std::set<std::uint32_t> normal = CommandsOf(MenuBarFor(state).children.at(0));
    EXPECT_FALSE(normal.contains(32898));
    EXPECT_TRUE(normal.contains(57601));
}

TEST(MenuPruningTest, TheSchedulersOwnCommandsSurvivePruningOfTheirNumbersOtherMeanings)
{
    // Mix 0 and no comment flag take 32884 to 32887 out of the main menu; the scheduler's Add, Edit,
    // Delete and Start/Stop share those numbers and stay.
    MenuState state = SiteState({0});
    state.window = MenuWindow::Scheduler;
    state.schedulerMode = true;
    const std::set<std::uint32_t> commands = CommandsOf(MenuBarFor(state));
    for (const std::uint32_t own : {32884u, 32885u, 32886u, 32887u}) EXPECT_TRUE(commands.contains(own)) << own;
    EXPECT_TRUE(PrunedCommands(state).contains(32884));
}

TEST(MenuPruningTest, HostInterfaceIsNewZealandsAlone)
{
    for (std::uint16_t market = 0; market <= MarketBaltic; ++market)
        EXPECT_EQ(Has(SiteState({0}, market), 32906), market == MarketNewZealand) << market;
}

TEST(MenuPruningTest, FieldSetsFollowTheScaleMix)
{
    const std::vector<std::uint32_t> fieldSets{32803, 32980, 32884, 32943, 32885};
    const std::vector<std::vector<std::uint32_t>> kept{
        {32803}, {32980, 32943}, {32884, 32885}, {32803, 32884}, {32803, 32884, 32885}};
    for (std::uint32_t mix = 0; mix < kept.size(); ++mix) {
        MenuState state = SiteState({0});
        state.scaleMix = mix;
        for (const std::uint32_t command : fieldSets) {
            const bool expected = std::ranges::find(kept[mix], command) != kept[mix].end();
            EXPECT_EQ(Has(state, command), expected) << "mix " << mix << " command " << command;
        }
    }
}

TEST(MenuPruningTest, CaseTable)
{
    struct Case {
        const char* name;
        std::function<void(MenuState&)> change;
        std::vector<std::uint32_t> gone;
        std::vector<std::uint32_t> kept;
    };
    const auto user = [](MenuState& s, auto&& change) {
        s.user = AllowedUser();
        change(s.user);
    };
    const Case cases[] = {
        {"departments replace the database file commands",
         [](MenuState& s) { s.departmentsExist = true; },
         {32840, 32804, 32811},
         {32873, 32901}},
        {"no departments", [](MenuState&) {}, {32873, 32901}, {32840, 32804, 32811}},
        {"a user tied to a database",
         [&](MenuState& s) { user(s, [](MenuRights& r) { r.rights.set(RightTiedToDatabase); }); },
         {32873, 32840, 32804, 32811, 32812, 32813, 32828},
         {32882}},
        {"hidden Data Save",
         [](MenuState& s) { s.switches.hideDataSave = true; },
         {32812, 32813, 32828, 32891, 32799, 32837, 32806},
         {32805}},
        {"no PZ-6602 or QD47 rights",
         [&](MenuState& s) {
             user(s, [](MenuRights& r) {
                 r.rights.reset(RightPz6602Comms);
                 r.rights.reset(RightQd47ImportExport);
             });
         },
         {32891, 32838, 32839},
         {32837}},
        {"the USA has no Lumen serial comms", [](MenuState&) {}, {32957, 32959, 32958, 32829}, {}},
        {"Lumen serial comms elsewhere", [](MenuState& s) { s.market = MarketThailand; }, {}, {32957, 32959, 32958, 32829}},
        {"the scale status log", [](MenuState& s) { s.switches.scaleStatusLog = true; }, {32963}, {32961}},
        {"e-mail in China with the status log",
         [](MenuState& s) {
             s.market = MarketChina;
             s.switches.scaleStatusLog = true;
         },
         {},
         {32963}},
        {"no report rights",
         [&](MenuState& s) {
             user(s, [](MenuRights& r) {
                 for (const UserRight right : {RightPluProdReport, RightPluListReport, RightPluDailyReport,
                                               RightReadProdFromScales})
                     r.rights.reset(right);
             });
         },
         {32860, 32931, 32818, 32862, 32863, 32869, 32865, 32899, 32913, 32926},
         {32864, 32952}},
        {"restricted access",
         [&](MenuState& s) { user(s, [](MenuRights& r) { r.rights.set(RightRestrictedAccess); }); },
         {32899, 32913, 32926, 32927, 32928, 32990},
         {32865}},
        {"no batch mode or import rights",
         [&](MenuState& s) {
             user(s, [](MenuRights& r) {
                 for (const UserRight right : {RightBatchMode, RightTextImport, RightTextExport, RightDatabaseImport})
                     r.rights.reset(right);
             });
         },
         {32880, 32883, 32881, 32877, 32876, 32910},
         {32882}},
        {"no view of the PLU table",
         [&](MenuState& s) { user(s, [](MenuRights& r) { r.tables[kPluTable] = 0; }); },
         {32773, 32779},
         {32780}},
        {"PLU deletion withheld",
         [](MenuState& s) { s.switches.withholdPluDeletion = true; },
         {32780},
         {32773, 32779}},
        {"no price change right",
         [&](MenuState& s) { user(s, [](MenuRights& r) { r.tables[kPriceChangeTable] = AccessView; }); },
         {32781, 32782},
         {32773}},
        {"PLUs marked active", [](MenuState& s) { s.switches.pluActiveInactive = true; }, {}, {32951}},
        {"nutrition off", [](MenuState&) {}, {3001, 32845, 32914}, {}},
        {"standard nutrition without the delete right",
         [&](MenuState& s) {
             s.flags.set(MenuFlag::kStandardNutrition);
             user(s, [](MenuRights& r) { r.tables[9] = AccessView; });
         },
         {32845, 32914},
         {3001}},
        {"second nutrition",
         [](MenuState& s) { s.flags.set(MenuFlag::kSecondNutrition); },
         {},
         {3001, 32845, 32914}},
        {"other markets have no Orlan sends, ingredients or conversion",
         [](MenuState& s) { s.market = MarketSouthAfrica; },
         {32993, 32964, 32867, 32868, 32866, 32861, 32909, 32907},
         {}},
        {"Totara host files", [](MenuState& s) { s.switches.totaraHost = true; }, {32909, 32907}, {32861}},
        {"Kauri Auckland host files", [](MenuState& s) { s.switches.kauriAucklandHost = true; }, {}, {32861, 32909, 32907}},
        {"both host formats", [](MenuState& s) {
             s.switches.kauriAucklandHost = true;
             s.switches.totaraHost = true;
         }, {32909, 32907}, {32861}},
        {"Australian nutrition with Orlan sends and conversion",
         [](MenuState& s) {
             s.market = MarketAustralia;
             s.ausNzNutrition = true;
             s.switches.otherMakerSends = true;
             s.switches.conversion = true;
             s.switches.kauriAucklandHost = true;
         },
         {32816, 32910, 32911, 32872, 32888},
         {32993, 32964, 32866, 32907, 32861, 32909, 32867}},
        {"Australian nutrition without host formats",
         [](MenuState& s) {
             s.market = MarketAustralia;
             s.ausNzNutrition = true;
             s.switches.conversion = true;
         },
         {32993, 32964, 32861, 32909, 32907},
         {32867, 32866}},
        {"Totara with Australian nutrition drops the conversion",
         [](MenuState& s) {
             s.market = MarketAustralia;
             s.ausNzNutrition = true;
             s.switches.conversion = true;
             s.switches.totaraHost = true;
         },
         {32907, 32866},
         {32861, 32909}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuState state = SiteState({0});
        c.change(state);
        const std::set<std::uint32_t> shown = CommandsOf(MenuBarFor(state));
        for (const std::uint32_t command : c.gone) EXPECT_FALSE(shown.contains(command)) << command;
        for (const std::uint32_t command : c.kept) EXPECT_TRUE(shown.contains(command)) << command;
    }
}

TEST(MenuPruningTest, RecordKindsFollowTheirFamiliesAndTables)
{
    struct Case {
        std::set<std::uint16_t> families;
        std::uint16_t market;
        std::vector<std::uint32_t> kept;
        std::vector<std::uint32_t> gone;
    };
    const Case cases[] = {
        // A family-2 site: extra messages, campaigns, keyboards, store names; no family-9 messages.
        {{2}, MarketUsa, {32787, 32785, 32788, 32789}, {32886, 32890, 32929, 32887, 32905, 32986, 32969, 32965}},
        // Family 9 outside Taiwan: free messages, trays, lot messages, store settings of its own.
        {{9}, MarketUsa, {32886, 32890, 32972, 32929, 32965, 32905}, {32986, 32887, 32904, 32903}},
        // Family 9 in Taiwan: comments and their messages, index presets.
        {{9}, MarketTaiwan, {32904, 32892, 32893, 32894, 32903}, {32785}},
        // Family 11: images, and the 5400-series store settings for its default family.
        {{11}, MarketUsa, {32969, 32986, 32895, 32897}, {32905}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(*c.families.begin());
        const MenuState state = SiteState(c.families, c.market);
        const std::set<std::uint32_t> shown = CommandsOf(MenuBarFor(state));
        for (const std::uint32_t command : c.kept) EXPECT_TRUE(shown.contains(command)) << command;
        for (const std::uint32_t command : c.gone) EXPECT_FALSE(shown.contains(command)) << command;
        // Without view of its table a kind's command goes whatever the families.
        MenuState noView = state;
        noView.user = AllowedUser();
        noView.user.tables.fill(0);
        noView.user.tables[kSetupTable] = AccessView;
        const std::set<std::uint32_t> unseen = CommandsOf(MenuBarFor(noView));
        for (const std::uint32_t command : c.kept) EXPECT_FALSE(unseen.contains(command)) << command;
    }
}

TEST(MenuPruningTest, KeepingProductionTotalsRenamesTheLoad)
{
    MenuState state = SiteState({0});
    EXPECT_EQ(LabelOf(MenuBarFor(state), 32865), "Load and Delete &Production Data from Scales");
    state.switches.keepProductionAfterLoad = true;
    EXPECT_EQ(LabelOf(MenuBarFor(state), 32865), "Load Production Data from Scales");
    state.window = MenuWindow::PluEditor;
    EXPECT_EQ(LabelOf(MenuBarFor(state), 32865), "Load Production Data from Scales");
}

TEST(MenuPruningTest, AnEmptiedPopupGoesEvenForAUserWithEveryRight)
{
    // Every report and transfer right, the comment flag and Data Save in use: the state in which the
    // Windows design kept emptied popups.
    MenuState state = SiteState({9}, MarketAustralia);
    state.user = AllowedUser();
    state.ausNzNutrition = true;
    state.flags.set(SetupFlagDataSave);
    state.flags.set(MenuFlag::kComments);
    state.window = MenuWindow::NoDocument;
    // Australian nutrition takes Departments, the no-document Setup menu's one item.
    EXPECT_EQ(FindPopup(MenuBarFor(state), "&Setup"), nullptr);
    state.window = MenuWindow::PluList;
    const MenuNode bar = MenuBarFor(state);
    EXPECT_EQ(FindPopup(bar, "Send To Orlan"), nullptr);
    EXPECT_NE(FindPopup(bar, "&Scales"), nullptr);
}

TEST(MenuPruningTest, SeparatorsOnlyBetweenItems)
{
    const MenuNode separator{MenuNode::Kind::Separator, 0, {}, false, {}};
    const auto item = [](std::uint32_t command) { return MenuNode{MenuNode::Kind::Command, command, "x", false, {}}; };
    MenuNode popup{MenuNode::Kind::Popup, 0, "p",    false,
                   {separator, item(1), separator, item(2), separator, separator, item(3), separator, item(4), separator}};
    const MenuNode bar{MenuNode::Kind::Popup, 0, "", false, {popup}};
    const MenuNode pruned = PruneMenu(bar, {2, 4});
    ASSERT_EQ(pruned.children.size(), 1u);
    std::vector<MenuNode::Kind> kinds;
    for (const MenuNode& node : pruned.children[0].children) kinds.push_back(node.kind);
    EXPECT_EQ(kinds, (std::vector<MenuNode::Kind>{MenuNode::Kind::Command, MenuNode::Kind::Separator,
                                                  MenuNode::Kind::Command}));
    EXPECT_TRUE(PruneMenu(bar, {1, 2, 3, 4}).children.empty());
}

// No menu of any combination of window, mode, user, families, market and switches holds an empty
// popup, or a separator that begins, ends or doubles one.
void ExpectTidy(const MenuNode& menu, const std::string& where)
{
    for (std::size_t i = 0; i < menu.children.size(); ++i) {
        const MenuNode& item = menu.children[i];
        if (item.kind == MenuNode::Kind::Popup) {
            EXPECT_FALSE(item.children.empty()) << where << " empty popup " << item.label;
            ExpectTidy(item, where + "/" + item.label);
        }
        if (item.kind != MenuNode::Kind::Separator) continue;
        EXPECT_NE(i, 0u) << where << " begins with a separator";
        EXPECT_NE(i + 1, menu.children.size()) << where << " ends with a separator";
        if (i > 0) {
            EXPECT_NE(menu.children[i - 1].kind, MenuNode::Kind::Separator) << where << " doubled";
        }
    }
}

TEST(MenuPruningTest, NoCombinationLeavesAnEmptyPopupOrAStraySeparator)
{
    const std::vector<std::function<void(MenuRights&)>> users{
        [](MenuRights&) {},
        [](MenuRights& r) { r = AllowedUser(); },
        [](MenuRights& r) {
            r = AllowedUser();
            r.rights.reset();
            r.rights.set(RightRestrictedAccess);
            r.rights.set(RightTiedToDatabase);
            r.tables.fill(0);
        },
        [](MenuRights& r) {
            r = AllowedUser();
            r.tables.fill(AccessView);
        },
    };
    const std::vector<std::set<std::uint16_t>> sites{{}, {0}, {2}, {6}, {8}, {9}, {10}, {11}, {12}, {0, 9, 11}};
    const MenuWindow windows[] = {MenuWindow::NoDocument, MenuWindow::PluList, MenuWindow::Scheduler,
                                  MenuWindow::PluEditor};
    int checked = 0;
    for (const std::uint16_t market : {MarketUsa, MarketNewZealand, MarketAustralia, MarketChina, MarketTaiwan})
        for (const auto& families : sites)
            for (const auto& setUser : users)
                for (unsigned switches = 0; switches < 32; ++switches)
                    for (const MenuWindow window : windows) {
                        MenuState state = SiteState(families, market);
                        setUser(state.user);
                        state.window = window;
                        state.schedulerMode = (switches & 1) != 0;
                        state.departmentsExist = (switches & 2) != 0;
                        state.switches.hideDataSave = (switches & 4) != 0;
                        state.switches.pluActiveInactive = (switches & 8) != 0;
                        state.ausNzNutrition = (switches & 16) != 0 && market != MarketUsa;
                        state.switches.kauriAucklandHost = state.ausNzNutrition;
                        state.scaleMix = switches % 5;
                        ExpectTidy(MenuBarFor(state), std::to_string(static_cast<int>(window)));
                        ++checked;
                        if (HasFailure()) return;
                    }
    EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace varnel
