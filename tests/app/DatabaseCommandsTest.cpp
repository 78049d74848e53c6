// The database and department commands against real database files in a temporary site.
#include "app/DatabaseCommands.h"

#include "AutomationSite.h"
#include "FrameSiteFixture.h"
#include "app/SettingsPasswordCommand.h"
#include "db/plu/PluDefTb.h"
#include "settings/UserSetup.h"

#include <filesystem>

namespace varnel::test {
namespace {

class DatabaseCommandsTest : public FrameSiteTest {
protected:
    // The number of PLUs in the open database; -1 when none is open.
    long OpenPluCount() const
    {
        if (!document->IsDatabaseOpen()) return -1;
        return static_cast<long>(document->GetPluTable()->GetRecordCount());
    }
    std::string OpenPath() const { return document->GetPathName(); }
};

TEST_F(DatabaseCommandsTest, OpenDatabaseOpensAnExistingFileOnlyAndACancelKeepsTheOpenOne)
{
    MakePluDatabase(File("shop.pld"), {1, 2}, clock);
    MakePluDatabase(File("back.pld"), {7}, clock);
    ASSERT_TRUE(document->OpenDatabase(File("back.pld")));

    prompt.QueueSaveName(std::nullopt);
    EXPECT_FALSE(OnOpenDatabase(site));
    EXPECT_EQ(OpenPath(), File("back.pld"));

    prompt.QueueSaveName(File("missing.pld"));
    EXPECT_FALSE(OnOpenDatabase(site));
    EXPECT_FALSE(std::filesystem::exists(File("missing.pld")));
    EXPECT_EQ(OpenPath(), File("back.pld"));

    prompt.QueueSaveName(File("shop.pld"));
    EXPECT_TRUE(OnOpenDatabase(site));
    EXPECT_EQ(OpenPath(), File("shop.pld"));
    EXPECT_EQ(OpenPluCount(), 2);
    ASSERT_FALSE(prompt.m_fileRequests.empty());
    EXPECT_EQ(prompt.m_fileRequests.back().kind, FileRequest::Kind::Open);
    EXPECT_EQ(prompt.m_fileRequests.back().filter, frame.GetDatabaseFileFilter().filter);
}

TEST_F(DatabaseCommandsTest, ChangeDatabaseMakesANewNameAndLeavesAnExistingFileAsItIs)
{
    MakePluDatabase(File("shop.pld"), {1, 2, 3}, clock);
    MakePluDatabase(File("back.pld"), {7}, clock);
    ASSERT_TRUE(document->OpenDatabase(File("back.pld")));

    prompt.QueueSaveName(File("fresh.pld"));
    EXPECT_TRUE(OnChangeDatabase(site));
    EXPECT_EQ(OpenPath(), File("fresh.pld"));
    EXPECT_EQ(OpenPluCount(), 0);
    EXPECT_FALSE(prompt.m_fileRequests.back().askOverwrite);

    prompt.QueueSaveName(File("shop.pld"));
    EXPECT_TRUE(OnChangeDatabase(site));
    EXPECT_EQ(OpenPluCount(), 3);
    EXPECT_GT(ui.m_titleUpdates, 0);
}

TEST_F(DatabaseCommandsTest, NewDatabaseReplacesTheChosenFileWithAnEmptyOne)
{
    MakePluDatabase(File("shop.pld"), {1, 2, 3}, clock);
    ASSERT_TRUE(document->OpenDatabase(File("shop.pld")));

    prompt.QueueSaveName(std::nullopt);
    EXPECT_FALSE(OnNewDatabase(site));
    EXPECT_EQ(OpenPluCount(), 3);

    prompt.QueueSaveName(File("shop.pld"));
    EXPECT_TRUE(OnNewDatabase(site));
    EXPECT_EQ(prompt.m_fileRequests.back().title, "Specify Database File");
    EXPECT_TRUE(prompt.m_fileRequests.back().askOverwrite);
    EXPECT_EQ(OpenPath(), File("shop.pld"));
    EXPECT_EQ(OpenPluCount(), 0);
}

TEST_F(DatabaseCommandsTest, NewDatabaseLeavesAFileAnotherOpenerHoldsAsItIsAndTheOpenDatabaseOpen)
{
    MakePluDatabase(File("shop.pld"), {1, 2, 3}, clock);
    MakePluDatabase(File("back.pld"), {7}, clock);
    ASSERT_TRUE(document->OpenDatabase(File("back.pld")));
    const std::string before = ReadWholeFile(File("shop.pld"));
    auto held = RealFileSystem().Open(File("shop.pld"), FileAccess::ReadWrite, FileShare::DenyWrite);
    ASSERT_TRUE(held);

    prompt.QueueSaveName(File("shop.pld"));
    EXPECT_FALSE(OnNewDatabase(site));
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{kDatabaseNotCreated}));
    EXPECT_TRUE(ReadWholeFile(File("shop.pld")) == before);
    EXPECT_EQ(OpenPath(), File("back.pld"));
}

