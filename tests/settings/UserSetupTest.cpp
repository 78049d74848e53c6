// Users in the archive, the list with its current user, and the rights it answers.
#include "SettingsArchive.h"
#include "platform/ArchiveBytes.h"
#include "settings/MasterScaleList.h"
#include "settings/PriceZone.h"
#include "settings/UserSetupList.h"
#include "support/RecordingPrompt.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

std::unique_ptr<CUserSetup> MakeUser(std::string name, std::string password)
{
    auto user = std::make_unique<CUserSetup>();
    user->m_name = std::move(name);
    user->m_password = std::move(password);
    return user;
}

CUserSetup Filled()
{
    CUserSetup user;
    user.m_name = "Ann";
    user.m_password = "pw";
    user.m_profileFile = "ann.prf";
    user.m_database = "/data/store.pld";
    user.m_department = 3;
    for (std::size_t i = 0; i < kPermissionTables; ++i) user.m_tablePermission[i] = static_cast<std::uint8_t>(i % 8);
    for (std::size_t i = 0; i < kUserRights; ++i) user.m_rights[i] = static_cast<std::uint8_t>(i % 3 == 0);
    user.m_useProfile = 1;
    user.m_fieldFlags = {1, 0, 1};
    user.m_priceZone = 4;
    return user;
}

// A user record up to its permission bytes, rights 0 to 15 all set except right 1 (tied to a database).
ArchiveBytes& UserHead(ArchiveBytes& bytes)
{
    bytes.Short("Bob").Short("secret").Short("bob.prf");
    for (int i = 0; i < 10; ++i) bytes.U8(i == 1 ? 0 : 1);
    return bytes.U8(1).U8(1).U8(1).U8(1).U16(0).U8(0).U16(2).Short("/db.pld");
}

ArchiveBytes& LaterRights(ArchiveBytes& bytes, std::uint16_t count)
{
    bytes.U16(count);
    for (std::uint16_t i = 0; i < count; ++i) bytes.U8(i < 8 ? 1 : 0);
    return bytes;
}

TEST(UserSetupTest, StoredUsersLoadBackEqual)
{
    CUserSetup user = Filled();
    CUserSetup loaded;
    loaded.m_fieldFlags = {9, 9, 9, 9};
    ASSERT_TRUE(Load(loaded, Store(user)));
    EXPECT_EQ(loaded, user);
}

TEST(UserSetupTest, TheStoredFormPutsTheRightsInTheirBlocks)
{
    CUserSetup user;
    user.m_name = "A";
    for (std::size_t i = 0; i < kUserRights; ++i) user.m_rights[i] = static_cast<std::uint8_t>(i);
    const std::vector<std::uint8_t> bytes = Store(user);
    ArchiveBytes expected;
    expected.U16(102).Short("A").U8(0).U8(0);
    for (int right : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 14, 15}) expected.U8(static_cast<std::uint8_t>(right));
    expected.U16(0).U8(1).U16(0).U8(0).U16(92);
    for (int i = 0; i < 92; ++i) expected.U8(0xFF);
    expected.U16(15);
    for (int right : {16, 17, 18, 19, 10, 11, 20, 21}) expected.U8(static_cast<std::uint8_t>(right));
    for (int i = 0; i < 7; ++i) expected.U8(0);
    expected.U16(0).U16(0);
    EXPECT_EQ(bytes, expected.Get());
}

TEST(UserSetupTest, AnOldestFormatUserGainsPriceChangesAndTheSerialLinks)
{
    ArchiveBytes bytes;
    UserHead(bytes).U16(92);
    for (int table = 0; table < 92; ++table) bytes.U8(table == 2 ? 0x03 : 0x01);
    LaterRights(bytes, 15);
    // The later rights block gave rights 10 and 11 as 1 already; clear them to see the upgrade set them.
    auto raw = bytes.Get();
    const std::size_t laterRights = raw.size() - 15;
    raw[laterRights + 4] = raw[laterRights + 5] = 0;

    CUserSetup loaded;
    ASSERT_TRUE(Load(loaded, raw, kOldestSetupFormat));
    EXPECT_EQ(loaded.m_name, "Bob");
    EXPECT_EQ(loaded.m_database, "/db.pld");
    EXPECT_EQ(loaded.m_department, 2);
    EXPECT_EQ(loaded.m_tablePermission[kPriceChangeTable], 0x03);
    EXPECT_EQ(loaded.m_tablePermission[kPluTable], 0x03);
    EXPECT_TRUE(loaded.HasRight(RightLumenComms));
    EXPECT_TRUE(loaded.HasRight(RightTr5400SerialComms));
    EXPECT_FALSE(loaded.HasRight(RightTiedToDatabase));
    EXPECT_TRUE(loaded.m_fieldFlags.empty());
}

