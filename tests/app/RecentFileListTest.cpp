#include "app/RecentFileList.h"

#include "platform/Profile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

using Files = std::vector<std::string>;

TEST(RecentFileListTest, TheNewestComesFirstOnceAndFourAreKept)
{
    RecentFileList list;
    for (const char* path : {"/a.pld", "/b.pld", "/c.mdb", "/d.pld", "/e.pld"}) list.Add(path);
    EXPECT_EQ(list.Files(), (Files{"/e.pld", "/d.pld", "/c.mdb", "/b.pld"}));
    list.Add("/C.MDB");  // the same file by another case
    EXPECT_EQ(list.Files(), (Files{"/C.MDB", "/e.pld", "/d.pld", "/b.pld"}));
    list.Add("");
    list.Remove("/e.pld");
    EXPECT_EQ(list.Files(), (Files{"/C.MDB", "/d.pld", "/b.pld"}));
}

TEST(RecentFileListTest, ThePlacesInTheProfileFollowTheList)
{
    test::TempDir dir;
    CProfile profile(RealFileSystem(), dir.File("Varnel.ini"));
    RecentFileList list;
    for (const char* path : {"/a.pld", "/b.pld", "/c.mdb"}) list.Add(path);
    list.Save(profile);
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File1"), "/c.mdb");
    EXPECT_EQ(test::ReadWholeFile(dir.File("Varnel.ini")).find("File4"), std::string::npos);
    list.Remove("/b.pld");
    list.Save(profile);  // a place the list no longer fills is emptied
    RecentFileList read;
    read.Load(CProfile(RealFileSystem(), dir.File("Varnel.ini")));
    EXPECT_EQ(read.Files(), (Files{"/c.mdb", "/a.pld"}));
}

}  // namespace
}  // namespace varnel
