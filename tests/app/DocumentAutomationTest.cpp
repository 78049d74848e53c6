// The automation interface's logic without a bus: the real main frame, document and link manager, a
// simulated scale on loopback TCP, and recording doubles for the subsystems that are not built yet.
#include "app/DocumentAutomation.h"

#include "AutomationSite.h"
#include "LinkWaits.h"
#include "SimulatedSite.h"
#include "app/AutomationPrompt.h"
#include "app/MainFrame.h"
#include "app/MainFrameModel.h"
#include "app/Vrn3Doc.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "settings/MasterScale.h"
#include "support/FakeClock.h"
#include "support/InstalledFrameRoles.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace varnel::test {
namespace {

// Answers with the results a test sets and records what it was asked.
class RecordingServices final : public IAutomationServices {
public:
    bool RunScheduleItem(CVrn3Doc&, const std::string& name) override { return Record("item " + name) == 0; }
    bool RunDueScheduleItems(CVrn3Doc&) override { return Record("due items") == 0; }
    bool HasImportDefinition(const std::string& name) const override { return name == "Prices"; }
    MessageId RunImportDefinition(CVrn3Doc&, const std::string& name, const std::string& file, bool) override
    {
        return Record("import " + name + " " + file);
    }
    bool HasExportDefinition(const std::string& name) const override { return name == "Prices"; }
    MessageId RunExportDefinition(CVrn3Doc&, const std::string& name, const std::string& file, bool) override
    {
        return Record("export " + name + " " + file);
    }
    MessageId RunImport(CVrn3Doc&, const TextImportRun& run, bool) override
    {
        m_import = run;
        return Record("import run");
    }
    MessageId RunExport(CVrn3Doc&, const TextExportRun& run, bool) override
    {
        m_export = run;
        return Record("export run");
    }
    MessageId ImportHostFile(int format, const std::string& file) override
    {
        return Record("host file " + std::to_string(format) + " " + file);
    }
    MessageId AddRecords(CVrn3Doc&, int type, const std::string&, const std::string&, bool,
                         std::vector<std::uint32_t>& failedPlus) override
    {
        failedPlus = m_failedPlus;
        return Record("add records " + std::to_string(type));
    }
    MessageId LoadProduction(CVrn3Doc&) override { return Record("production"); }
    MessageId LoadBatch(CVrn3Doc&, const std::string& file, bool send) override
    {
        return Record("batch " + file + (send ? " sent" : ""));
    }
    MessageId StartSale(CVrn3Doc&, const std::string& sale) override { return Record("start " + sale); }
    MessageId EndSale(CVrn3Doc&, const std::string& sale) override { return Record("end " + sale); }
    MessageId ImportSales(CVrn3Doc&, const std::string& file, const std::string& second, bool) override
    {
        return Record("sales " + file + " " + second);
    }
    MessageId SendToOtherMakersScales(CVrn3Doc&, std::int32_t from, std::int32_t to, bool) override
    {
        return Record("other maker " + std::to_string(from) + ".." + std::to_string(to));
    }

    MessageId m_result = 0;
    std::vector<std::uint32_t> m_failedPlus;
    std::vector<std::string> m_calls;
    TextImportRun m_import;
    TextExportRun m_export;

private:
    MessageId Record(std::string call)
    {
        m_calls.push_back(std::move(call));
        return m_result;
    }
};

class AutomationTest : public ::testing::Test {
protected:
    AutomationTest()
    {
        m_previous = SetMainFrame(&frame);
        RegisterPluTablesForTests();
        frame.GetRun().options.mode = RunMode::Automation;
        frame.GeneralSetup().m_onlineComms = 0;
        frame.GeneralSetup().m_usePing = 0;
        (void)doc.OnNewDocument();
        automation.OnErrorCodeChanged([this](std::int32_t code) { codesSignalled.push_back(code); });
    }
    ~AutomationTest() override
    {
        (void)frame.Links().StopLinks(false);
        SetMainFrame(m_previous);
    }

