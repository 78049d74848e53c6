// The PLU range profile, log view, keyboard template and wrapping machine commands in a temporary site.
#include "app/ToolCommands.h"

#include "FrameSiteFixture.h"
#include "settings/UserSetup.h"
#include "support/RecordingProgramRunner.h"
#include "support/RecordingTextViewer.h"

#include <filesystem>

namespace varnel::test {
namespace {

class ToolCommandsTest : public FrameSiteTest {
protected:
    // Logs in a user with these setup rights and, when `profile` is not empty, that profile file.
    void LogIn(std::uint8_t setupRights, const std::string& profile)
    {
        auto user = std::make_unique<CUserSetup>();
        user->m_tablePermission.fill(0);
        user->m_tablePermission[kSetupTable] = setupRights;
        user->m_useProfile = profile.empty() ? 0 : 1;
        user->m_profileFile = profile;
        CUserSetupList& users = frame.Access().m_users;
        users.Add(std::move(user));
        users.SetCurrentUser(users.GetCount() - 1);
    }
    static std::vector<std::uint32_t> Starts(const CPluRangeList& ranges)
    {
        std::vector<std::uint32_t> starts;
        for (std::size_t i = 0; i < ranges.GetCount(); ++i) starts.push_back(ranges.GetAt(i).m_from);
        return starts;
    }
};

TEST_F(ToolCommandsTest, TheProfileIsStoredOnlyAfterThePasswordOkAndTheRightAndWhereTheUserKeepsIt)
{
    struct Case {
        const char* name;
        bool passwordEntered;
        bool ok;
        std::uint8_t rights;
        bool withProfile;
        bool stored;
        std::vector<MessageId> messages;
    };
    const Case cases[] = {
        {"password refused", false, true, AccessView | AccessUpdate, false, false, {}},
        {"cancelled", true, false, AccessView | AccessUpdate, false, false, {}},
        {"no update right", true, true, AccessView, false, false, {61328}},
        {"the site's profile", true, true, AccessView | AccessUpdate, false, true, {}},
        {"the user's profile", true, true, AccessView | AccessUpdate, true, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(frame.GetSiteSetupPath());
        std::filesystem::remove(File("ann.prf"));
        AccessSettings& access = frame.Access();
        access.m_users.RemoveAll();
        access.m_sitePluRanges = CPluRangeList();
        access.m_sitePluRanges.Append(CPluRange(1, 9, "old"));
        access.ResetPluRanges();
        LogIn(c.rights, c.withProfile ? File("ann.prf") : "");
        SetSetupPassword("pw");
        ui.m_passwordEntered = c.passwordEntered;
        int dialogs = 0;
        ui.m_editProfile = [&](PluRangeProfileForm& form) {
            ++dialogs;
            form.Add(500, 599, "new");
            return c.ok;
        };
        prompt.m_ids.clear();

        EXPECT_EQ(OnEditPluRangeProfile(site), c.stored);
        EXPECT_EQ(dialogs, c.passwordEntered ? 1 : 0);
        EXPECT_EQ(prompt.m_ids, c.messages);
        const std::vector<std::uint32_t> old{1};
        const std::vector<std::uint32_t> edited{1, 500};
        EXPECT_EQ(Starts(access.m_activePluRanges), c.stored ? edited : old);
        EXPECT_EQ(Starts(access.m_sitePluRanges), c.stored && !c.withProfile ? edited : old);
        EXPECT_EQ(std::filesystem::exists(frame.GetSiteSetupPath()), c.stored && !c.withProfile);
        EXPECT_EQ(std::filesystem::exists(File("ann.prf")), c.stored && c.withProfile);
        EXPECT_EQ(EventLogText().find("PLU range profile") != std::string::npos, c.stored);
        std::filesystem::remove(File("events.log"));
    }
}

TEST_F(ToolCommandsTest, TheLogViewsShowTheirLinesAndACancelledChoiceShowsNothing)
{
    RecordingTextViewer viewer;
    frame.EventLog().WriteEvent(EventGeneral, "first");

    OnViewWholeLog(site);
    ASSERT_EQ(viewer.m_shown.size(), 1u);
    EXPECT_NE(ReadWholeFile(viewer.m_shown[0]).find("first"), std::string::npos);

    ui.m_selectLogRange = [](LogViewRangeForm&) { return false; };
    EXPECT_FALSE(OnViewLogRange(site));
    EXPECT_EQ(viewer.m_shown.size(), 1u);

    ui.m_selectLogRange = [](LogViewRangeForm& form) {
        form.TodayOnly();
        return true;
    };
    EXPECT_TRUE(OnViewLogRange(site));
    EXPECT_EQ(viewer.m_shown.size(), 2u);
}

TEST_F(ToolCommandsTest, TheKeyboardTemplateProgramStartsFromTheProgramsDirectory)
{
    RecordingProgramRunner runner;
    EXPECT_TRUE(OnKeyboardTemplate());
    ASSERT_EQ(runner.m_started.size(), 1u);
    EXPECT_EQ(runner.m_started[0].program, "KBDPRT");
    EXPECT_EQ(runner.m_started[0].directory, std::filesystem::path(GetProgramPath()).parent_path().string());
    runner.m_fail = true;
    EXPECT_FALSE(OnKeyboardTemplate());
}

TEST_F(ToolCommandsTest, TheWrappingMachineLinkAsksFirstAndACancelledDirectoryServesNothing)
{
    const std::string cwd = std::filesystem::current_path().string();
    std::filesystem::remove_all(frame.GetScaleDataDirectory());

    EXPECT_FALSE(OnSerialComms(site));
    EXPECT_TRUE(std::filesystem::is_directory(frame.GetScaleDataDirectory()));
    EXPECT_TRUE(prompt.m_ids.empty()) << "no database: nothing to save first";
    EXPECT_EQ(ui.m_directoryStarts, (std::vector<std::string>{frame.GetScaleDataDirectory()}));

    ASSERT_TRUE(document->OpenDatabase(File("shop.pld")));
    prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(OnSerialComms(site));
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{kSaveAsQd47}));

    prompt.m_ids.clear();
    prompt.QueueAnswer(MessageAnswer::Yes);
    EXPECT_FALSE(OnSerialComms(site));
    ASSERT_FALSE(prompt.m_ids.empty());
    EXPECT_EQ(prompt.m_ids.front(), kSaveAsQd47);
    EXPECT_EQ(prompt.m_ids.back(), kSpecifyDirectoryNext);
    EXPECT_EQ(std::filesystem::current_path().string(), cwd);
}

}  // namespace
}  // namespace varnel::test
