#include "app/MenuStateSource.h"

#include "FrameSiteFixture.h"
#include "app/MenuPruning.h"
#include "settings/UserSetupList.h"

namespace varnel {
namespace {

using MenuStateSourceTest = test::FrameSiteTest;

TEST_F(MenuStateSourceTest, TheStateIsTheFramesSetupUserAndDocument)
{
    CGeneralSetup& setup = frame.GeneralSetup();
    setup.m_market = MarketNewZealand;
    setup.m_hideDataSave = 1;
    setup.m_keepProductionAfterLoad = 1;
    AddDepartment(1, "Deli", File("deli.pld"));
    frame.RecalcSetupFlags();

    MenuState nobody = MenuStateOf(frame, document.get(), MenuWindow::PluList, false);
    EXPECT_FALSE(nobody.user.loggedIn);
    EXPECT_EQ(nobody.market, MarketNewZealand);
    EXPECT_TRUE(nobody.switches.hideDataSave);
    EXPECT_TRUE(nobody.switches.keepProductionAfterLoad);
    EXPECT_TRUE(nobody.departmentsExist);
    EXPECT_FALSE(nobody.documentOpen);
    EXPECT_EQ(nobody.flags, frame.GetSetupFlags());

    auto user = std::make_unique<CUserSetup>();
    user->m_name = "Ann";
    user->m_rights.fill(0);
    user->m_rights[RightTiedToDatabase] = 1;
    user->m_tablePermission.fill(0);
    user->m_tablePermission[kSetupTable] = AccessView;
    frame.Access().m_users.Add(std::move(user));
    frame.Access().m_users.SetCurrentUser(0);
    const MenuState ann = MenuStateOf(frame, document.get(), MenuWindow::PluList, true);
    EXPECT_TRUE(ann.user.loggedIn);
    EXPECT_FALSE(ann.user.CanChangeDatabase());
    EXPECT_TRUE(ann.user.HasTableAccess(kSetupTable, AccessView));
    EXPECT_FALSE(ann.user.HasTableAccess(kSetupTable, AccessUpdate));
    EXPECT_TRUE(ann.keyboardWindowOpen);
    // Tied to her database, she is offered no other department.
    EXPECT_TRUE(PrunedCommands(ann).contains(32873));
    EXPECT_FALSE(PrunedCommands(nobody).contains(32873));
}

TEST_F(MenuStateSourceTest, TheMenuIsTheActiveWindowsOrWithNoneTheDocumentsOrTheFrames)
{
    struct Case {
        std::optional<ChildFrameKind> active;
        bool documentOpen;
        MenuWindow expected;
    };
    const Case cases[] = {
        {std::nullopt, false, MenuWindow::NoDocument},
        {std::nullopt, true, MenuWindow::PluList},
        {ChildFrameKind::PluList, true, MenuWindow::PluList},
        {ChildFrameKind::PluEditor, true, MenuWindow::PluEditor},
        {ChildFrameKind::Scheduler, false, MenuWindow::Scheduler},
        {ChildFrameKind::Report, true, MenuWindow::Report},
        {ChildFrameKind::Keyboard, true, MenuWindow::Keyboard},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MenuWindowFor(c.active, c.documentOpen), c.expected) << static_cast<int>(c.expected);
}

}  // namespace
}  // namespace varnel