TEST(UserSetupTest, OtherPermissionCountsAreTolerated)
{
    for (const std::uint16_t count : {std::uint16_t{0}, std::uint16_t{10}, std::uint16_t{92}, std::uint16_t{120}}) {
        SCOPED_TRACE(count);
        ArchiveBytes bytes;
        bytes.U16(102);
        UserHead(bytes).U16(count);
        for (std::uint16_t table = 0; table < count; ++table) bytes.U8(0x05);
        LaterRights(bytes, 20).U16(2).U16(1).U16(0).U16(7);

        CUserSetup loaded;
        ASSERT_TRUE(Load(loaded, bytes));
        for (std::size_t table = 0; table < kPermissionTables; ++table)
            ASSERT_EQ(loaded.m_tablePermission[table], table < count ? 0x05 : 0x00) << table;
        EXPECT_TRUE(loaded.HasRight(RightRestrictedAccess));
        EXPECT_EQ(loaded.m_fieldFlags, (std::vector<std::uint16_t>{1, 0}));
        EXPECT_EQ(loaded.m_priceZone, 7);
    }
}

TEST(UserSetupTest, ATruncatedUserIsAnError)
{
    CUserSetup user = Filled();
    const std::vector<std::uint8_t> bytes = Store(user);
    for (std::size_t cut = 0; cut < bytes.size(); cut += 7) {
        CUserSetup loaded;
        EXPECT_FALSE(Load(loaded, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut))) << cut;
    }
}

TEST(UserSetupListTest, TheListKeepsItsUsersAndWhoIsLoggedIn)
{
    CUserSetupList users;
    users.Add(MakeUser("Ann", "a"));
    users.Add(MakeUser("Bob", "b"));
    users.SetCurrentUser(1);
    CUserSetupList loaded;
    ASSERT_TRUE(Load(loaded, Store(users)));
    ASSERT_EQ(loaded.GetCount(), 2u);
    EXPECT_EQ(loaded.GetAt(0), users.GetAt(0));
    EXPECT_EQ(loaded.GetAt(1), users.GetAt(1));
    EXPECT_EQ(loaded.GetCurrentIndex(), std::optional<std::size_t>(1));
}

TEST(UserSetupListTest, AnArchiveThatFailsToLoadLeavesTheUsersAndWhoIsLoggedInAsTheyWere)
{
    CUserSetupList stored;
    stored.Add(MakeUser("Cat", "c"));
    stored.Add(MakeUser("Dan", "d"));
    stored.SetCurrentUser(1);
    const std::vector<std::uint8_t> bytes = Store(stored);
    CUserSetupList users;
    users.Add(MakeUser("Ann", "a"));
    users.SetCurrentUser(0);
    // Cut inside the second user, and cut in the name of the current user.
    for (const std::size_t cut : {bytes.size() / 2, bytes.size() - 1}) {
        EXPECT_FALSE(Load(users, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut))));
        ASSERT_EQ(users.GetCount(), 1u) << cut;
        EXPECT_EQ(users.GetAt(0).m_name, "Ann") << cut;
        EXPECT_EQ(users.GetCurrentIndex(), std::optional<std::size_t>(0)) << cut;
    }
}

TEST(UserSetupListTest, TheListIsReadFromHandBuiltBytesAndItsUserMatchedExactly)
{
    for (const char* stored : {"Bob", "bob", ""}) {
        SCOPED_TRACE(stored);
        ArchiveBytes bytes;
        bytes.U16(2).NewClass("CUserSetup").U16(102);
        UserHead(bytes).U16(92);
        for (int table = 0; table < 92; ++table) bytes.U8(0x07);
        LaterRights(bytes, 15).U16(0).U16(0);
        bytes.U16(0x0000);  // a null entry, left out
        bytes.Short(stored);
        CUserSetupList users;
        ASSERT_TRUE(Load(users, bytes));
        ASSERT_EQ(users.GetCount(), 1u);
        EXPECT_EQ(users.GetAt(0).m_password, "secret");
        EXPECT_EQ(users.GetCurrentUser() != nullptr, std::string(stored) == "Bob");
    }
}

TEST(UserSetupListTest, NobodyLoggedInIsAllowedEverythingButRestrictedAccess)
{
    CUserSetupList users;
    users.Add(MakeUser("Ann", "a"));
    EXPECT_TRUE(users.HasTableAccess(1, AccessUpdate));
    EXPECT_TRUE(users.HasTableAccess(500, AccessView));
    EXPECT_TRUE(users.AllowBatchMode());
    EXPECT_TRUE(users.CanChangeDatabase());
    EXPECT_FALSE(users.IsRestrictedAccess());
    EXPECT_FALSE(users.HasPluProfile());
    EXPECT_EQ(users.GetFieldList(), nullptr);
}

