// The production commands from their actions over a real frame and database: without the production
// subsystem only the PC totals can be deleted; with it a load reads every kind of totals and clears
// the scales unless the general setup keeps the totals there.
#include "app/ui/ProductionCommandWindows.h"

#include "FrameCommandsFixture.h"
#include "app/ProductionCommands.h"
#include "app/ui/MainFrameWindow.h"

namespace varnel {
namespace {

// Reads nothing and records what it was asked to do.
class CountingProduction final : public IProductionServices {
public:
    std::optional<ScaleDefs> ChooseScales(CVrn3Doc&, const CMasterScale*) override { return ScaleDefs{}; }
    MessageId Load(CVrn3Doc&, ProdLoad, const ScaleDefs&) override
    {
        ++loads;
        return 0;
    }
    MessageId ClearScaleTotals(CVrn3Doc&, const ScaleDefs&) override
    {
        ++clears;
        return 0;
    }
    MessageId LoadMeatTestData(CVrn3Doc&) override { return 0; }
    bool HasMeatTestData(CVrn3Doc&) override { return false; }
    std::optional<MeatCutTestRange> RunMeatCutTestDialog(CVrn3Doc&) override { return std::nullopt; }
    bool OpenMeatCutTestReport(CVrn3Doc&, const MeatCutTestRange&) override { return false; }
    void RunAdjustProdData(CVrn3Doc&, ProdAdjust) override { ++adjusts; }

    int loads = 0;
    int clears = 0;
    int adjusts = 0;
};

class ProductionCommandWindowsTest : public test::FrameCommandsFixture {
protected:
    ProductionCommandWindowsTest()
    {
        OpenNewDatabase();
        AddLoopbackBlockScale(1, 21, 10);  // enabled, never started: the commands only need it defined
    }

    bool Enabled(std::uint32_t command)
    {
        m_commands.UpdateActions();
        return m_commands.Action(command)->isEnabled();
    }

    MainFrameWindow window{m_model, m_commands};
    CountingProduction production;
};

TEST_F(ProductionCommandWindowsTest, WithoutTheProductionSubsystemOnlyThePcTotalsCanBeDeleted)
{
    RegisterProductionCommands(m_frame, window, m_document, nullptr);
    for (const std::uint32_t command :
         {Commands::kLoadProduction, Commands::kLoadProductionAllDepts, Commands::kDeleteScaleProduction,
          Commands::kLoadMeatTest, Commands::kMeatCutTestReport, Commands::kAdjustPluProduction,
          Commands::kAdjustRewrapProduction, Commands::kAdjustNextDayProduction, Commands::kAdjustBatchProduction})
        EXPECT_FALSE(Enabled(command)) << command;
    ASSERT_TRUE(Enabled(Commands::kDeletePcProduction));
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    m_commands.Action(Commands::kDeletePcProduction)->trigger();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{kMsgAskClearPcProduction});
}

TEST_F(ProductionCommandWindowsTest, LoadReadsAndClearsUnlessTheSetupKeepsTheTotals)
{
    RegisterProductionCommands(m_frame, window, m_document, &production);
    QAction* load = m_commands.Action(Commands::kLoadProduction);
    ASSERT_TRUE(Enabled(Commands::kLoadProduction));
    load->trigger();
    EXPECT_EQ(production.loads, 7);
    EXPECT_EQ(production.clears, 1);

    m_frame.GeneralSetup().m_keepProductionAfterLoad = 1;
    ASSERT_TRUE(Enabled(Commands::kLoadProduction));
    load->trigger();
    EXPECT_EQ(production.loads, 14);
    EXPECT_EQ(production.clears, 1);

    m_frame.GeneralSetup().m_onlineComms = 0;
    EXPECT_FALSE(Enabled(Commands::kLoadProduction));
    ASSERT_TRUE(Enabled(Commands::kAdjustRewrapProduction));  // needs no scale
    m_commands.Action(Commands::kAdjustRewrapProduction)->trigger();
    EXPECT_EQ(production.adjusts, 1);
    EXPECT_TRUE(m_prompt.m_ids.empty());
}

}  // namespace
}  // namespace varnel