TEST_F(DatabaseCommandsTest, OpenDepartmentOpensTheDepartmentsDatabaseAndTellsWhenItIsMissing)
{
    MakePluDatabase(File("deli.pld"), {4, 5}, clock);
    AddDepartment(1, "Deli", File("deli.pld"));
    AddDepartment(2, "Bakery", File("bakery.pld"));

    ui.m_department.reset();
    EXPECT_FALSE(OnOpenDepartment(site));
    EXPECT_FALSE(document->IsDatabaseOpen());

    ui.m_department = 2;
    EXPECT_FALSE(OnOpenDepartment(site));
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{kDepartmentDatabaseMissing}));
    EXPECT_FALSE(std::filesystem::exists(File("bakery.pld")));

    ui.m_department = 1;
    EXPECT_TRUE(OnOpenDepartment(site));
    EXPECT_EQ(OpenPath(), File("deli.pld"));
    EXPECT_EQ(OpenPluCount(), 2);
}

TEST_F(DatabaseCommandsTest, ChangeDepartmentSwitchesOnlyToAnotherNamedDatabase)
{
    struct Case {
        const char* name;
        std::optional<std::uint16_t> chosen;
        std::string expectedPath;  // relative to the site
        long expectedPlus;
        bool done;
    };
    const Case cases[] = {
        {"cancelled", std::nullopt, "deli.pld", 2, false},
        {"the open database by another case", 2, "deli.pld", 2, true},
        {"no database named", 3, "deli.pld", 2, true},
        {"another database", 1, "meat.pld", 1, true},
        {"a database not made yet", 4, "new.pld", 0, true},
    };
    MakePluDatabase(File("deli.pld"), {4, 5}, clock);
    MakePluDatabase(File("meat.pld"), {9}, clock);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(File("new.pld"));
        frame.Departments().SetCurrent(0);
        while (!frame.Departments().GetDepartments().empty()) frame.Departments().RemoveAt(0);
        AddDepartment(1, "Meat", File("meat.pld"));
        AddDepartment(2, "Deli", dir.Path() + "/DELI.PLD");
        AddDepartment(3, "Unnamed", "");
        AddDepartment(4, "New", File("new.pld"));
        ASSERT_TRUE(document->OpenDatabase(File("deli.pld")));
        ui.m_department = c.chosen;

        EXPECT_EQ(OnChangeDepartment(site), c.done);
        EXPECT_EQ(OpenPath(), File(c.expectedPath));
        EXPECT_EQ(OpenPluCount(), c.expectedPlus);
        document->CloseDatabase();
    }
}

TEST_F(DatabaseCommandsTest, ChangeDepartmentWithoutADatabaseDoesNothing)
{
    AddDepartment(1, "Meat", File("meat.pld"));
    ui.m_department = 1;
    EXPECT_FALSE(OnChangeDepartment(site));
    EXPECT_EQ(ui.m_departmentDialogs, 0);
    EXPECT_EQ(frame.Departments().GetCurrent(), nullptr);
}

TEST_F(DatabaseCommandsTest, ChangeDepartmentKeepsRecordingTheBatchIntoTheNewDatabase)
{
    MakePluDatabase(File("deli.pld"), {4}, clock);
    MakePluDatabase(File("meat.pld"), {9}, clock);
    AddDepartment(1, "Meat", File("meat.pld"));
    ASSERT_TRUE(document->OpenDatabase(File("deli.pld")));
    ASSERT_TRUE(document->GetDatabase().BeginBatch(File("changes.bch"), "Deli", false));
    ui.m_department = 1;

    EXPECT_TRUE(OnChangeDepartment(site));
    EXPECT_EQ(OpenPath(), File("meat.pld"));
    EXPECT_TRUE(document->IsBatchMode());
    EXPECT_EQ(document->GetBatchFilePath(), File("changes.bch"));
}

TEST_F(DatabaseCommandsTest, TheSettingsPasswordShowsOnlyToAUserWhoMayUpdateTheSetup)
{
    SetSetupPassword("secret12");
    frame.GeneralSetup().m_setupPassword[8] = '3';  // a ninth character is never shown
    struct Case {
        const char* name;
        std::optional<std::uint8_t> rights;  // none: nobody logged in
        std::vector<MessageId> shown;        // 0: the password's own text
    };
    const Case cases[] = {
        {"nobody logged in", std::nullopt, {0}},
        {"view and update", AccessView | AccessUpdate, {0}},
        {"view only", AccessView, {61328}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUserSetupList& users = *frame.GetUserList();
        while (users.GetCount() > 0) users.RemoveAt(0);
        if (c.rights) {
            auto user = std::make_unique<CUserSetup>();
            user->m_tablePermission.fill(0);
            user->m_tablePermission[kSetupTable] = *c.rights;
            users.Add(std::move(user));
            users.SetCurrentUser(0);
        }
        prompt.m_ids.clear();
        prompt.m_texts.clear();
        EXPECT_EQ(OnShowSettingsPassword(frame), c.rights != AccessView);
        EXPECT_EQ(prompt.m_ids, c.shown);
        if (c.shown.front() == 0) {
            EXPECT_EQ(prompt.m_texts.front(), "secret12");
        }
    }
}

}  // namespace
}  // namespace varnel::test
