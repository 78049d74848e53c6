#include "app/FrameTeardown.h"

#include "platform/Profile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

class CountingSetups final : public ISetupFiles {
public:
    bool IsGeneralSetupLoaded() const override { return m_generalLoaded; }
    bool IsSiteSetupLoaded() const override { return m_siteLoaded; }
    bool SaveGeneralSetup() override
    {
        ++m_generalSaves;
        return true;
    }
    bool SaveSiteSetup() override
    {
        ++m_siteSaves;
        return true;
    }
    bool m_generalLoaded = true;
    bool m_siteLoaded = true;
    int m_generalSaves = 0;
    int m_siteSaves = 0;
};

class FrameTeardownTest : public ::testing::Test {
protected:
    FrameExitState State(RunMode mode) const
    {
        FrameExitState state;
        state.mode = mode;
        state.placement.normal = kDefaultWindowRect;
        state.lastDatabasePath = "/data/Shop.pld";
        state.schedulePath = "/data/day.sch";
        return state;
    }
    std::string ProfileText() const { return test::ReadWholeFile(m_dir.File("Varnel.ini")); }

    test::TempDir m_dir;
    CProfile m_profile{RealFileSystem(), m_dir.File("Varnel.ini")};
    CountingSetups m_setups;
};

TEST_F(FrameTeardownTest, AutomationKeepsNothing)
{
    SaveAtExit(State(RunMode::Automation), m_profile, m_setups);
    EXPECT_FALSE(RealFileSystem().Exists(m_dir.File("Varnel.ini")));
    EXPECT_EQ(m_setups.m_generalSaves + m_setups.m_siteSaves, 0);
}

TEST_F(FrameTeardownTest, SchedulerKeepsOnlyTheScheduleFile)
{
    SaveAtExit(State(RunMode::Scheduler), m_profile, m_setups);
    EXPECT_EQ(ProfileText(), "[Scheduler]\nSchedFile=/data/day.sch\n");
    EXPECT_EQ(m_setups.m_generalSaves + m_setups.m_siteSaves, 0);
}

TEST_F(FrameTeardownTest, NormalKeepsPlacementSetupsAndDatabase)
{
    SaveAtExit(State(RunMode::Normal), m_profile, m_setups);
    EXPECT_EQ(m_profile.GetProfileString("Window size", "Rect"), "0010 0010 0500 0400");
    EXPECT_EQ(m_profile.GetProfileString("General", "DbFile"), "/data/Shop.pld");
    EXPECT_EQ(m_setups.m_generalSaves, 1);
    EXPECT_EQ(m_setups.m_siteSaves, 1);
}

TEST_F(FrameTeardownTest, SetupsThatWereNotLoadedAreNotWritten)
{
    m_setups.m_siteLoaded = false;
    SaveAtExit(State(RunMode::Normal), m_profile, m_setups);
    EXPECT_EQ(m_setups.m_generalSaves, 1);
    EXPECT_EQ(m_setups.m_siteSaves, 0);

    // Without the general setup neither file nor the database path is written; the placement is.
    m_setups.m_generalLoaded = false;
    CProfile fresh(RealFileSystem(), m_dir.File("fresh.ini"));
    SaveAtExit(State(RunMode::Normal), fresh, m_setups);
    EXPECT_EQ(m_setups.m_generalSaves, 1);
    EXPECT_EQ(fresh.GetProfileString("General", "DbFile", "none"), "none");
    EXPECT_EQ(fresh.GetProfileString("Window size", "Rect"), "0010 0010 0500 0400");
}

}  // namespace
}  // namespace varnel
