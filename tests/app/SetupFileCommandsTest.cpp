// The setup copy and schedule commands against real setup and schedule files in a temporary site.
#include "app/SetupFileCommands.h"

#include "FrameSiteFixture.h"
#include "app/ScheduleCommands.h"

#include <filesystem>

namespace varnel::test {
namespace {

class SetupFileCommandsTest : public FrameSiteTest {
protected:
    // A ".set" file whose "Max. PLU No." is `maxPluNo`, written by another frame of the site.
    void WriteGeneralSetupCopy(const std::string& name, std::uint32_t maxPluNo)
    {
        CMainFrame source(dir.Path() + "/", RealFileSystem(), clock);
        source.GeneralSetup().m_maxPluNo = maxPluNo;
        ASSERT_TRUE(source.SaveGeneralSetup(File(name)));
    }
    // A ".sit" file with one department, written by another frame of the site.
    void WriteSiteSetupCopy(const std::string& name, const std::string& department)
    {
        CMainFrame source(dir.Path() + "/", RealFileSystem(), clock);
        LogGeneralEventsTo(source, File("events.log"));
        auto entry = std::make_unique<CMasterScale>();
        entry->m_id = 1;
        entry->m_name = department;
        source.Departments().Add(std::move(entry));
        ASSERT_TRUE(source.SaveSiteSetup(File(name)));
    }
    std::uint32_t MaxPluNoOf(const std::string& path)
    {
        CMainFrame reader(dir.Path() + "/", RealFileSystem(), clock);
        EXPECT_TRUE(reader.LoadGeneralSetup(path));
        return reader.GetGeneralSetup().m_maxPluNo;
    }
};

TEST_F(SetupFileCommandsTest, ALoadedGeneralSetupIsTakenKeptLoggedAndTold)
{
    WriteGeneralSetupCopy("store.set", 4321);
    prompt.QueueSaveName(File("store.set"));

    EXPECT_TRUE(OnLoadGeneralSetup(site));
    EXPECT_EQ(frame.GetGeneralSetup().m_maxPluNo, 4321u);
    EXPECT_EQ(MaxPluNoOf(frame.GetGeneralSetupPath()), 4321u);
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{kGeneralSetupLoaded}));
    EXPECT_NE(EventLogText().find("Loaded setup from file"), std::string::npos);
    ASSERT_EQ(prompt.m_fileRequests.size(), 1u);
    EXPECT_EQ(prompt.m_fileRequests[0].filter, "Setup Files (*.set) |*.set|All Files (*.*)|*.*||");
}

TEST_F(SetupFileCommandsTest, ARefusedPasswordCancelledChooserOrDamagedFileChangesNothing)
{
    WriteGeneralSetupCopy("store.set", 4321);
    test::WriteWholeFile(File("damaged.set"), "not a setup");
    struct Case {
        const char* name;
        bool passwordEntered;
        std::optional<std::string> chosen;
        bool chooserShown;
    };
    const Case cases[] = {
        {"password refused", false, File("store.set"), false},
        {"chooser cancelled", true, std::nullopt, true},
        {"damaged file", true, File("damaged.set"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetSetupPassword("pw");
        ui.m_passwordEntered = c.passwordEntered;
        prompt.m_fileRequests.clear();
        prompt.m_ids.clear();
        if (c.chooserShown) {
            prompt.QueueSaveName(c.chosen);
            prompt.QueueSaveName(c.chosen);
        }

        EXPECT_FALSE(OnLoadGeneralSetup(site));
        EXPECT_FALSE(OnLoadSiteSetup(site));
        EXPECT_EQ(frame.GetGeneralSetup().m_maxPluNo, 999999u);
        EXPECT_FALSE(std::filesystem::exists(frame.GetGeneralSetupPath()));
        EXPECT_FALSE(std::filesystem::exists(frame.GetSiteSetupPath()));
        EXPECT_EQ(std::count(prompt.m_ids.begin(), prompt.m_ids.end(), kGeneralSetupLoaded), 0);
        EXPECT_EQ(!prompt.m_fileRequests.empty(), c.chooserShown);
        EXPECT_EQ(ui.m_passwordsAsked.back(), "pw");
    }
}

TEST_F(SetupFileCommandsTest, ASchedulerKeepsItsScheduleFileAcrossAGeneralSetupLoad)
{
    WriteGeneralSetupCopy("store.set", 4321);
    frame.GetRun().options.mode = RunMode::Scheduler;
    frame.GetRun().schedulePath = File("night.sch");
    prompt.QueueSaveName(File("store.set"));

    EXPECT_TRUE(OnLoadGeneralSetup(site));
    EXPECT_EQ(frame.GetRun().schedulePath, File("night.sch"));
}

TEST_F(SetupFileCommandsTest, ALoadedSiteSetupIsTakenLoggedAndToldAndTheLinksStayStoppedWithoutADatabase)
{
    WriteSiteSetupCopy("store.sit", "Deli");
    frame.GetRun().linksStarted = true;
    prompt.QueueSaveName(File("store.sit"));

    EXPECT_TRUE(OnLoadSiteSetup(site));
    EXPECT_EQ(frame.Departments().GetNameById(1), "Deli");
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{kSiteSetupLoaded}));
    EXPECT_NE(EventLogText().find("Loaded site setup from file : " + File("store.sit")), std::string::npos);
    EXPECT_FALSE(frame.GetRun().linksStarted);
}