TEST(UserSetupListTest, ALoggedInUserHasTheRightsOfTheirRecord)
{
    CUserSetupList users;
    CUserSetup& ann = users.Add(MakeUser("Ann", "a"));
    ann.m_tablePermission[1] = AccessView;
    ann.m_rights[RightBatchMode] = 0;
    ann.m_rights[RightTiedToDatabase] = 1;
    ann.m_rights[RightRestrictedAccess] = 1;
    ann.m_profileFile = "ann.prf";
    EXPECT_FALSE(users.LogInAs("Ann", "A"));
    EXPECT_FALSE(users.LogInAs("ann", "a"));
    ASSERT_TRUE(users.LogInAs("Ann", "a"));

    EXPECT_TRUE(users.HasTableAccess(1, AccessView | AccessUpdate));
    EXPECT_FALSE(users.HasTableAccess(1, AccessUpdate));
    EXPECT_TRUE(users.HasTableAccess(91, AccessDelete));
    EXPECT_FALSE(users.HasTableAccess(92, AccessView));
    EXPECT_FALSE(users.AllowBatchMode());
    EXPECT_TRUE(users.AllowTextImport());
    EXPECT_FALSE(users.CanChangeDatabase());
    EXPECT_TRUE(users.IsRestrictedAccess());
    EXPECT_FALSE(users.HasPluProfile());  // the profile is not in use
    ann.m_useProfile = 1;
    EXPECT_TRUE(users.HasPluProfile());
    EXPECT_EQ(users.GetPluProfile(), "ann.prf");
}

TEST(UserSetupListTest, TheFrameAnswersRightsAndShowsTheRefusal)
{
    RecordingPrompt prompt;
    EXPECT_TRUE(CheckUserPermission(1, AccessUpdate, true));  // no frame
    TestMainFrame frame;
    EXPECT_TRUE(CheckUserPermission(1, AccessUpdate, true));  // nobody logged in
    CUserSetup& ann = frame.m_access.m_users.Add(MakeUser("Ann", ""));
    ann.m_tablePermission[1] = AccessView;
    frame.m_access.m_users.SetCurrentUser(0);
    EXPECT_FALSE(CheckUserPermission(1, AccessUpdate, false));
    EXPECT_FALSE(CheckUserPermission(1, AccessUpdate, true));
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{61328});
}

TEST(UserSetupListTest, AWorkplaceIsRememberedOnlyForAUserFreeToMove)
{
    CUserSetupList users;
    users.Add(MakeUser("Ann", ""));
    users.RememberWorkplace(5, "/nobody.pld");  // nobody logged in
    EXPECT_EQ(users.GetAt(0).m_database, "");
    users.SetCurrentUser(0);
    users.RememberWorkplace(5, "/now.pld");
    EXPECT_EQ(users.GetAt(0).m_department, 5);
    EXPECT_EQ(users.GetAt(0).m_database, "/now.pld");
    users.GetAt(0).m_rights[RightTiedToDatabase] = 1;
    users.RememberWorkplace(std::nullopt, "/elsewhere.pld");
    EXPECT_EQ(users.GetAt(0).m_database, "/now.pld");
}

TEST(UserSetupListTest, TheDatabaseAtLoginComesFromTheUsersDepartmentWhenThereAreDepartments)
{
    auto department = [](std::uint16_t id, std::string database) {
        auto made = std::make_unique<CMasterScale>();
        made->m_id = id;
        made->m_name = "Dept " + std::to_string(id);
        made->m_database = std::move(database);
        return made;
    };
    struct Case {
        bool loggedIn;
        bool withDepartments;
        std::uint16_t userDepartment;
        std::string database;
        std::uint16_t current;  // the current department afterwards
    };
    const Case cases[] = {
        {false, true, 2, "", 1},            // nobody logged in: nothing changes
        {true, false, 2, "/own.pld", 0},    // no departments: the user's own database
        {true, true, 2, "/meat.pld", 2},    // the user's department becomes current
        {true, true, 0, "", 1},             // a user without a department: none, the current one stays
        {true, true, 9, "", 0},             // a department that no longer exists: none current
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.loggedIn << c.withDepartments << " " << c.userDepartment);
        CMasterScaleList departments;
        if (c.withDepartments) {
            departments.Add(department(1, "/deli.pld"));
            departments.Add(department(2, "/meat.pld"));
            departments.SetCurrent(1);
        }
        CUserSetupList users;
        CUserSetup& ann = users.Add(MakeUser("Ann", ""));
        ann.m_database = "/own.pld";
        ann.m_department = c.userDepartment;
        if (c.loggedIn) users.SetCurrentUser(0);
        EXPECT_EQ(users.GetDatabase(departments), c.database);
        EXPECT_EQ(departments.GetCurrentId(), c.current);
    }
}

