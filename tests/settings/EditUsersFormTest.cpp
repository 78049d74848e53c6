// The user and profile lists and the user sheet: the administrator rule on adds and edits (also over
// a random run), one's own rights and deletion, Remove All, profiles picked and copied, the permission
// bits stored, the PLU profile and tied database, the field switches and the price zone.
#include "SettingsListSite.h"
#include "UserSheetSite.h"
#include "settings/EditUsersForm.h"
#include "settings/PluRangeProfile.h"

#include <gtest/gtest.h>

#include <random>

namespace varnel::test {
namespace {

class EditUsersFormTest : public ::testing::Test, public IEditUsersUi, public SettingsListSite {
protected:
    bool RunUserSheet(EditUserForm& sheet) override { return m_sheets.Run(sheet); }
    bool RunProfilePicker(PickerForm& picker) override
    {
        ++m_pickers;
        picker.Select(m_pickedProfile);
        return m_pickedProfile.has_value();
    }

    CUserSetupList& Users() { return m_frame.m_access.m_users; }
    std::unique_ptr<EditUsersForm> MakeForm(UserSheetSiteFixture& site, CUserSetupList& list)
    {
        auto form = std::make_unique<EditUsersForm>(list, m_log, site.m_site);
        form->SetUi(*this);
        return form;
    }
    std::unique_ptr<EditUsersForm> MakeForm() { return MakeForm(m_sheetSite, Users()); }

    // Adds a user directly: an administrator or not.
    CUserSetup& AddUser(std::string name, bool administrator)
    {
        auto user = std::make_unique<CUserSetup>();
        user->m_name = std::move(name);
        if (!administrator) user->m_tablePermission[kSetupTable] = AccessDelete;
        return Users().Add(std::move(user));
    }
    static ScriptedEntries<EditUserForm>::Step Name(std::string name, bool administrator = true)
    {
        return [=](EditUserForm& sheet) {
            sheet.User().m_name = name;
            sheet.SetPermission(kSetupTable, AccessView, administrator);
            sheet.SetPermission(kSetupTable, AccessUpdate, administrator);
            return true;
        };
    }

