#include "platform/Profile.h"

#include "support/FaultInjectingFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

class ProfileTest : public ::testing::Test {
protected:
    test::TempDir m_dir;
    std::string m_path = m_dir.File("Varnel.ini");
    CProfile m_profile{RealFileSystem(), m_path};
};

TEST_F(ProfileTest, MissingEntriesGiveTheDefaults)
{
    EXPECT_EQ(m_profile.GetProfileString("General", "DbFile"), "");
    EXPECT_EQ(m_profile.GetProfileString("General", "DbFile", "x"), "x");
    EXPECT_EQ(m_profile.GetProfileInt("Window size", "tool", 1), 1);
    test::WriteWholeFile(m_path, "[Window size]\ntool=off\nmax=-3x\n");
    EXPECT_EQ(m_profile.GetProfileInt("Window size", "tool", 1), 1);
    EXPECT_EQ(m_profile.GetProfileInt("Window size", "max", 0), -3);
}

TEST_F(ProfileTest, WritesKeepEverythingElseAndNamesIgnoreCase)
{
    test::WriteWholeFile(m_path, "; kept\n[General]\nDbFile=/old.pld\n\n[Scheduler]\nSchedFile=a b.sch\n");
    ASSERT_TRUE(m_profile.WriteProfileString("general", "dbfile", "/home/u/Shop.pld"));
    ASSERT_TRUE(m_profile.WriteProfileString("General", "Extra", "x=y"));
    ASSERT_TRUE(m_profile.WriteProfileInt("Window size", "max", 1));
    EXPECT_EQ(test::ReadWholeFile(m_path),
              "; kept\n[General]\ndbfile=/home/u/Shop.pld\nExtra=x=y\n\n[Scheduler]\nSchedFile=a b.sch\n"
              "\n[Window size]\nmax=1\n");
    EXPECT_EQ(m_profile.GetProfileString("GENERAL", "Extra"), "x=y");
    EXPECT_EQ(m_profile.GetProfileString("Scheduler", "SchedFile"), "a b.sch");
}

TEST_F(ProfileTest, AnotherCopysWritesAreKept)
{
    CProfile other(RealFileSystem(), m_path);
    ASSERT_TRUE(m_profile.WriteProfileString("General", "DbFile", "one.pld"));
    ASSERT_TRUE(other.WriteProfileString("Scheduler", "SchedFile", "day.sch"));
    ASSERT_TRUE(m_profile.WriteProfileInt("Window size", "icon", 0));
    EXPECT_EQ(other.GetProfileString("General", "DbFile"), "one.pld");
    EXPECT_EQ(m_profile.GetProfileString("Scheduler", "SchedFile"), "day.sch");
}

TEST_F(ProfileTest, AFailedWriteLeavesTheFileAsItWas)
{
    test::WriteWholeFile(m_path, "[General]\nDbFile=a.pld\nOther=1\n");
    test::FaultInjectingFileSystem faults;
    CProfile profile(faults, m_path);
    for (std::uint64_t call = 1;; ++call) {
        faults.FailAt(call);
        const bool written = profile.WriteProfileString("General", "DbFile", "b.pld");
        if (!faults.Fired()) {
            EXPECT_TRUE(written);
            break;
        }
        // Whichever call fails, the file is the old one or the new one, never one that lost an entry.
        const std::string bytes = test::ReadWholeFile(m_path);
        EXPECT_TRUE(bytes == "[General]\nDbFile=a.pld\nOther=1\n" || bytes == "[General]\nDbFile=b.pld\nOther=1\n") << call;
        test::WriteWholeFile(m_path, "[General]\nDbFile=a.pld\nOther=1\n");
    }
}

}  // namespace
}  // namespace varnel
