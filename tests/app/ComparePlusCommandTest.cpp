// "Compare PLUs (Scale vs. DB)" against a simulated scale on loopback TCP through the real link
// manager: the same PLUs give 31464 and no list; a difference opens the result list on the scale; the
// list leaves out disabled scales and keeps to the department's.
#include "DocumentFixture.h"
#include "LinkWaits.h"
#include "ScriptedCommsDialogs.h"
#include "SimulatedSite.h"
#include "app/ComparePlusCommand.h"
#include "comms/center/CompareResultForm.h"
#include "comms/center/ScaleCommsForm.h"
#include "db/plu/PluDefTb.h"
#include "golden/PluGolden.h"

namespace varnel::test {
namespace {

class ComparePlusCommand : public DocumentTest {
protected:
    void SetUp() override
    {
        // "Scale Comms" as the scheduler runs it, to its end.
        dialogs.scaleComms = [](ScaleCommsForm& form) {
            form.RunUnseen();
            return true;
        };
        AddGoldenFieldDefs(frame);
        frame.m_setup.m_onlineComms = 1;
        host.GetLinks().Add(scale.MakeLink(1, 11, clock, pinger));
        ASSERT_TRUE(doc->OpenDatabase(dir.File("Shop.pld")));
        doc->GetPluTable()->SetCompanionData(&TheGoldenCompanions());
        for (const std::uint32_t plu : {2, 3}) AddPlu(plu);
        ASSERT_TRUE(WaitUntilIdle(host.GetLinks()));
        // The scale answers a PLU request with what it was sent.
        host.m_runMode = RunMode::Scheduler;
        ASSERT_EQ(doc->SendDataNow(IDocument::kDataType, false, {CSendDataLog(SendRecords, 2, 1, 20)}, nullptr), 0u);
        ASSERT_EQ(scale.Sim().Packets(1).size(), 2u);
        scale.Sim().SetReply(ToBytes("50000000"), scale.Sim().Packets(1));
        host.m_runMode = RunMode::Normal;
        dialogs.compareResult = [this](CompareResultForm& form) {
            shownRows = form.GetRows();
            return true;
        };
    }
    void TearDown() override { (void)host.GetLinks().StopLinks(false); }

    void AddPlu(std::uint32_t plu)
    {
        CPluDefRec row;
        doc->GetPluTable()->InitNewPlu(plu, row);
        row.SetDesc("Item " + std::to_string(plu), doc->GetPluTable()->GetRoles().Text().chars);
        ASSERT_TRUE(doc->SavePluRecord(row, plu, true));
    }

    CompareCommandSite Site() { return {&host.GetLinks(), nullptr, false, true, dir.Path()}; }

    ScriptedPinger pinger;
    SimulatedScale scale{Transport::Tcp, &clock};
    ScriptedCommsDialogs dialogs;
    std::optional<std::vector<CompareResultForm::Row>> shownRows;
};

TEST_F(ComparePlusCommand, TheSamePlusAreToldAndNoListShows)
{
    EXPECT_EQ(ComparePlus(*doc, Site()), 0u);
    EXPECT_EQ(Shown(), std::vector<MessageId>{kMsgSamePlus});
    EXPECT_FALSE(shownRows);
}

TEST_F(ComparePlusCommand, ADifferenceOpensTheListOnTheScale)
{
    ASSERT_TRUE(doc->GetPluTable()->DeleteKey(3));
    EXPECT_EQ(ComparePlus(*doc, Site()), 0u);
    EXPECT_TRUE(Shown().empty());
    ASSERT_TRUE(shownRows);
    ASSERT_EQ(shownRows->size(), 1u);
    const CompareResultForm::Row& row = (*shownRows)[0];
    EXPECT_EQ(std::tie(row.notOnScale, row.notInDatabase, row.different), std::make_tuple(0u, 1u, 0u)) << row.name;
}

TEST_F(ComparePlusCommand, TheListKeepsToEnabledScalesOfTheDepartment)
{
    CIdEnqLinkList& links = host.GetLinks();
    auto second = scale.MakeLink(2, 21, clock, pinger);
    second->m_scales.push_back(std::make_unique<CLinkScale>());
    second->m_scales.back()->m_scaleNo = 22;
    second->m_scales.back()->m_enabled = false;
    links.Add(std::move(second));
    CMasterScale department;
    department.m_scales.push_back(std::make_unique<CScaleDef>(2, 21));
    department.m_scales.push_back(std::make_unique<CScaleDef>(2, 22));

    EXPECT_EQ(CompareResultScales(links, nullptr), (ScaleDefs{CScaleDef(1, 11), CScaleDef(2, 21)}));
    EXPECT_EQ(CompareResultScales(links, &department), ScaleDefs{CScaleDef(2, 21)});
}

}  // namespace
}  // namespace varnel::test