    UserSheetSiteFixture m_sheetSite{m_frame};
    ScriptedEntries<EditUserForm> m_sheets;
    std::optional<std::size_t> m_pickedProfile;
    int m_pickers = 0;
};

TEST_F(EditUsersFormTest, TheFirstUserWithoutSetupRightsGetsThemAfter61337AndIsEditedAgain)
{
    const auto form = MakeForm();
    m_sheets.Queue(Name("", false));
    m_sheets.Queue(Name("ann", false));
    m_sheets.Queue([](EditUserForm& sheet) {
        EXPECT_TRUE(IsSetupAdministrator(sheet.User()));  // shown restored
        return true;
    });
    form->Add();
    EXPECT_EQ(Shown(), (std::vector<MessageId>{EditUsersForm::kMsgNoName, EditUsersForm::kMsgNeedAdministrator}));
    EXPECT_EQ(m_sheets.Shown(), 3);
    ASSERT_EQ(Users().GetCount(), 1u);
    EXPECT_TRUE(IsSetupAdministrator(Users().GetAt(0)));
    EXPECT_EQ(form->GetRows(), std::vector<std::string>{"ann"});
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup modified - User access permissions :  ann"});
}

TEST_F(EditUsersFormTest, WithAnAdministratorThereANewUserKeepsWhatTheSheetGaveAndCancelAddsNothing)
{
    AddUser("boss", true);
    const auto form = MakeForm();
    form->Add();  // cancelled
    EXPECT_EQ(Users().GetCount(), 1u);
    m_sheets.Queue(Name("clerk", false));
    form->Add();
    ASSERT_EQ(Users().GetCount(), 2u);
    EXPECT_FALSE(IsSetupAdministrator(Users().GetAt(1)));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(EditUsersFormTest, RemovingOnesOwnSetupRightIsUndoneWith61329)
{
    AddUser("ann", true);
    AddUser("bob", true);
    Users().SetCurrentUser(0);
    const auto form = MakeForm();
    EXPECT_EQ(form->GetRows(), (std::vector<std::string>{"ann*", "bob"}));
    m_sheets.Queue([](EditUserForm& sheet) {
        sheet.SetPermission(kSetupTable, AccessView, false);
        return true;
    });
    form->Edit();
    EXPECT_EQ(Shown(), std::vector<MessageId>{EditUsersForm::kMsgKeepOwnSetupRights});
    EXPECT_TRUE(IsSetupAdministrator(Users().GetAt(0)));
    EXPECT_EQ(form->GetRows()[0], "ann*");
}

TEST_F(EditUsersFormTest, TheLastAdministratorLosingTheRightsGetsThemBackWith61337)
{
    AddUser("ann", true);
    AddUser("bob", false).m_tablePermission[kSetupTable] = AccessUpdate;  // may update, not view
    Users().SetCurrentUser(1);
    const auto form = MakeForm();
    form->Select(0);
    m_sheets.Queue(Name("ann", false));
    form->Edit();
    EXPECT_EQ(Shown(), std::vector<MessageId>{EditUsersForm::kMsgNeedAdministrator});
    EXPECT_TRUE(IsSetupAdministrator(Users().GetAt(0)));
}

TEST_F(EditUsersFormTest, OnesOwnUserCannotBeDeletedAndOthersAfterTheQuestion)
{
    AddUser("ann", true);
    AddUser("bob", true);
    Users().SetCurrentUser(0);
    const auto form = MakeForm();
    form->Delete();
    EXPECT_EQ(Shown(), std::vector<MessageId>{EditUsersForm::kMsgDeleteSelf});
    form->Select(1);
    form->Delete();
    EXPECT_EQ(Shown().back(), EditUsersForm::kMsgDeleteUser);
    EXPECT_EQ(Users().GetCount(), 1u);
    EXPECT_EQ(Users().GetCurrentUser(), &Users().GetAt(0));
    EXPECT_EQ(form->GetSelection(), 0u);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G  User: <ann>: Setup deleted - User access permissions :  bob"});
}

TEST_F(EditUsersFormTest, RemoveAllAsksThenEmptiesTheListAndClosesIt)
{
    AddUser("ann", true);
    AddUser("bob", true);
    Users().SetCurrentUser(1);
    const auto form = MakeForm();
    ASSERT_TRUE(form->IsRemoveAllVisible());
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(form->RemoveAll(), SettingsListForm::End::Stay);
    EXPECT_EQ(Users().GetCount(), 2u);
    EXPECT_EQ(form->RemoveAll(), SettingsListForm::End::Ok);
    EXPECT_EQ(Users().GetCount(), 0u);
    EXPECT_EQ(Users().GetCurrentUser(), nullptr);
    EXPECT_TRUE(form->GetRows().empty());
}

TEST_F(EditUsersFormTest, WithoutTheRightToUpdateTheSetupAddAndRemoveAllAreOff)
{
    AddUser("ann", false).m_tablePermission[kSetupTable] = AccessView | AccessDelete;
    Users().SetCurrentUser(0);
    const auto form = MakeForm();
    EXPECT_FALSE(form->IsAddEnabled());
    EXPECT_FALSE(form->IsRemoveAllEnabled());
    EXPECT_TRUE(form->IsDeleteEnabled());
}

TEST_F(EditUsersFormTest, ProfilesHaveTheirCaptionNoRemoveAllNoPasswordAndTheirOwnLogLine)
{
    UserSheetSiteFixture profileSite(m_frame, true);
    const auto form = MakeForm(profileSite, profileSite.m_profiles);
    EXPECT_EQ(form->GetTitle(), "Edit Default User Profiles");
    EXPECT_FALSE(form->IsRemoveAllVisible());
    m_sheets.Queue([](EditUserForm& sheet) {
        EXPECT_FALSE(sheet.IsPasswordEnabled());
        return Name("Clerk", false)(sheet);
    });
    form->Add();
    ASSERT_EQ(profileSite.m_profiles.GetCount(), 1u);
    EXPECT_TRUE(Shown().empty());  // the administrator rule is the users'
    EXPECT_EQ(m_pickers, 0);
    form->Delete();
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"G : Setup modified - Default user access permissions profile :  Clerk",
                                                    "G : Setup deleted - Default user access permissions profile :  Clerk"}));
}