    std::string MakeDatabase(const std::string& name, const std::vector<std::uint32_t>& plus)
    {
        MakePluDatabase(dir.File(name), plus, clock);
        return dir.File(name);
    }
    void ExpectSuccessLeftNoError() const
    {
        EXPECT_EQ(automation.GetErrorCode(), 0);
        EXPECT_EQ(automation.GetErrorMessage(), "");
    }
    void ExpectFailure(MessageId code, std::string_view text) const
    {
        EXPECT_EQ(automation.GetErrorCode(), static_cast<std::int32_t>(code));
        EXPECT_EQ(automation.GetErrorMessage(), text);
    }

    TempDir dir;
    FakeClock clock{DateTimeParts{2024, 3, 9, 14, 5, 7}};
    CMainFrame frame{dir.Path() + "/", RealFileSystem(), clock};
    MainFrameModel model{frame};
    CVrn3Doc doc{model, RealFileSystem(), clock};
    RecordingServices services;
    DocumentAutomation automation{frame, model, doc, services};
    std::vector<std::int32_t> codesSignalled;

private:
    IMainFrame* m_previous = nullptr;
};

TEST(MarketResultStamp, GivesTheLocalTimeTwelveBlanksAndTheStatusOfTheMessage)
{
    const DateTimeParts now{2024, 3, 9, 14, 5, 7};
    const struct {
        MessageId id;
        const char* status;
    } cases[] = {{31508, "01"}, {61216, "02"}, {61218, "07"}, {61219, "11"}, {61319, "05"},
                 {61335, "06"}, {42, "42"},    {98, "98"},    {99, "00"},    {31510, "00"}};
    for (const auto& c : cases)
        EXPECT_EQ(MarketResultStamp(now, c.id), std::string("20240309140507") + std::string(12, ' ') + c.status) << c.id;
    EXPECT_EQ(MarketResultStamp(now, 0), "");
}

TEST_F(AutomationTest, EveryMethodThatNeedsADatabaseRefusesWithoutOneAndTheNextSuccessClearsTheError)
{
    const std::vector<std::function<bool()>> calls = {
        [&] { return automation.ExportTextFile("Prices", "out.csv"); },
        [&] { return automation.ExportTextFileEx("out.csv", 0, 2, 1, 0, 0, 0, 0, 0, 0); },
        [&] { return automation.SendToScales(2, 1, 100); },
        [&] { return automation.IsUnsentDataWaiting(); },
        [&] { return automation.SendUnsentData(); },
        [&] { return automation.ClearProdDatabase(); },
        [&] { return automation.ReadProdFromScales(); },
        [&] { return automation.CompareScalesVsDb(0); },
        [&] { return automation.DeleteRecords(2, 0, 0); },
        [&] { return automation.DatabaseCompact(); },
        [&] { return automation.LoadBatch("day.bch", 1); },
        [&] { return automation.StartSale("Spring"); },
        [&] { return automation.EndSale("Spring"); },
        [&] { return automation.ChangePrice(1, 250, 0); },
        [&] { return automation.ImportTextFile("Prices", dir.Path()); },
        [&] { return automation.ImportTextFileEx("in.csv", 0, 0, 2, 0, 0, 0, 0, 0); },
    };
    for (std::size_t i = 0; i < calls.size(); ++i) {
        ASSERT_TRUE(automation.SetEventLogFile(dir.File("events.log")));
        ExpectSuccessLeftNoError();
        EXPECT_FALSE(calls[i]()) << i;
        ExpectFailure(31508, "No database is open");
    }
    EXPECT_TRUE(services.m_calls.empty());
    EXPECT_EQ(codesSignalled.size(), 2 * calls.size() - 1);  // the first clear changed nothing
}

TEST_F(AutomationTest, ADatabaseOpensOnlyOnceAndOnlyFromAFileThatIsThere)
{
    const std::string path = MakeDatabase("Shop.pld", {1, 2});
    for (const std::string& bad : {std::string(), dir.File("missing.pld"), dir.Path(), std::string(5000, 'x')}) {
        EXPECT_FALSE(automation.DatabaseOpen(bad));
        ExpectFailure(61216, "File open error");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing.pld")));

    ASSERT_TRUE(automation.DatabaseOpen(path));
    ExpectSuccessLeftNoError();
    EXPECT_FALSE(automation.DatabaseOpen(path));
    ExpectFailure(31514, "A database file is already open");
    // Settings are loaded before a database opens, never under it.
    for (const auto& call : std::vector<std::function<bool()>>{
             [&] { return automation.LoadSetup(frame.GetGeneralSetupPath()); },
             [&] { return automation.LoadSiteSetup(frame.GetSiteSetupPath()); },
             [&] { return automation.SetEventLogFile("other.log"); },
             [&] { return automation.ScheduleOpen("day.sch"); }}) {
        EXPECT_FALSE(call());
        ExpectFailure(31514, "A database file is already open");
    }
    ASSERT_TRUE(automation.DatabaseClose());
    EXPECT_FALSE(doc.IsDatabaseOpen());
    EXPECT_TRUE(automation.DatabaseClose());
}

TEST_F(AutomationTest, WithDepartmentsOnlyADepartmentsDatabaseOpensAndItBecomesCurrent)
{
    const std::string shop = MakeDatabase("Shop.pld", {1});
    const std::string other = MakeDatabase("Other.pld", {1});
    auto department = std::make_unique<CMasterScale>();
    department->m_id = 4;
    department->m_name = "Deli";
    department->m_database = dir.File("SHOP.PLD");
    frame.Departments().Add(std::move(department));

    EXPECT_FALSE(automation.DatabaseOpen(other));
    ExpectFailure(61216, "File open error");
    EXPECT_FALSE(doc.IsDatabaseOpen());

    // The department's file named with other letter cases.
    std::filesystem::rename(shop, dir.File("SHOP.PLD"));
    ASSERT_TRUE(automation.DatabaseOpen(dir.File("SHOP.PLD")));
    EXPECT_EQ(frame.Departments().GetCurrentId(), 4);
}

TEST_F(AutomationTest, InTheMachineReadMarketTheOpenAndImportFailuresAreStamped)
{
    frame.GeneralSetup().m_market = MarketThailand;
    const std::string blanks(12, ' ');
    EXPECT_FALSE(automation.DatabaseOpen(dir.File("missing.pld")));
    ExpectFailure(61216, "20240309140507" + blanks + "01");
    EXPECT_FALSE(automation.ImportTextFileEx("in.csv", 0, 0, 2, 0, 0, 0, 0, 0));
    ExpectFailure(31508, "20240309140507" + blanks + "01");

    ASSERT_TRUE(automation.DatabaseOpen(MakeDatabase("Shop.pld", {1})));
    EXPECT_FALSE(automation.DatabaseOpen(dir.File("Shop.pld")));
    ExpectFailure(31514, "20240309140507" + blanks + "01");
    EXPECT_FALSE(automation.ImportTextFileEx(dir.File("in.csv"), 0, 0, 2, 0, 0, 0, 0, 0));
    ExpectFailure(61216, "20240309140507" + blanks + "02");
    WriteWholeFile(dir.File("in.csv"), "1,100\n");
    services.m_result = 61219;
    EXPECT_FALSE(automation.ImportTextFileEx(dir.File("in.csv"), 0, 0, 2, 0, 0, 0, 0, 0));
    ExpectFailure(61219, "20240309140507" + blanks + "11");
    // Methods outside opening and importing keep their texts.
    EXPECT_FALSE(automation.ChangePrice(77, 1, 0));
    ExpectFailure(31511, "The specified record does not exist");
}

TEST_F(AutomationTest, SetupFilesLoadBeforeADatabaseAndAFailureNamesTheFileInItsOwnText)
{
    ASSERT_TRUE(frame.SaveGeneralSetup(dir.File("copy.set")));
    ASSERT_TRUE(frame.SaveSiteSetup(dir.File("copy.sit")));
    frame.EventLog().LoggingOn = 1;
    frame.EventLog().LogGeneral = 1;
    ASSERT_TRUE(automation.SetEventLogFile(dir.File("events.log")));

    ASSERT_TRUE(automation.LoadSetup(dir.File("copy.set")));
    ASSERT_TRUE(automation.LoadSiteSetup(dir.File("copy.sit")));
    ExpectSuccessLeftNoError();
    // The general setup's line went to the log named (the site setup then brought its own log settings).
    const std::string log = ReadWholeFile(dir.File("events.log"));
    EXPECT_NE(log.find("Setup modified - Loaded setup from file : " + dir.File("copy.set")), std::string::npos) << log;

    const std::string missing = dir.File("gone.set");
    EXPECT_FALSE(automation.LoadSetup(missing));
    EXPECT_EQ(automation.GetErrorCode(), 61266);
    EXPECT_EQ(automation.GetErrorMessage().substr(0, 27 + missing.size()), "Error loading setup file [" + missing + "]");
    EXPECT_FALSE(automation.LoadSiteSetup(dir.Path()));
    EXPECT_EQ(automation.GetErrorCode(), 31476);
    EXPECT_EQ(automation.GetErrorMessage().rfind("Error loading site setup file [" + dir.Path() + "]", 0), 0u);
}

TEST_F(AutomationTest, TheSubsystemsOperationsAreCalledWithTheirArgumentsAndTheirFailuresReported)
{
    const std::string input = dir.File("in.csv");
    WriteWholeFile(input, "1,100\n");
    ASSERT_TRUE(automation.DatabaseOpen(MakeDatabase("Shop.pld", {1})));

    // Definitions by name; a file that is not there fails at once instead of asking for one.
    EXPECT_FALSE(automation.ImportTextFile("prices", input));
    ExpectFailure(31510, "Invalid parameter specified");
    EXPECT_FALSE(automation.ImportTextFile("Prices", dir.File("none.csv")));
    ExpectFailure(61216, "File open error");
    EXPECT_FALSE(automation.ExportTextFile("Prices", ""));
    ExpectFailure(61216, "File open error");
    EXPECT_TRUE(services.m_calls.empty());

    EXPECT_TRUE(automation.ImportTextFile("Prices", input));
    EXPECT_TRUE(automation.ExportTextFile("Prices", dir.File("out.csv")));
    EXPECT_TRUE(automation.ImportTextFileEx(input, 1, 2, 9, 1, 0, 5, 0, -1));
    EXPECT_EQ(services.m_import.format, 1);
    EXPECT_EQ(services.m_import.operation, 2);
    EXPECT_EQ(services.m_import.fileType, 9);
    EXPECT_EQ(services.m_import.descFormat, 1);
    EXPECT_EQ((std::vector<bool>{services.m_import.send, services.m_import.includesPriceZone,
                                 services.m_import.usePosCode, services.m_import.autoAssignByDepartment}),
              (std::vector<bool>{false, true, false, true}));
    EXPECT_TRUE(automation.ExportTextFileEx(dir.File("out.csv"), 3, 19, 1, 1, 7, 12, 0, 1, 0));
    EXPECT_EQ(services.m_export.fileType, 19);
    EXPECT_EQ(services.m_export.priceZone, 12);
    EXPECT_TRUE(services.m_export.priceZoneSelection);
    EXPECT_TRUE(automation.LoadBatch("day.bch", 3));
    EXPECT_TRUE(automation.StartSale("Spring"));
    EXPECT_TRUE(automation.EndSale("Spring"));
    EXPECT_TRUE(automation.SendToScales(1000, 4, 9));
    ExpectSuccessLeftNoError();
    EXPECT_EQ(services.m_calls,
              (std::vector<std::string>{"import Prices " + input, "export Prices " + dir.File("out.csv"), "import run",
                                        "export run", "batch day.bch sent", "start Spring", "end Spring",
                                        "other maker 4..9"}));

    // A failure's number: as the code (sales, the other maker), or as text under 31510 (operations);
    // a result of 1 has no text of its own.
    services.m_result = 61216;
    EXPECT_FALSE(automation.StartSale("Spring"));
    ExpectFailure(61216, "File open error");
    EXPECT_FALSE(automation.ExportTextFile("Prices", dir.File("out.csv")));
    ExpectFailure(31510, "File open error");
    services.m_result = 1;
    EXPECT_FALSE(automation.ImportTextFile("Prices", input));
    ExpectFailure(31510, "Invalid parameter specified");
    EXPECT_FALSE(automation.LoadBatch("day.bch", 0));
    ExpectFailure(31510, "Invalid parameter specified");

    // The host files need no database.
    ASSERT_TRUE(automation.DatabaseClose());
    services.m_result = 0;
    EXPECT_TRUE(automation.ImportTextFileEx(input, 50, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_TRUE(automation.ImportSales(input, ""));
    EXPECT_EQ(services.m_calls.back(), "sales " + input + " ");
}

TEST_F(AutomationTest, AddRecordsNeedsStandardNutritionAndKeepsThePlusItCouldNotAdd)
{
    EXPECT_FALSE(automation.AddRecords(2, "PLU,Price", "1,100"));
    ExpectFailure(31525, "The requested operation is not supported when nutrition is disabled.");

    frame.GeneralSetup().m_market = MarketAustralia;
    frame.GeneralSetup().m_nutritionInUse = 1;
    frame.RecalcSetupFlags();
    frame.EventLog().LoggingOn = 1;
    frame.EventLog().LogGeneral = 1;
    frame.EventLog().LogFile = dir.File("events.log");
    services.m_result = 61290;
    services.m_failedPlus = {12, 40};
    EXPECT_FALSE(automation.AddRecords(2, "PLU,Price", "12,100"));
    EXPECT_EQ(automation.GetErrorCode(), 61290);
    EXPECT_EQ(automation.GetFailedImportPlus(), "12,40");
    const std::string log = ReadWholeFile(dir.File("events.log"));
    EXPECT_NE(log.find("Error ading records using AddRecords( ) : The imported data"), std::string::npos) << log;
    EXPECT_NE(log.find("PLU,Price"), std::string::npos);

    services.m_result = 0;
    EXPECT_TRUE(automation.AddRecords(2, "PLU,Price", "13,100"));
    EXPECT_EQ(automation.GetFailedImportPlus(), "");
}

TEST_F(AutomationTest, ScheduleItemsRunOnlyWithAScheduleOpenWhichIsSavedAfterAnItem)
{
    EXPECT_FALSE(automation.ScheduleExecOp("Morning"));
    ExpectFailure(31516, "No schedule file is open");
    EXPECT_FALSE(automation.ScheduleExecSched());
    ExpectFailure(31516, "No schedule file is open");

    const std::string schedule = dir.File("day.sch");
    ASSERT_TRUE(frame.SaveSchedule(schedule));
    frame.CloseScheduleFile();
    std::filesystem::last_write_time(schedule, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    const auto before = std::filesystem::last_write_time(schedule);
    ASSERT_TRUE(automation.ScheduleOpen(schedule));
    EXPECT_FALSE(automation.ScheduleOpen(schedule));
    ExpectFailure(31514, "A database file is already open");

    services.m_result = 1;
    EXPECT_FALSE(automation.ScheduleExecOp("Morning"));
    ExpectFailure(31523, "Error executing schedule item: Morning");
    EXPECT_NE(std::filesystem::last_write_time(schedule), before);
    EXPECT_FALSE(automation.ScheduleExecSched());
    ExpectFailure(31523, "Error executing schedule operation");
    services.m_result = 0;
    EXPECT_TRUE(automation.ScheduleExecOp("Morning"));
    ASSERT_TRUE(automation.ScheduleClose());
    EXPECT_FALSE(frame.IsScheduleFileOpen());
    EXPECT_FALSE(automation.ScheduleOpen(dir.File("none.sch")));
    EXPECT_NE(automation.GetErrorCode(), 0);
}

TEST_F(AutomationTest, BadArgumentsOfEveryKindAreRefusedAndChangeNoStoredFile)
{
    ASSERT_TRUE(frame.SaveGeneralSetup(frame.GetGeneralSetupPath()));
    ASSERT_TRUE(frame.SaveSiteSetup(frame.GetSiteSetupPath()));
    WriteWholeFile(dir.File("garbage.set"), std::string(3000, '\x7f'));
    const std::string database = MakeDatabase("Shop.pld", {1, 2});
    const std::vector<std::string> files = {frame.GetGeneralSetupPath(), frame.GetSiteSetupPath(), database};
    std::vector<std::string> before;
    for (const std::string& file : files) before.push_back(ReadWholeFile(file));

    const std::string longText(100000, 'a');
    const std::vector<std::function<bool()>> beforeOpen = {
        [&] { return automation.LoadSetup(""); },
        [&] { return automation.LoadSetup(dir.Path()); },
        [&] { return automation.LoadSetup(dir.File("garbage.set")); },
        [&] { return automation.LoadSiteSetup(dir.File("garbage.set")); },
        [&] { return automation.LoadSiteSetup(longText); },
        [&] { return automation.ScheduleOpen(dir.Path()); },
        [&] { return automation.ScheduleOpen(dir.File("garbage.set")); },
        [&] { return automation.DatabaseOpen(dir.File("garbage.set")); },
    };
    for (std::size_t i = 0; i < beforeOpen.size(); ++i) {
        EXPECT_FALSE(beforeOpen[i]()) << i;
        EXPECT_NE(automation.GetErrorCode(), 0) << i;
    }
    ASSERT_TRUE(automation.DatabaseOpen(database));
    const std::vector<std::function<bool()>> whileOpen = {
        [&] { return automation.SendToScales(-32768, -1, -1); },
        [&] { return automation.SendToScales(32767, 0, 2147483647); },
        [&] { return automation.DeleteRecords(-1, 0, 0); },
        [&] { return automation.DeleteRecords(2, 5, -2147483647 - 1); },
        [&] { return automation.ChangePrice(-2147483647 - 1, -1, -1); },
        [&] { return automation.ChangePrice(2147483647, 0, 0); },
        [&] { return automation.CompareScalesVsDb(-1); },
        [&] { return automation.ImportTextFile(longText, longText); },
        [&] { return automation.ExportTextFile("", ""); },
        [&] { return automation.ImportTextFileEx("", -1, -1, -1, -1, -1, -1, -1, -1); },
        [&] { return automation.ExportTextFileEx("", 32767, -32768, 1, 1, 1, 1, 1, 1, 1); },
    };
    for (std::size_t i = 0; i < whileOpen.size(); ++i) {
        EXPECT_FALSE(whileOpen[i]()) << i;
        EXPECT_NE(automation.GetErrorCode(), 0) << i;
    }
    ASSERT_TRUE(automation.DatabaseClose());
    for (std::size_t i = 0; i < files.size(); ++i) EXPECT_EQ(ReadWholeFile(files[i]), before[i]) << files[i];
}

TEST_F(AutomationTest, MessagesGoOnTheScreenOnlyWhenTheClientAskedAndThereIsOneAndNoFileIsAskedFor)
{
    RecordingPrompt quiet;
    RecordingPrompt screen;
    WriteWholeFile(dir.File("garbage.set"), "not a setup file");
    const struct {
        bool showErrors;
        bool display;
        bool onScreen;
    } cases[] = {{true, true, true}, {false, true, false}, {true, false, false}, {false, false, false}};
    for (const auto& c : cases) {
        automation.SetShowErrors(c.showErrors);
        const AutomationPrompt prompt(automation, quiet, c.display ? &screen : nullptr);
        const std::size_t shownBefore = screen.m_ids.size();
        const std::size_t quietBefore = quiet.m_ids.size();
        // The setup file's own message goes through the installed prompt.
        EXPECT_FALSE(automation.LoadSetup(dir.File("garbage.set")));
        EXPECT_EQ(screen.m_ids.size() > shownBefore, c.onScreen) << c.showErrors << c.display;
        EXPECT_EQ(quiet.m_ids.size() > quietBefore, !c.onScreen) << c.showErrors << c.display;
        screen.QueueSaveName("chosen.pld");
        EXPECT_EQ(AskSaveFileName("pld", "Shop.pld", "Varnel database (*.pld) |*.pld||"), std::nullopt);
        EXPECT_EQ(AskFileName(FileRequest{}), std::nullopt);
    }
    EXPECT_EQ(screen.m_saveDialogs, 0);
    EXPECT_TRUE(screen.m_fileRequests.empty());
}

// The same with a scale on a link.
class AutomationCommsTest : public AutomationTest {
protected:
    void SetUp() override
    {
        AddPluFieldDefs(frame);
        frame.Links().Add(scale.MakeLink(1, 11, clock, pinger));
        const std::string path = MakeDatabase("Shop.pld", {2, 3, 9});
        frame.GeneralSetup().m_onlineComms = 1;
        ASSERT_TRUE(automation.DatabaseOpen(path));
        ASSERT_TRUE(WaitUntilIdle(frame.Links()));  // the start polls the scale
    }

    std::vector<Bytes> PacketsSince(std::size_t first) const
    {
        const std::vector<Bytes> all = scale.Sim().Packets(1);
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(first, all.size())), all.end()};
    }
    // The packets the document's own send of these requests gives.
    std::vector<Bytes> PacketsOf(const SendRequests& requests)
    {
        const std::size_t before = scale.Sim().Packets(1).size();
        EXPECT_EQ(doc.SendDataNow(IDocument::kDataType, false, requests, nullptr), 0u);
        return PacketsSince(before);
    }

    ScriptedPinger pinger;
    mutable SimulatedScale scale{Transport::Tcp, &clock};
};

TEST_F(AutomationCommsTest, SendToScalesSendsTheRangeAsRecordsOrAsPriceChanges)
{
    const struct {
        std::int16_t dataType;
        SendJobKind kind;
    } cases[] = {{2, SendRecords}, {14, SendPriceChanges}};
    for (const auto& c : cases) {
        const std::size_t before = scale.Sim().Packets(1).size();
        ASSERT_TRUE(automation.SendToScales(c.dataType, 1, 100));
        ExpectSuccessLeftNoError();
        const std::vector<Bytes> sent = PacketsSince(before);
        EXPECT_EQ(sent.size(), 3u);
        EXPECT_EQ(sent, PacketsOf({CSendDataLog(c.kind, 2, 1, 100)})) << c.dataType;
    }
    for (const auto& [dataType, from, to] : {std::tuple{5, 1, 2}, std::tuple{-2, 1, 2}, std::tuple{2, -1, 4}}) {
        EXPECT_FALSE(automation.SendToScales(static_cast<std::int16_t>(dataType), from, to));
        ExpectFailure(31510, "Invalid parameter specified");
    }
    EXPECT_FALSE(automation.IsUnsentDataWaiting());
    ExpectSuccessLeftNoError();
    EXPECT_TRUE(automation.SendUnsentData());

    scale.Sim().SetFaults([](ScaleFaults& faults) { faults.offline = true; });
    EXPECT_FALSE(automation.SendToScales(2, 2, 2));
    EXPECT_EQ(automation.GetErrorCode(), 61218);
    EXPECT_TRUE(automation.IsUnsentDataWaiting());
    EXPECT_NE(automation.GetScalesWithUnsentData(), "");
}

TEST_F(AutomationCommsTest, DeleteRecordsRefusesABackwardRangeAndDeletesAllForZero)
{
    for (const auto& [dataType, from, to] : {std::tuple{2, 10, 5}, std::tuple{14, 1, 5}, std::tuple{2, -3, 5}}) {
        EXPECT_FALSE(automation.DeleteRecords(static_cast<std::int16_t>(dataType), from, to));
        ExpectFailure(31510, "Invalid parameter specified");
    }
    EXPECT_EQ(doc.GetPluTable()->GetRecordCount(), 3u);

    // PLU 3's zone price goes with it.
    ASSERT_TRUE(frame.PriceZones().SetZone(1, "North"));
    frame.PriceZoneFields() = {1005};
    ASSERT_TRUE(doc.GetPriceZoneTable()->SetZoneValue(3, 1005, 1, 999, nullptr));
    PriceZoneEntries entries;
    ASSERT_TRUE(doc.GetPriceZoneTable()->LoadAllEntries(3, entries));
    ASSERT_FALSE(entries.empty());

    std::size_t before = scale.Sim().Packets(1).size();
    ASSERT_TRUE(automation.DeleteRecords(2, 3, 8));
    EXPECT_EQ(doc.GetPluTable()->FindRecord(3), nullptr);
    ASSERT_TRUE(doc.GetPriceZoneTable()->LoadAllEntries(3, entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(doc.GetPluTable()->GetRecordCount(), 2u);
    std::vector<Bytes> sent = PacketsSince(before);
    EXPECT_EQ(sent, PacketsOf({CSendDataLog(SendKeyDeletes, 2, 3, 8)}));

    before = scale.Sim().Packets(1).size();
    ASSERT_TRUE(automation.DeleteRecords(2, 0, 0));
    EXPECT_EQ(doc.GetPluTable()->GetRecordCount(), 0u);
    sent = PacketsSince(before);
    EXPECT_EQ(sent, PacketsOf({CSendDataLog(SendKeyDeletes, 2, 0, 0)}));
    // Stored: the file read again holds none of them.
    ASSERT_TRUE(automation.DatabaseClose());
    ASSERT_TRUE(automation.DatabaseOpen(dir.File("Shop.pld")));
    EXPECT_EQ(doc.GetPluTable()->GetRecordCount(), 0u);
}

TEST_F(AutomationCommsTest, ChangePriceStoresTheNewPriceAndSendsIt)
{
    const std::size_t before = scale.Sim().Packets(1).size();
    ASSERT_TRUE(automation.ChangePrice(3, 777, 0));
    ExpectSuccessLeftNoError();
    const auto* row = dynamic_cast<const CPluDefRec*>(doc.GetPluTable()->FindRecord(3));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->Get(PluCol::UnitPrice), 777);
    const std::vector<Bytes> sent = PacketsSince(before);
    EXPECT_EQ(sent, PacketsOf({CSendDataLog(SendPriceChanges, 2, 3, 3)}));
    EXPECT_FALSE(automation.ChangePrice(-3, 1, 0));
    ExpectFailure(31511, "The specified record does not exist");
}

TEST_F(AutomationCommsTest, CompareWithDifferencesIsFalseWithCodeZeroAndSynchroniseMendsThem)
{
    ASSERT_EQ(doc.SendDataNow(IDocument::kDataType, false, {CSendDataLog(SendRecords, 2, 1, 20)}, nullptr), 0u);
    scale.Sim().SetReply(ToBytes("50000000"), scale.Sim().Packets(1));
    EXPECT_TRUE(automation.CompareScalesVsDb(0));

    ASSERT_TRUE(doc.GetPluTable()->DeleteKey(9));  // now on the scale only
    EXPECT_FALSE(automation.CompareScalesVsDb(0));
    ExpectSuccessLeftNoError();
    const std::size_t before = scale.Sim().Packets(1).size();
    EXPECT_TRUE(automation.CompareScalesVsDb(1));
    EXPECT_GT(scale.Sim().Packets(1).size(), before + 1);  // the request and the delete of 9

    // A comparison that fails shows its message when the client asked for messages.
    RecordingPrompt prompt;
    scale.Sim().SetFaults([](ScaleFaults& faults) { faults.offline = true; });
    for (const bool show : {false, true}) {
        automation.SetShowErrors(show);
        EXPECT_FALSE(automation.CompareScalesVsDb(0));
        EXPECT_EQ(automation.GetErrorCode(), 31510);
        EXPECT_EQ(prompt.m_ids.size(), show ? 1u : 0u);
    }

    frame.GeneralSetup().m_onlineComms = 0;
    EXPECT_FALSE(automation.CompareScalesVsDb(0));
    ExpectFailure(31509, "Scale comms is offline");
}

}  // namespace
}  // namespace varnel::test
