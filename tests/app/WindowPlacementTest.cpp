#include "app/WindowPlacement.h"

#include "platform/Profile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

class WindowPlacementTest : public ::testing::Test {
protected:
    test::TempDir m_dir;
    CProfile m_profile{RealFileSystem(), m_dir.File("Varnel.ini")};
};

TEST_F(WindowPlacementTest, AnEmptyRectStartsMaximisedAtTheDefaultRectangle)
{
    const RestoredPlacement placement = RestoreWindowPlacement(m_profile, false);
    EXPECT_EQ(placement.normal, kDefaultWindowRect);
    EXPECT_EQ(placement.show, ShowCommand::Maximized);
    EXPECT_TRUE(placement.restoreToMaximized);
    EXPECT_TRUE(placement.toolBarVisible);
    EXPECT_TRUE(placement.statusBarVisible);
}

TEST_F(WindowPlacementTest, FieldsAreFourCharactersAtFixedPositions)
{
    EXPECT_EQ(FormatPlacementRect(kDefaultWindowRect), "0010 0010 0500 0400");
    EXPECT_EQ(FormatPlacementRect({-5, 0, 12000, -2000}), "-005 0000 9999 -999");
    EXPECT_EQ(ParsePlacementRect("-005 0000 9999 -999"), (PlacementRect{-5, 0, 9999, -999}));
    EXPECT_EQ(ParsePlacementRect("0010 0020"), (PlacementRect{10, 20, 0, 0}));
    EXPECT_EQ(ParsePlacementRect("12x4 0020 0030 0040"), (PlacementRect{12, 20, 30, 40}));
}

struct StateCase {
    WindowState state;
    bool restoreToMaximized;
    bool startMinimised;
    ShowCommand show;
    bool comesBackMaximized;
};

TEST_F(WindowPlacementTest, StatesRoundTripThroughTheProfile)
{
    const StateCase cases[] = {
        {WindowState::Normal, false, false, ShowCommand::Normal, false},
        {WindowState::Maximized, false, false, ShowCommand::Maximized, true},
        {WindowState::Minimized, true, false, ShowCommand::MinimizedNoActivate, true},
        {WindowState::Minimized, false, false, ShowCommand::MinimizedNoActivate, false},
        // Scheduler mode with /R /I starts minimised whatever was saved.
        {WindowState::Normal, false, true, ShowCommand::MinimizedNoActivate, false},
        {WindowState::Maximized, false, true, ShowCommand::MinimizedNoActivate, true},
    };
    for (const StateCase& c : cases) {
        SaveWindowPlacement(m_profile, {{20, 30, 620, 530}, c.state, c.restoreToMaximized, false, true, 700, 450});
        const RestoredPlacement placement = RestoreWindowPlacement(m_profile, c.startMinimised);
        EXPECT_EQ(placement.normal, (PlacementRect{20, 30, 620, 530}));
        EXPECT_EQ(placement.show, c.show);
        EXPECT_EQ(placement.restoreToMaximized, c.comesBackMaximized);
        EXPECT_FALSE(placement.toolBarVisible);
        EXPECT_TRUE(placement.statusBarVisible);
    }
    EXPECT_EQ(m_profile.GetProfileString("Window size", "SearchRect"), "0700 0450");
    EXPECT_EQ(ReadSearchWindowSize(m_profile), (std::pair{700, 450}));
}

TEST_F(WindowPlacementTest, BarsWithoutAWindowAreNotWritten)
{
    SaveWindowPlacement(m_profile, {kDefaultWindowRect, WindowState::Normal, false, std::nullopt, std::nullopt, 0, 0});
    EXPECT_EQ(m_profile.GetProfileString("Window size", "tool", "none"), "none");
    EXPECT_EQ(m_profile.GetProfileString("Window size", "status", "none"), "none");
    EXPECT_EQ(ReadSearchWindowSize(CProfile(RealFileSystem(), m_dir.File("other.ini"))), std::nullopt);
}

}  // namespace
}  // namespace varnel