TEST(UserSetupListTest, TheSetupListShowsEachUsersWorkplaceRightsAndTablePermissions)
{
    CPriceZoneList zones;
    ASSERT_TRUE(zones.SetZone(3, "North"));
    CUserSetupList users;
    std::string out;
    users.Print(out, zones);
    EXPECT_EQ(out, "");

    CUserSetup& ann = users.Add(MakeUser("Ann", "a"));
    ann.m_database = "/data/ann.pld";
    ann.m_rights[RightTiedToDatabase] = 1;
    ann.m_useProfile = 1;
    ann.m_profileFile = "ann.prf";
    ann.m_priceZone = 3;
    ann.m_rights[RightLumenComms] = 0;
    ann.m_rights[RightRestrictedAccess] = 1;
    ann.m_tablePermission.fill(0);
    ann.m_tablePermission[2] = AccessView | AccessUpdate;
    ann.m_tablePermission[7] = AccessDelete;
    CUserSetup& bob = users.Add(MakeUser("Bob", "b"));
    bob.m_database = "/data/bob.pld";  // not tied to it: not shown
    users.Print(out, zones);

    const std::string rule = " -------------------------------------------\r\n";
    const std::string heading = "  Data access permissions:\r\n" + rule +
                                "               Table   View   Delete  Update\r\n" + rule;
    auto rights = [](bool lumen, bool restricted) {
        const char* on = "Yes";
        const std::pair<const char*, const char*> lines[] = {
            {"  Allow batch mode?                   : ", on},
            {"  Allow transmit to scales?           : ", on},
            {"  Allow load from scales?             : ", on},
            {"  Allow read prod. from scales?       : ", on},
            {"  Allow TR-5400/LumenXT RS-232C comms?: ", on},
            {"  Allow Lumen comms?                  : ", lumen ? "Yes" : "No"},
            {"  Allow PZ-6602 comms?                : ", on},
            {"  Allow QD47 import/export?           : ", on},
            {"  Allow scheduler use?                : ", on},
            {"  Allow text file export?             : ", on},
            {"  Allow text file import?             : ", on},
            {"  Allow database import?              : ", on},
            {"  Allow PLU list report?              : ", on},
            {"  Allow PLU prod. report?             : ", on},
            {"  Allow PLU prod. daily report?       : ", on},
            {"  Allow operator prod. report?        : ", on},
            {"  Allow rewrap prod. report?          : ", on},
            {"  Allow next day prod. report?        : ", on},
            {"  Allow batch production report?      : ", on},
            {"  Allow adjust prod. totals?          : ", on},
            {"  Restricted access?                  : ", restricted ? "Yes" : "No"},
        };
        std::string text;
        for (const auto& [label, value] : lines) text += std::string(label) + value + "\r\n";
        return text;
    };
    const std::string expected =
        "Users:\r\n"
        "User Name: Ann\r\n"
        "  Database                            : /data/ann.pld\r\n"
        "  Profile                             : ann.prf\r\n"
        "\r\n"
        "  Price zone                          : North\r\n" +
        rights(false, true) + heading +
        "               Setup    No       No      No\r\n"
        "                 PLU   Yes       No     Yes\r\n"
        "  Advertising Message    No       No      No\r\n"
        "       Extra Message    No       No      No\r\n"
        "              Coupon    No       No      No\r\n"
        "  Store (TR-5300/LumenXT)    No      Yes      No\r\n"
        "            Campaign    No       No      No\r\n"
        "           Keyboards    No       No      No\r\n"
        "           Nutrition    No       No      No\r\n" +
        rule + "\r\n" +
        "User Name: Bob\r\n"
        "  Price zone                          : Use Defaults\r\n" +
        rights(true, false) + heading +
        "               Setup   Yes      Yes     Yes\r\n"
        "                 PLU   Yes      Yes     Yes\r\n"
        "  Advertising Message   Yes      Yes     Yes\r\n"
        "       Extra Message   Yes      Yes     Yes\r\n"
        "              Coupon   Yes      Yes     Yes\r\n"
        "  Store (TR-5300/LumenXT)   Yes      Yes     Yes\r\n"
        "            Campaign   Yes      Yes     Yes\r\n"
        "           Keyboards   Yes      Yes     Yes\r\n"
        "           Nutrition   Yes      Yes     Yes\r\n" +
        rule + "\r\n" + "\r\n";
    EXPECT_EQ(out, expected);
}

}  // namespace
}  // namespace varnel::test
