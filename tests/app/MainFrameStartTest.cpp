#include "app/MainFrameStart.h"

#include "app/MainFrame.h"
#include "app/StartLogin.h"
#include "db/plu/PluFieldAccess.h"
#include "platform/MessageWindow.h"
#include "platform/Profile.h"
#include "settings/LoginForm.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace varnel {
namespace {

using test::ReadWholeFile;
using test::WriteWholeFile;

class CancelledLogin final : public ILoginDialog {
public:
    bool Run(LoginForm&) override
    {
        ++m_shown;
        return false;
    }
    int m_shown = 0;
};

class MainFrameStartTest : public ::testing::Test {
protected:
    MainFrameStartTest()
    {
        m_frame.GetRun().profile = &m_profile;
        m_previous = SetMainFrame(&m_frame);
    }
    ~MainFrameStartTest() override { SetMainFrame(m_previous); }

    void Start(std::vector<std::string> words) { m_frame.GetRun().options = ReadStartOptions(words, nullptr); }
    // A site whose setup files hold one user, written by another frame.
    void WriteSiteWithUser(const char* name, const char* password, bool mayRunScheduler)
    {
        CMainFrame site(m_dir.Path());
        auto user = std::make_unique<CUserSetup>();
        user->m_name = name;
        user->m_password = password;
        user->m_rights[RightScheduler] = mayRunScheduler ? 1 : 0;
        site.GetUserList()->Add(std::move(user));
        ASSERT_TRUE(site.SaveGeneralSetup(site.GetGeneralSetupPath()));
        ASSERT_TRUE(site.SaveSiteSetup(site.GetSiteSetupPath()));
    }

    test::TempDir m_dir;
    test::RecordingPrompt m_prompt;
    CProfile m_profile{RealFileSystem(), m_dir.File("Varnel.ini")};
    CMainFrame m_frame{m_dir.Path()};
    CancelledLogin m_login;
    IMainFrame* m_previous;
};

TEST_F(MainFrameStartTest, AFreshSiteStartsFromTheDefaultSetupFiles)
{
    m_profile.WriteProfileString("General", "DbFile", "/data/Shop.pld");
    Start({});
    ASSERT_TRUE(CreateMainFrame(m_frame, m_login));
    EXPECT_TRUE(m_frame.IsGeneralSetupLoaded());
    EXPECT_TRUE(m_frame.IsSiteSetupLoaded());
    EXPECT_EQ(m_frame.GetLastDatabasePath(), "/data/Shop.pld");
    EXPECT_EQ(m_frame.GetBackupDirectory(), m_dir.Path() + "/Backup");
    EXPECT_EQ(m_login.m_shown, 0);
    EXPECT_TRUE(m_prompt.m_ids.empty());
    // Its PLUs can be priced and marked down.
    for (const std::uint16_t fieldNo : {1003, 1004, 1005})
        EXPECT_NE(FindFieldDef(fieldNo, m_frame.GetFieldDefMap(FieldDefMap::Plu)), nullptr) << fieldNo;
}

TEST_F(MainFrameStartTest, OneSetupFileWithoutTheOtherEndsTheStartAndStaysAsItWas)
{
    WriteSiteWithUser("ann", "apple", true);
    const std::string site = ReadWholeFile(m_dir.File("SITESETUP.DEF"));
    ASSERT_EQ(std::remove(m_dir.File("GENSETUP.DEF").c_str()), 0);
    Start({});
    EXPECT_FALSE(CreateMainFrame(m_frame, m_login));
    ASSERT_EQ(m_prompt.m_texts.size(), 1u);
    EXPECT_EQ(m_prompt.m_texts[0].rfind("Error loading setup file [" + m_dir.File("GENSETUP.DEF") + "]", 0), 0u);
    EXPECT_FALSE(RealFileSystem().Exists(m_dir.File("GENSETUP.DEF")));
    EXPECT_EQ(ReadWholeFile(m_dir.File("SITESETUP.DEF")), site);
}

TEST_F(MainFrameStartTest, LoginFromTheCommandLineOrTheDialog)
{
    WriteSiteWithUser("ann", "apple", true);
    Start({"/Uann", "/Papple"});
    ASSERT_TRUE(CreateMainFrame(m_frame, m_login));
    EXPECT_EQ(m_frame.GetUserList()->GetCurrentUser()->m_name, "ann");
    EXPECT_EQ(m_login.m_shown, 0);

    // A wrong password falls back to the dialog; cancelling it ends the start.
    CMainFrame second(m_dir.Path());
    second.GetRun().profile = &m_profile;
    second.GetRun().options = ReadStartOptions(std::vector<std::string>{"/Uann", "/Ppear"}, nullptr);
    EXPECT_FALSE(CreateMainFrame(second, m_login));
    EXPECT_EQ(m_login.m_shown, 1);
}

TEST_F(MainFrameStartTest, TheSchedulerNeedsTheUsersRight)
{
    WriteSiteWithUser("ann", "apple", false);
    Start({"/S", "/R", "/Uann", "/Papple"});
    EXPECT_FALSE(CreateMainFrame(m_frame, m_login));
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61343}));
}

TEST_F(MainFrameStartTest, SchedulerModeWithoutAScheduleRunsWithAnEmptyOne)
{
    m_profile.WriteProfileString("Scheduler", "SchedFile", m_dir.File("missing.sch"));
    Start({"/S", "/R"});
    ASSERT_TRUE(CreateMainFrame(m_frame, m_login));
    EXPECT_EQ(m_frame.GetRun().schedulePath, "");
    EXPECT_TRUE(m_prompt.m_ids.empty());  // with /R nothing is shown
    // Without /R the failed load says so.
    CMainFrame second(m_dir.Path());
    second.GetRun().profile = &m_profile;
    second.GetRun().options = ReadStartOptions(std::vector<std::string>{"/S"}, nullptr);
    ASSERT_TRUE(CreateMainFrame(second, m_login));
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61365}));
}

class RecordingWindow final : public IMessageWindow {
public:
    void Post(std::uint32_t message, std::uintptr_t, std::intptr_t) override
    {
        if (message == kCommsStateChangedMessage) ++m_posts;
    }
    std::atomic<int> m_posts{0};
};

TEST_F(MainFrameStartTest, CounterChangesPostOnlyWhileTheLinksRun)
{
    RecordingWindow window;
    FrameRun& run = m_frame.GetRun();
    run.window = &window;
    m_frame.IncCommsState(2);
    EXPECT_EQ(window.m_posts, 0);
    EXPECT_EQ(run.activity.Count(2), 1u);
    run.linksStarted = true;
    m_frame.IncCommsState(6);  // no such state: nothing changes, nothing is posted
    EXPECT_EQ(window.m_posts, 0);
    m_frame.DecCommsState(3);  // at 0 it stays 0, and still posts
    EXPECT_EQ(run.activity.Count(3), 0u);
    EXPECT_EQ(window.m_posts, 1);

    std::vector<std::thread> links;
    for (std::uint32_t state : {2u, 3u, 4u}) {
        links.emplace_back([this, state] {
            for (int i = 0; i < 500; ++i) {
                m_frame.IncCommsState(state);
                m_frame.DecCommsState(state);
            }
        });
    }
    for (std::thread& link : links) link.join();
    EXPECT_EQ(window.m_posts, 1 + 3000);
    EXPECT_EQ(run.activity.Count(2), 1u);
    EXPECT_EQ(run.activity.Count(3) + run.activity.Count(4), 0u);
}

}  // namespace
}  // namespace varnel