TEST_F(SetupFileCommandsTest, ASaveThatFailsAnywhereLeavesTheOldCopyWholeAndIsNotReportedAsSaved)
{
    struct Command {
        const char* name;
        bool (*run)(FrameCommandSite&);
        const char* file;
        std::vector<MessageId> savedMessages;
    };
    const Command commands[] = {
        {"general setup", &OnSaveGeneralSetup, "copy.set", {}},
        {"site setup", &OnSaveSiteSetup, "copy.sit", {kSiteSetupSaved}},
    };
    for (const Command& command : commands) {
        SCOPED_TRACE(command.name);
        const std::string old = "the old copy";
        prompt.QueueSaveName(File(command.file));
        ASSERT_TRUE(command.run(site));
        const std::string saved = test::ReadWholeFile(File(command.file));
        bool fired = true;
        bool succeeded = false;
        // Every file call from the nth on fails, for each n in turn, until a save runs through with
        // no fault left to fire.
        for (std::uint64_t n = 1; fired && n < 200; ++n) {
            SCOPED_TRACE(n);
            test::WriteWholeFile(File(command.file), old);
            prompt.m_ids.clear();
            prompt.QueueSaveName(File(command.file));
            fs.FailAt(n, true);
            succeeded = command.run(site);
            fired = fs.Fired();
            fs.FailAt(0);
            EXPECT_EQ(succeeded, !fired);
            // Either copy whole, never a mix: a fault after the new copy took the old one's place (the
            // directory's sync) leaves the new one.
            const std::string now = test::ReadWholeFile(File(command.file));
            if (succeeded) {
                EXPECT_EQ(prompt.m_ids, command.savedMessages);
                EXPECT_TRUE(now == saved);
            } else {
                EXPECT_TRUE(now == old || now == saved);
                for (const MessageId message : command.savedMessages)
                    EXPECT_EQ(std::count(prompt.m_ids.begin(), prompt.m_ids.end(), message), 0);
            }
        }
        EXPECT_TRUE(succeeded);
    }
}

TEST_F(SetupFileCommandsTest, AnOpenedScheduleBecomesTheScheduleFileAndOneThatDoesNotLoadLeavesNone)
{
    ASSERT_TRUE(frame.SaveSchedule(File("night.sch")));
    frame.CloseScheduleFile();
    test::WriteWholeFile(File("bad.sch"), "junk");

    prompt.QueueSaveName(File("night.sch"));
    EXPECT_TRUE(OnOpenSchedule(site));
    EXPECT_EQ(frame.GetRun().schedulePath, File("night.sch"));
    EXPECT_NE(EventLogText().find("Loaded schedule setup from file"), std::string::npos);
    EXPECT_EQ(ui.m_titleUpdates, 1);

    prompt.QueueSaveName(File("bad.sch"));
    EXPECT_FALSE(OnOpenSchedule(site));
    EXPECT_EQ(frame.GetRun().schedulePath, "");
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{61365}));
    EXPECT_EQ(ui.m_titleUpdates, 2);

    prompt.QueueSaveName(std::nullopt);
    frame.GetRun().schedulePath = File("night.sch");
    EXPECT_FALSE(OnOpenSchedule(site));
    EXPECT_EQ(frame.GetRun().schedulePath, File("night.sch"));
}

TEST_F(SetupFileCommandsTest, ANewScheduleAsksAboutUnsavedChangesAndSavesThemOnYes)
{
    struct Case {
        const char* name;
        bool modified;
        MessageAnswer answer;
        bool saved;
    };
    const Case cases[] = {
        {"unchanged", false, MessageAnswer::Yes, false},
        {"changed, kept", true, MessageAnswer::Yes, true},
        {"changed, dropped", true, MessageAnswer::No, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(File("night.sch"));
        FrameRun& run = frame.GetRun();
        run.schedulePath = File("night.sch");
        run.scheduleModified = c.modified;
        prompt.m_ids.clear();
        if (c.modified) prompt.QueueAnswer(c.answer);

        EXPECT_TRUE(OnNewSchedule(site));
        EXPECT_EQ(prompt.m_ids.empty(), !c.modified);
        EXPECT_EQ(std::filesystem::exists(File("night.sch")), c.saved);
        EXPECT_EQ(run.schedulePath, "");
        EXPECT_FALSE(run.scheduleModified);
        EXPECT_FALSE(frame.IsScheduleFileOpen());
    }
}

TEST_F(SetupFileCommandsTest, SavingAScheduleWithoutAFileAsksForOneAndACancelKeepsTheChanges)
{
    FrameRun& run = frame.GetRun();
    run.scheduleModified = true;

    prompt.QueueSaveName(std::nullopt);
    EXPECT_FALSE(OnSaveSchedule(site));
    EXPECT_TRUE(run.scheduleModified);
    EXPECT_EQ(run.schedulePath, "");

    prompt.QueueSaveName(File("day.sch"));
    EXPECT_TRUE(OnSaveSchedule(site));
    EXPECT_FALSE(run.scheduleModified);
    EXPECT_EQ(run.schedulePath, File("day.sch"));
    EXPECT_TRUE(std::filesystem::exists(File("day.sch")));
    EXPECT_EQ(prompt.m_fileRequests.back().filter, "Schedule Files (*.sch) |*.sch|All Files (*.*)|*.*||");
}

}  // namespace
}  // namespace varnel::test
