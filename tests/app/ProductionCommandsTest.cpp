// The production commands over a recording production subsystem: the order of the loads, when the
// scales are told to delete their totals, the messages shown, and the production database closed
// again however a command ends.
#include "DocumentFixture.h"

#include "app/ProductionCommands.h"

#include <filesystem>
#include <stdexcept>

namespace varnel::test {
namespace {

constexpr MessageId kTimeout = 61219;
constexpr MessageId kCancelled = CVrn3Doc::kMsgCommsCancelled;

// The production subsystem as a script: each load answers from `results` (0 when absent) and may
// throw; every call is recorded with whether the production database was open at the time.
class RecordingProduction final : public IProductionServices {
public:
    explicit RecordingProduction(CVrn3Doc*& document) : m_document(document) {}

    std::optional<ScaleDefs> ChooseScales(CVrn3Doc&, const CMasterScale* department) override
    {
        calls.push_back("choose " + (department ? department->m_name : std::string("-")));
        if (cancelChoiceOf == (department ? department->m_name : std::string("-"))) return std::nullopt;
        return department ? department->GetScaleDefs() : ScaleDefs{CScaleDef(1, 1)};
    }
    MessageId Load(CVrn3Doc&, ProdLoad what, const ScaleDefs&) override
    {
        calls.push_back("load " + std::to_string(static_cast<int>(what)) + Open());
        if (throwAt == what) throw std::runtime_error("load failed");
        const auto found = results.find(what);
        return found == results.end() ? 0 : found->second;
    }
    MessageId ClearScaleTotals(CVrn3Doc&, const ScaleDefs& scales) override
    {
        calls.push_back("clear " + std::to_string(scales.size()) + Open());
        return clearResult;
    }
    MessageId LoadMeatTestData(CVrn3Doc&) override
    {
        calls.push_back("meat load");
        return meatLoadResult;
    }
    bool HasMeatTestData(CVrn3Doc&) override
    {
        calls.push_back("has meat" + Open());
        return hasMeatData;
    }
    std::optional<MeatCutTestRange> RunMeatCutTestDialog(CVrn3Doc&) override
    {
        calls.push_back("meat dialog" + Open());
        return meatRange;
    }
    bool OpenMeatCutTestReport(CVrn3Doc&, const MeatCutTestRange& range) override
    {
        calls.push_back("meat report " + std::to_string(range.store) + Open());
        return true;
    }
    void RunAdjustProdData(CVrn3Doc&, ProdAdjust totals) override
    {
        calls.push_back("adjust " + std::to_string(static_cast<int>(totals)) + Open());
    }

    std::map<ProdLoad, MessageId> results;
    std::optional<ProdLoad> throwAt;
    std::string cancelChoiceOf = "none";
    MessageId clearResult = 0;
    MessageId meatLoadResult = 0;
    bool hasMeatData = true;
    std::optional<MeatCutTestRange> meatRange = MeatCutTestRange{1.0, 2.0, 7};
    std::vector<std::string> calls;

private:
    std::string Open() const { return m_document->GetProdDatabase().IsOpen() ? " (open)" : " (closed)"; }
    CVrn3Doc*& m_document;
};

std::vector<std::string> SevenLoadsThen(std::vector<std::string> after, std::size_t loads = 7)
{
    std::vector<std::string> calls{"choose -"};
    for (std::size_t step = 0; step < loads; ++step) calls.push_back("load " + std::to_string(step) + " (open)");
    calls.insert(calls.end(), after.begin(), after.end());
    return calls;
}

class ProductionCommands : public DocumentTest {
protected:
    ProductionCommands()
    {
        WriteWholeFile(dir.File("Shop.pld"), PldImage(327, {}));
        EXPECT_TRUE(doc->OpenDatabase(dir.File("Shop.pld")));
        document = doc.get();
    }

    static std::unique_ptr<CMasterScale> Department(const std::string& name, const std::string& database)
    {
        auto department = std::make_unique<CMasterScale>();
        department->m_name = name;
        department->m_database = database;
        department->m_scales.push_back(std::make_unique<CScaleDef>(1, 2));
        return department;
    }