TEST_F(EditUsersFormTest, ANewUserStartsFromThePickedProfile)
{
    AddUser("boss", true);
    m_sheetSite.AddProfile("Clerk", AccessView);
    m_sheetSite.AddProfile("Manager", AccessView | AccessUpdate).m_rights[RightRestrictedAccess] = 1;
    m_pickedProfile = 1;
    const auto form = MakeForm();
    m_sheets.Queue([](EditUserForm& sheet) {
        EXPECT_TRUE(sheet.GetRight(RightRestrictedAccess));
        EXPECT_TRUE(sheet.GetPermission(2, AccessUpdate));
        sheet.User().m_name = "meg";
        return true;
    });
    form->Add();
    EXPECT_EQ(m_pickers, 1);
    ASSERT_EQ(Users().GetCount(), 2u);
    EXPECT_EQ(Users().GetAt(1).m_name, "meg");
    EXPECT_TRUE(Users().GetAt(1).HasRight(RightRestrictedAccess));
}

TEST_F(EditUsersFormTest, StoringTheSheetSetsOnlyTheTablesThePagesList)
{
    CUserSetup user;
    user.m_tablePermission.fill(0xFF);
    EditUserForm sheet(user, m_sheetSite.m_site);
    sheet.SetPermission(4, AccessDelete, false);
    sheet.SetPermission(kPriceChangeTable, AccessUpdate, true);
    ASSERT_TRUE(sheet.Store(user));
    for (std::size_t table = 0; table < kPermissionTables; ++table) {
        SCOPED_TRACE(table);
        std::uint8_t expected = 0;
        for (const auto rows : {GeneralPermissionRows(), RuxDataPermissionRows(), RuxSettingsPermissionRows()})
            for (const PermissionRow& row : rows)
                if (row.table == table) expected = AccessView | AccessUpdate | AccessDelete;
        if (table == 4 || table == 29 || table == 30) expected = AccessView | AccessUpdate;
        if (table == kPriceChangeTable) expected = AccessUpdate;
        EXPECT_EQ(user.m_tablePermission[table], expected);
    }
}

TEST_F(EditUsersFormTest, CopyingFromAProfileKeepsNameCodeAndZoneAndTakesTheRest)
{
    CUserSetup& clerk = m_sheetSite.AddProfile("Clerk", AccessView);
    clerk.m_rights[RightScheduler] = 0;
    clerk.m_useProfile = 1;
    clerk.m_profileFile = "/srv/clerk.prf";
    clerk.m_fieldFlags = {1, 0};
    clerk.m_priceZone = 7;
    CUserSetup user;
    user.m_name = "ann";
    user.m_password = "owl";
    user.m_priceZone = 3;
    EditUserForm sheet(user, m_sheetSite.m_site);
    ASSERT_TRUE(sheet.IsCopyFromProfileEnabled());
    EXPECT_EQ(sheet.MakeProfilePicker().GetRows(), std::vector<std::string>{"Clerk"});
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(sheet.CopyFromProfile(0));
    EXPECT_TRUE(sheet.GetRight(RightScheduler));
    EXPECT_TRUE(sheet.CopyFromProfile(0));
    EXPECT_EQ(Shown(), (std::vector<MessageId>{EditUserForm::kMsgCopyFromProfile, EditUserForm::kMsgCopyFromProfile}));
    EXPECT_EQ(sheet.User().m_name, "ann");
    EXPECT_EQ(sheet.User().m_password, "owl");
    EXPECT_EQ(sheet.User().m_priceZone, 3);
    EXPECT_FALSE(sheet.GetRight(RightScheduler));
    EXPECT_FALSE(sheet.GetPermission(2, AccessUpdate));
    EXPECT_EQ(sheet.User().m_profileFile, "/srv/clerk.prf");
    EXPECT_EQ(sheet.User().m_fieldFlags.size(), kUserFieldCount);
    EXPECT_EQ(sheet.User().m_fieldFlags[1], 0);
}