    CVrn3Doc* document = nullptr;
    RecordingProduction production{document};
};

TEST_F(ProductionCommands, LoadReadsTheSevenTotalsInOrderThenClearsTheScalesAndCloses)
{
    EXPECT_EQ(LoadAndDeleteProduction(*doc, production, nullptr), 0u);
    EXPECT_EQ(production.calls, SevenLoadsThen({"clear 1 (open)"}));
    EXPECT_FALSE(doc->GetProdDatabase().IsOpen());
    EXPECT_TRUE(std::filesystem::exists(dir.File("ShopProd.pld")));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(ProductionCommands, TheScalesAreClearedOnlyWhenEveryLoadReadOrFoundItsLinkClosed)
{
    struct Case {
        const char* what;
        std::map<ProdLoad, MessageId> results;
        bool keepTotals;
        bool cleared;
        std::vector<MessageId> shown;
    };
    const Case cases[] = {
        {"all read", {}, false, true, {}},
        {"a link closed", {{ProdLoad::Hourly, kMsgProdCannotOpenLink}}, false, true, {kMsgProdCannotOpenLink}},
        {"no links enabled", {{ProdLoad::Plu, kMsgProdNoLinks}}, false, false, {}},
        {"a load timed out", {{ProdLoad::Rewrap, kTimeout}}, false, false, {kTimeout}},
        {"the last failure is shown", {{ProdLoad::Plu, kTimeout}, {ProdLoad::Batch, kMsgProdCannotOpenLink}}, false,
         false, {kMsgProdCannotOpenLink}},
        {"totals kept on the scales", {}, true, false, {}},
    };
    for (const Case& c : cases) {
        production.calls.clear();
        production.results = c.results;
        prompt.m_ids.clear();
        frame.m_setup.m_keepProductionAfterLoad = c.keepTotals ? 1 : 0;
        (void)LoadAndDeleteProduction(*doc, production, nullptr);
        // Every load runs: the result is the last that failed.
        EXPECT_EQ(production.calls, SevenLoadsThen(c.cleared ? std::vector<std::string>{"clear 1 (open)"}
                                                             : std::vector<std::string>{}))
            << c.what;
        EXPECT_EQ(Shown(), c.shown) << c.what;
        EXPECT_FALSE(doc->GetProdDatabase().IsOpen()) << c.what;
    }
}

TEST_F(ProductionCommands, AFailedClearIsShown)
{
    production.clearResult = kTimeout;
    EXPECT_EQ(LoadAndDeleteProduction(*doc, production, nullptr), kTimeout);
    EXPECT_EQ(Shown(), std::vector<MessageId>{kTimeout});
}

TEST_F(ProductionCommands, ACancelledChoiceOrAProductionFileThatWillNotOpenReadsNothing)
{
    production.cancelChoiceOf = "-";
    EXPECT_EQ(LoadAndDeleteProduction(*doc, production, nullptr), kCancelled);
    EXPECT_EQ(production.calls, std::vector<std::string>{"choose -"});
    EXPECT_FALSE(std::filesystem::exists(dir.File("ShopProd.pld")));

    production.cancelChoiceOf = "none";
    production.calls.clear();
    WriteWholeFile(dir.File("ShopProd.pld"), PldImage(100, {}));  // a version no conversion takes
    EXPECT_EQ(LoadAndDeleteProduction(*doc, production, nullptr), kMsgProdFileOpenError);
    EXPECT_EQ(production.calls, std::vector<std::string>{"choose -"});
    EXPECT_EQ(Shown(), (std::vector<MessageId>{kCancelled, kMsgProdFileOpenError}));
    EXPECT_FALSE(doc->GetProdDatabase().IsOpen());
    EXPECT_EQ(doc->GetProdTable(1), nullptr);
}

TEST_F(ProductionCommands, AStoppedScalesCheckEndsTheLoadQuietlyBeforeAnythingOpens)
{
    const auto meat = Department("Meat", dir.File("Meat.pld"));
    const auto deli = Department("Deli", dir.File("Deli.pld"));
    std::vector<std::string> checked;
    const ProdScalesOnline stop = [&checked](const CMasterScale* department) {
        checked.push_back(department ? department->m_name : "-");
        return false;
    };
    EXPECT_EQ(LoadAndDeleteProduction(*doc, production, nullptr, stop), kCancelled);
    EXPECT_EQ(LoadAndDeleteAllDepartments(*doc, production, {meat.get(), deli.get()}, stop), kCancelled);
    EXPECT_EQ(checked, (std::vector<std::string>{"-", "Meat"}));
    EXPECT_EQ(production.calls, (std::vector<std::string>{"choose -", "choose Meat"}));
    EXPECT_TRUE(Shown().empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("ShopProd.pld")));
}

TEST_F(ProductionCommands, WithoutAnOpenDatabaseNoProductionFileIsMadeInTheWorkingDirectory)
{
    doc->CloseDatabase();
    EXPECT_EQ(LoadAndDeleteProduction(*doc, production, nullptr), kMsgProdFileOpenError);
    EXPECT_FALSE(std::filesystem::exists("Prod.pld"));
}

TEST_F(ProductionCommands, TheDatabaseClosesWhenAnyLoadThrows)
{
    for (const ProdLoad step : kProdLoadOrder) {
        production.throwAt = step;
        EXPECT_THROW((void)LoadAndDeleteProduction(*doc, production, nullptr), std::runtime_error);
        EXPECT_FALSE(doc->GetProdDatabase().IsOpen()) << static_cast<int>(step);
        EXPECT_EQ(doc->GetProdTable(1), nullptr);
    }
}

TEST_F(ProductionCommands, AllDepartmentsUseEachDepartmentsScalesAndProductionFile)
{
    const auto meat = Department("Meat", dir.File("Meat.pld"));
    const auto deli = Department("Deli", "");  // no file of its own: the open database's
    production.results = {{ProdLoad::Hourly, kTimeout}};
    const MessageId result = LoadAndDeleteAllDepartments(*doc, production, {meat.get(), deli.get()});
    EXPECT_EQ(result, kTimeout);
    // A failed step ends that department's chain, without the clear, and the next one runs.
    const std::vector<std::string> chain = {"load 0 (open)", "load 1 (open)"};
    std::vector<std::string> expected{"choose Meat"};
    expected.insert(expected.end(), chain.begin(), chain.end());
    expected.emplace_back("choose Deli");
    expected.insert(expected.end(), chain.begin(), chain.end());
    EXPECT_EQ(production.calls, expected);
    EXPECT_EQ(Shown(), (std::vector<MessageId>{kTimeout, kTimeout}));
    EXPECT_TRUE(std::filesystem::exists(dir.File("MeatProd.pld")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("ShopProd.pld")));
    EXPECT_FALSE(doc->GetProdDatabase().IsOpen());
}

TEST_F(ProductionCommands, AllDepartmentsStopAtACancelledChoiceOrAFileThatWillNotOpen)
{
    const auto meat = Department("Meat", dir.File("Meat.pld"));
    const auto deli = Department("Deli", dir.File("Deli.pld"));
    const auto fish = Department("Fish", dir.File("Fish.pld"));

    production.cancelChoiceOf = "Deli";
    EXPECT_EQ(LoadAndDeleteAllDepartments(*doc, production, {meat.get(), deli.get(), fish.get()}), kCancelled);
    EXPECT_EQ(production.calls.back(), "choose Deli");

    production.cancelChoiceOf = "none";
    production.calls.clear();
    WriteWholeFile(dir.File("DeliProd.pld"), PldImage(100, {}));  // a version no conversion takes
    EXPECT_EQ(LoadAndDeleteAllDepartments(*doc, production, {meat.get(), deli.get(), fish.get()}),
              kMsgProdFileOpenError);
    EXPECT_EQ(production.calls.back(), "choose Deli");
    EXPECT_EQ(Shown(), (std::vector<MessageId>{kCancelled, kMsgProdFileOpenError}));
    EXPECT_FALSE(doc->GetProdDatabase().IsOpen());
}

TEST_F(ProductionCommands, DeletesOnTheScalesAndOnThePcAskFirst)
{
    const auto meat = Department("Meat", "");
    prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(DeleteScaleProduction(*doc, production, meat.get(), host.GetLinks()), kCancelled);
    EXPECT_TRUE(production.calls.empty());
    production.clearResult = kTimeout;
    EXPECT_EQ(DeleteScaleProduction(*doc, production, meat.get(), host.GetLinks()), kTimeout);
    EXPECT_EQ(production.calls, std::vector<std::string>{"clear 1 (closed)"});

    WriteWholeFile(dir.File("ShopProd.pld"), PldImage(354, {{1, 9, "totals"}}));
    prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(DeletePcProduction(*doc), kCancelled);
    ASSERT_TRUE(doc->OpenProdDatabase());
    EXPECT_EQ(doc->GetProdTable(1)->GetRecordCount(), 1u);
    (void)doc->CloseProdDatabase();
    EXPECT_EQ(DeletePcProduction(*doc), 0u);
    ASSERT_TRUE(doc->OpenProdDatabase());
    EXPECT_EQ(doc->GetProdTable(1)->GetRecordCount(), 0u);
    EXPECT_EQ(Shown(), (std::vector<MessageId>{kMsgAskClearScaleProduction, kMsgAskClearScaleProduction, kTimeout,
                                               kMsgAskClearPcProduction, kMsgAskClearPcProduction}));
}

TEST_F(ProductionCommands, TheMeatCutTestReportRunsOnTheOpenProductionDatabase)
{
    EXPECT_EQ(RunMeatCutTest(*doc, production), 0u);
    EXPECT_EQ(production.calls,
              (std::vector<std::string>{"has meat (open)", "meat dialog (open)", "meat report 7 (open)"}));
    EXPECT_FALSE(doc->GetProdDatabase().IsOpen());

    production.calls.clear();
    production.meatRange.reset();  // the dialog cancelled
    EXPECT_EQ(RunMeatCutTest(*doc, production), 0u);
    EXPECT_EQ(production.calls, (std::vector<std::string>{"has meat (open)", "meat dialog (open)"}));

    production.hasMeatData = false;
    EXPECT_EQ(RunMeatCutTest(*doc, production), kMsgNoMeatTestData);
    EXPECT_EQ(Shown(), std::vector<MessageId>{kMsgNoMeatTestData});
    EXPECT_FALSE(doc->GetProdDatabase().IsOpen());
}

TEST_F(ProductionCommands, AdjustingAndTheMeatCutTestNeedTheProductionFile)
{
    EXPECT_EQ(AdjustProduction(*doc, production, ProdAdjust::Rewrap), 0u);
    EXPECT_EQ(production.calls, std::vector<std::string>{"adjust 2 (open)"});
    EXPECT_FALSE(doc->GetProdDatabase().IsOpen());

    production.calls.clear();
    WriteWholeFile(dir.File("ShopProd.pld"), PldImage(100, {}));
    EXPECT_EQ(AdjustProduction(*doc, production, ProdAdjust::Batch), CVrn3Doc::kMsgProdFileError);
    EXPECT_EQ(RunMeatCutTest(*doc, production), CVrn3Doc::kMsgProdFileError);
    EXPECT_TRUE(production.calls.empty());
    EXPECT_EQ(Shown(), (std::vector<MessageId>{CVrn3Doc::kMsgProdFileError, CVrn3Doc::kMsgProdFileError}));
}

TEST_F(ProductionCommands, AFailedMeatTestLoadIsShown)
{
    production.meatLoadResult = kMsgProdNoLinks;
    EXPECT_EQ(LoadMeatTest(*doc, production), 0u);
    production.meatLoadResult = kTimeout;
    EXPECT_EQ(LoadMeatTest(*doc, production), kTimeout);
    EXPECT_EQ(Shown(), std::vector<MessageId>{kTimeout});
}

}  // namespace
}  // namespace varnel::test