TEST_F(EditUsersFormTest, TheFieldSwitchesAreAlwaysOneHundredAndTwo)
{
    m_frame.AddFieldDef(FieldDefMap::Plu, 1005).m_name = "Price";
    struct Case {
        std::vector<std::uint16_t> stored;
        std::uint16_t first;
        std::uint16_t last;
    };
    for (const Case& c : {Case{{}, 1, 1}, Case{{0, 1}, 0, 0}, Case{std::vector<std::uint16_t>(150, 1), 1, 1}}) {
        CUserSetup user;
        user.m_fieldFlags = c.stored;
        EditUserForm sheet(user, m_sheetSite.m_site);
        FieldSelectionForm fields = sheet.MakeFieldSelection();
        ASSERT_EQ(fields.GetCount(), kUserFieldCount);
        EXPECT_EQ(fields.GetFlags().front(), c.first);
        EXPECT_EQ(fields.GetFlags().back(), c.last);
        EXPECT_EQ(fields.GetTitle(), "User Access PLU Field Selection");
        EXPECT_EQ(fields.GetLabel(1), "PLU Code");
        EXPECT_EQ(fields.GetLabel(5), "Price");
        fields.Set(101, true);
        sheet.TakeFieldSelection(fields);
        ASSERT_TRUE(sheet.Store(user));
        EXPECT_EQ(user.m_fieldFlags.size(), kUserFieldCount);
        EXPECT_EQ(user.m_fieldFlags.back(), 1);
    }
}

TEST_F(EditUsersFormTest, APluProfileSwitchedOnChoosesItsFileAndAMissingFileGetsTheRangesInUse)
{
    m_frame.m_access.m_activePluRanges.AddRange(100, 200, "meat");
    CUserSetup user;
    EditUserForm sheet(user, m_sheetSite.m_site);
    const std::string path = m_dir.File("ann.prf");
    m_prompt.QueueSaveName(path);
    sheet.SetUseProfile(true);
    ASSERT_EQ(m_prompt.m_fileRequests.size(), 1u);
    EXPECT_EQ(m_prompt.m_fileRequests[0].fileName, "*.prf");
    EXPECT_EQ(sheet.User().m_profileFile, path);
    ASSERT_TRUE(sheet.Store(user));
    CPluRangeList written;
    ASSERT_TRUE(LoadPluRangeProfile(RealFileSystem(), path, written));
    EXPECT_EQ(written, m_frame.m_access.m_activePluRanges);

    // Switched off again: the site's ranges are in use once more.
    EditUserForm off(user, m_sheetSite.m_site);
    off.SetUseProfile(false);
    ASSERT_TRUE(off.Store(user));
    EXPECT_EQ(m_frame.m_access.m_activePluRanges.GetCount(), 0u);
}

TEST_F(EditUsersFormTest, TheTiedDatabaseIsAFileWithoutDepartmentsAndADepartmentWithThem)
{
    CUserSetup user;
    EditUserForm sheet(user, m_sheetSite.m_site);
    m_prompt.QueueSaveName("/srv/a/very/long/path/to/the/shop/database/file/Shop.pld");
    sheet.SetTiedToDatabase(true, [](PickerForm&) { return false; });
    EXPECT_TRUE(sheet.GetRight(RightTiedToDatabase));
    EXPECT_EQ(sheet.GetDatabaseText(), "/srv/a/very/long/path/to/the.../Shop.pld");
    EXPECT_LE(sheet.GetDatabaseText().size(), 40u);

    auto deli = std::make_unique<CMasterScale>();
    deli->m_id = 4;
    deli->m_name = "Deli";
    m_sheetSite.m_departments.Add(std::move(deli));
    EXPECT_TRUE(sheet.SelectDatabase([](PickerForm& picker) {
        picker.Select(0);
        return true;
    }));
    EXPECT_EQ(sheet.User().m_department, 4);
    EXPECT_EQ(sheet.GetDatabaseText(), "Deli");
    EXPECT_EQ(m_sheetSite.m_departments.GetCurrent(), nullptr);  // the choice leaves the current department
}

TEST_F(EditUsersFormTest, ThePriceZoneComboStartsWithUseDefaults)
{
    m_sheetSite.m_zones.SetZone(7, "Harbour");
    m_sheetSite.m_zones.SetZone(3, "City");
    CUserSetup user;
    user.m_priceZone = 7;
    EditUserForm sheet(user, m_sheetSite.m_site);
    const FieldChoices zones = sheet.GetPriceZoneChoices();
    EXPECT_EQ(zones.items, (std::vector<std::string>{"Use Defaults", "0003  City", "0007  Harbour"}));
    EXPECT_EQ(zones.selected, 2u);
    sheet.SelectPriceZone(1);
    EXPECT_EQ(sheet.User().m_priceZone, 3);
    sheet.SelectPriceZone(0);
    EXPECT_EQ(sheet.User().m_priceZone, 0);
}

// Random adds, edits and deletes, each sheet setting random rights on the setup and now and then
// cancelled; from an empty list (nobody logged in) and from a logged-in administrator. Deletes do not
// check the administrator rule.
TEST_F(EditUsersFormTest, ARandomRunOfAddsAndEditsAlwaysLeavesAnAdministratorAndNeverDeletesTheCurrentUser)
{
    for (const bool loggedIn : {false, true}) {
        SCOPED_TRACE(loggedIn);
        Users().RemoveAll();
        if (loggedIn) {
            AddUser("boss", true);
            Users().SetCurrentUser(0);
        }
        std::mt19937 random(24);
        const auto form = MakeForm();
        for (int step = 0; step < 300; ++step) {
            SCOPED_TRACE(step);
            const auto bits = static_cast<std::uint8_t>(random() % 8);
            const bool ok = random() % 5 != 0;
            for (int i = 0; i < 3; ++i)
                m_sheets.Queue([step, bits, ok](EditUserForm& sheet) {
                    if (sheet.User().m_name.empty()) sheet.User().m_name = "u" + std::to_string(step);
                    sheet.User().m_tablePermission[kSetupTable] = bits;
                    return ok;
                });
            const unsigned action = random() % 3;
            if (Users().GetCount() > 0) form->Select(random() % Users().GetCount());
            const CUserSetup* current = Users().GetCurrentUser();
            if (action == 0) form->Add();
            else if (action == 1) form->Edit();
            else form->Delete();
            ASSERT_EQ(Users().GetCurrentUser(), current);
            while (!m_sheets.Done()) (void)m_sheets.Run(*std::make_unique<EditUserForm>(CUserSetup{}, m_sheetSite.m_site));
            bool administrator = false;
            for (std::size_t i = 0; i < Users().GetCount(); ++i)
                administrator = administrator || IsSetupAdministrator(Users().GetAt(i));
            // A delete may take the last administrator away; the next add or edit that ends with OK puts one back.
            if (action != 2 && ok) {
                ASSERT_TRUE(administrator || Users().GetCount() == 0);
            }
            ASSERT_EQ(form->GetRows().size(), Users().GetCount());
        }
    }
}

}  // namespace
}  // namespace varnel::test
