// "Communication Links" and the link setup dialogs behind it, run by a scripted user: new link numbers,
// the links a new scale makes, the limit of 999 links, the address check, deleting from departments,
// the block link's models, the scale list of a link, the filters and the busy wait.
#include "ScriptedCommsDialogs.h"
#include "comms/idenq/DataRangeFilterForm.h"
#include "comms/idenq/IdEnqComLink.h"
#include "comms/idenq/IdEnqSocketLink.h"
#include "comms/idenq/LinkSettingsForm.h"
#include "comms/idenq/ScaleSetupForm.h"
#include "comms/manager/CommLinksForm.h"
#include "comms/manager/CommsBusyForm.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/manager/NewScaleForm.h"
#include "comms/sorrel/SorrelSocketLink.h"
#include "settings/AppEventLog.h"
#include "settings/MasterScale.h"
#include "settings/MasterScaleList.h"
#include "settings/PriceZone.h"
#include "support/FakeClock.h"
#include "support/RecordingPrompt.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

std::unique_ptr<CIdEnqLink> SocketLink(std::uint16_t linkNo, std::array<std::uint16_t, 4> address,
                                       std::vector<std::uint16_t> scaleNos = {})
{
    auto link = std::make_unique<CIdEnqSocketLink>();
    link->m_linkId = linkNo;
    link->m_name = "Link " + std::to_string(linkNo);
    link->m_address = address;
    for (const std::uint16_t scaleNo : scaleNos) {
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleNo = scaleNo;
        scale->m_name = "Scale " + std::to_string(scaleNo);
        link->m_scales.push_back(std::move(scale));
    }
    return link;
}

class LinkSetup : public ::testing::Test {
protected:
    void SetUp() override
    {
        context.setup = &frame.m_setup;
        context.priceZones = &zones;
        context.departments = &departments;
        context.scaleDataDirectory = "/srv/scales";
        zones.SetZone(3, "Harbour St");
    }

    TestMainFrame frame;
    RecordingPrompt prompt;
    ScriptedCommsDialogs dialogs;
    CPriceZoneList zones;
    CMasterScaleList departments;
    LinkSetupContext context;
    CIdEnqLinkList links;
};

TEST_F(LinkSetup, ANewLinkIsNumberedAfterTheLargestInUse)
{
    EXPECT_EQ(CommLinksForm::NextLinkNumber(links), 1u);
    for (const std::uint16_t linkNo : {1, 2, 5}) links.Add(SocketLink(linkNo, {10, 0, 0, linkNo}));
    EXPECT_EQ(CommLinksForm::NextLinkNumber(links), 6u);
    links.Add(SocketLink(65535, {10, 0, 1, 1}));
    EXPECT_EQ(CommLinksForm::NextLinkNumber(links), 3u);
}

TEST_F(LinkSetup, With999LinksAddShowsTheLimitAndAddsNothing)
{
    for (std::uint16_t linkNo = 1; linkNo <= 999; ++linkNo) links.Add(SocketLink(linkNo, {}));
    bool asked = false;
    dialogs.newScale = [&](NewScaleForm&) { return asked = true; };
    CommLinksForm form(links, context);
    EXPECT_FALSE(form.Add());
    EXPECT_FALSE(asked);
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{CommLinksForm::kMsgTooManyLinks});
    EXPECT_EQ(links.GetLinks().size(), 999u);
    EXPECT_FALSE(form.IsChanged());
    EXPECT_EQ(form.GetCloseText(), "Cancel");
}

TEST_F(LinkSetup, EachKindOfNewScaleMakesItsLink)
{
    struct Case {
        std::uint16_t defaultFamily;
        NewScaleForm::Kind preselected;
        NewScaleForm::Kind chosen;
        std::string name;
        std::uint16_t family;
        std::uint16_t port;
    };
    const Case cases[] = {
        {1, NewScaleForm::Kind::HbkuSerial, NewScaleForm::Kind::HbkuSerial, "HBKU (COM3)", 1, 0},
        {4, NewScaleForm::Kind::MasterTcp, NewScaleForm::Kind::MasterSerial, "Master Scale (COM3)", 4, 0},
        {2, NewScaleForm::Kind::MasterTcp, NewScaleForm::Kind::MasterTcp, "10.1.2.3", 2, 3001},
        {11, NewScaleForm::Kind::NetworkTcp, NewScaleForm::Kind::NetworkTcp, "10.1.2.3", 11, 6051},
        {0, NewScaleForm::Kind::MasterTcp, NewScaleForm::Kind::NetworkTcp, "10.1.2.3", 10, 4031},
    };
    for (const Case& c : cases) {
        frame.m_setup.m_defaultScaleFamily = c.defaultFamily;
        CommLinksForm form(links, context);
        NewScaleForm choice(c.defaultFamily);
        EXPECT_EQ(choice.GetKind(), c.preselected);
        choice.SetKind(c.chosen);
        choice.AddressOf(c.chosen) = {10, 1, 2, 3};
        choice.PortOf(c.chosen) = "COM3";
        const std::unique_ptr<CIdEnqLink> link = form.MakeLink(choice, 7);
        EXPECT_EQ(link->m_name, c.name);
        EXPECT_EQ(link->m_logFile, "/srv/scales/" + c.name + ".txt");
        EXPECT_TRUE(link->m_enabled && link->m_logging);
        EXPECT_EQ(link->GetPort(), c.port);
        ASSERT_EQ(link->m_scales.size(), 1u) << c.name;
        EXPECT_EQ(link->m_scales[0]->m_scaleNo, 7u);
        EXPECT_EQ(link->m_scales[0]->m_scaleType, c.family) << c.name;
        EXPECT_EQ(link->m_scales[0]->m_name, c.name);
    }
    // A link that carries a list of scales starts without one, unless it is a block link.
    frame.m_setup.m_daisyChainedComms = 1;
    CommLinksForm form(links, context);
    NewScaleForm choice(0);
    EXPECT_TRUE(form.MakeLink(choice, 1)->m_scales.empty());
    choice.SetKind(NewScaleForm::Kind::NetworkTcp);
    EXPECT_EQ(form.MakeLink(choice, 1)->m_scales.size(), 1u);
}

TEST_F(LinkSetup, AddRunsTheNewLinksSettingsAndAnAddressInUseKeepsThemOpen)
{
    links.Add(SocketLink(1, {10, 1, 2, 3}, {1}));
    dialogs.newScale = [](NewScaleForm& form) {
        form.SetKind(NewScaleForm::Kind::MasterTcp);
        form.AddressOf(NewScaleForm::Kind::MasterTcp) = {10, 1, 2, 3};
        return true;
    };
    int runs = 0;
    dialogs.linkSettings = [&](LinkSettingsForm& form) {
        ++runs;
        EXPECT_EQ(form.GetShape(), LinkSettingsForm::Shape::Tcp);
        EXPECT_FALSE(form.Accept());  // the first link's address: the dialog stays up
        EXPECT_TRUE(form.SetNumber(LinkSettingsForm::Number::Octet4, "4"));
        EXPECT_TRUE(form.Accept());
        return true;
    };
    CommLinksForm form(links, context);
    ASSERT_TRUE(form.Add());
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{LinkSettingsForm::kMsgDuplicateAddress});
    ASSERT_EQ(links.GetLinks().size(), 2u);
    const CIdEnqLink& added = *links.GetLinks()[1];
    EXPECT_EQ(added.m_linkId, 2u);
    EXPECT_EQ(*added.GetIpAddress(), (std::array<std::uint16_t, 4>{10, 1, 2, 4}));
    EXPECT_EQ(form.GetSelection(), 1u);
    EXPECT_TRUE(form.IsChanged());
    EXPECT_EQ(form.GetCloseText(), "Close");

    // Cancel in the settings of a new link adds nothing.
    dialogs.linkSettings = [](LinkSettingsForm&) { return false; };
    EXPECT_FALSE(form.Add());
    EXPECT_EQ(links.GetLinks().size(), 2u);
}

TEST_F(LinkSetup, SettingsAreStoredOnlyWhenTheUserMayChangeTheSetup)
{
    links.Add(SocketLink(1, {10, 1, 2, 3}, {1}));
    dialogs.linkSettings = [](LinkSettingsForm& form) {
        form.Link().name = "Deli";
        return true;
    };
    context.allowSetupChange = [] { return false; };
    ScaleNumberMap numbers;
    EXPECT_FALSE(links.FindLink(1)->EditSettings(context, numbers));
    EXPECT_EQ(links.FindLink(1)->m_name, "Link 1");
    context.allowSetupChange = {};
    EXPECT_TRUE(links.FindLink(1)->EditSettings(context, numbers));
    EXPECT_EQ(links.FindLink(1)->m_name, "Deli");
    EXPECT_EQ(links.FindLink(1)->m_scales[0]->m_name, "Deli");
}

TEST_F(LinkSetup, DeleteAsksAndTakesTheLinkOutOfItsDepartments)
{
    links.Add(SocketLink(1, {10, 1, 2, 3}, {1}));
    links.Add(SocketLink(2, {10, 1, 2, 4}, {2}));
    auto department = std::make_unique<CMasterScale>();
    department->m_scales.push_back(std::make_unique<CScaleDef>(1, 1));
    departments.Add(std::move(department));
    CommLinksForm form(links, context);
    form.Select(0);
    prompt.QueueAnswer(MessageAnswer::Ok);
    prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(form.Delete());
    EXPECT_EQ(links.GetLinks().size(), 2u);
    EXPECT_TRUE(form.Delete());
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{61300, 31533, 61300, 31533}));
    EXPECT_EQ(links.GetLinks().size(), 1u);
    EXPECT_FALSE(departments.IsLinkAssigned(1));
    EXPECT_EQ(form.GetSelection(), 0u);
    context.hasSetupRight = [](std::uint8_t mask) { return mask != 4; };
    EXPECT_FALSE(form.IsDeleteEnabled());
    EXPECT_TRUE(form.IsAddEnabled());
}

TEST_F(LinkSetup, TheBlockLinksModelsSetTheFamilyThePortAndTheBoxes)
{
    CSorrelSocketLink link;
    link.m_linkId = 3;
    auto scale = std::make_unique<CLinkScale>();
    scale->m_scaleNo = 3;
    scale->m_scaleType = 10;
    link.m_scales.push_back(std::move(scale));
    dialogs.linkSettings = [](LinkSettingsForm& form) {
        EXPECT_EQ(form.GetShape(), LinkSettingsForm::Shape::BlockTcp);
        EXPECT_EQ(form.GetScaleTypeIndex(), 3u);
        EXPECT_FALSE(form.ShowsAddOneDay());
        EXPECT_TRUE(form.ShowsTareFormat());  // the USA market
        form.SelectScaleType(2);  // "RUX/PZ4/TARN4"
        EXPECT_EQ(form.Tcp().port, 5041u);
        EXPECT_FALSE(form.IsMessage28Enabled());
        EXPECT_TRUE(form.IsTwoColourEnabled());
        EXPECT_TRUE(form.ShowsAddOneDay());
        form.SelectScaleType(0);
        EXPECT_TRUE(form.IsMessage28Enabled());
        EXPECT_FALSE(form.IsTwoColourEnabled());
        EXPECT_FALSE(form.SetNumber(LinkSettingsForm::Number::RecordsPerBlock, "65536"));
        EXPECT_TRUE(form.SetNumber(LinkSettingsForm::Number::RecordsPerBlock, "250"));
        form.SelectScaleType(std::nullopt);
        return true;
    };
    ScaleNumberMap numbers;
    ASSERT_TRUE(link.EditSettings(context, numbers));
    EXPECT_EQ(link.m_scales[0]->m_scaleType, CLinkScaleSettings::kDefaultFamily);
    EXPECT_EQ(link.m_recordsPerBlock, 250u);
    EXPECT_EQ(link.m_port, 50021u);
    EXPECT_EQ(link.m_eightBitData, 1u);
    frame.m_setup.m_market = MarketAustralia;
    dialogs.linkSettings = [](LinkSettingsForm& form) { return !form.ShowsTareFormat(); };
    EXPECT_TRUE(link.EditSettings(context, numbers));
}

TEST_F(LinkSetup, AScaleListLinkTakesTheLowestFreeScaleNumberAndNeedsAScale)
{
    frame.m_setup.m_daisyChainedComms = 1;
    links.Add(SocketLink(1, {10, 1, 2, 3}, {1, 3}));
    CommLinksForm links1(links, context);  // builds the map of the scale numbers in use
    auto department = std::make_unique<CMasterScale>();
    department->m_scales.push_back(std::make_unique<CScaleDef>(1, 3));
    departments.Add(std::move(department));
    dialogs.scaleSetup = [](ScaleSetupForm& form) {
        EXPECT_EQ(form.Fields().scaleNo, 2u);
        EXPECT_EQ(form.Fields().name, "Scale Id = 2");
        form.SetName("A name that is longer than thirty bytes");
        EXPECT_FALSE(form.SetMachineNo("100"));
        EXPECT_TRUE(form.SetMachineNo("7"));
        return true;
    };
    dialogs.linkSettings = [](LinkSettingsForm& form) {
        EXPECT_EQ(form.GetShape(), LinkSettingsForm::Shape::TcpScales);
        EXPECT_EQ(form.GetScaleRows(), (std::vector<std::string>{"Scale 1", "Scale 3"}));
        EXPECT_TRUE(form.AddScale());
        form.SelectScale(1);
        EXPECT_TRUE(form.DeleteScale());  // scale 3: its department loses it only after OK
        form.SelectScale(0);
        EXPECT_TRUE(form.DeleteScale());
        EXPECT_TRUE(form.Accept());
        form.SelectScale(0);
        EXPECT_TRUE(form.DeleteScale());
        EXPECT_FALSE(form.Accept());
        return false;
    };
    ScaleNumberMap numbers{false, true, false, true};
    EXPECT_FALSE(links.FindLink(1)->EditScales(context, numbers));
    EXPECT_EQ(links.FindLink(1)->m_scales.size(), 2u);
    EXPECT_TRUE(departments.IsScaleAssigned(3));
    EXPECT_EQ(prompt.m_ids.back(), LinkSettingsForm::kMsgAtLeastOneScale);

    dialogs.linkSettings = [](LinkSettingsForm& form) {
        EXPECT_TRUE(form.AddScale());
        form.SelectScale(1);
        EXPECT_TRUE(form.DeleteScale());
        return form.Accept();
    };
    numbers = {false, true, false, true};
    ASSERT_TRUE(links.FindLink(1)->EditScales(context, numbers));
    const auto& stored = links.FindLink(1)->m_scales;
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1]->m_scaleNo, 2u);
    EXPECT_EQ(stored[1]->m_name, "A name that is longer than thi");
    EXPECT_EQ(stored[1]->m_machineNo, 7u);
    EXPECT_FALSE(departments.IsScaleAssigned(3));
}

TEST_F(LinkSetup, AFilterEnteredBackwardsIsStoredInOrderAndNeedsAType)
{
    CLinkFilter filter;
    DataRangeFilterForm form(nullptr, filter, true);
    EXPECT_FALSE(form.CanApply());
    ASSERT_EQ(form.GetTypes().size(), 1u);
    EXPECT_EQ(form.GetTypes()[0].caption, "Dept. and Group Code");
    form.SelectType(0);
    EXPECT_TRUE(form.ShowsDeptGroupNote());
    EXPECT_TRUE(form.SetFrom("50"));
    EXPECT_TRUE(form.SetTo("10"));
    EXPECT_FALSE(form.SetTo("100000000"));
    const CLinkFilter& stored = form.Apply();
    EXPECT_EQ(stored.m_from, 10u);
    EXPECT_EQ(stored.m_to, 50u);
    EXPECT_EQ(stored.m_kind, CLinkFilter::kDeptGroupKind);
}

TEST_F(LinkSetup, TheBusyWaitEndsOnceTheLinksAreIdle)
{
    CommsBusyForm form(links);
    form.OnTimer();
    EXPECT_EQ(form.GetOutcome(), true);
    EXPECT_EQ(form.GetSecondsWaited(), 1u);
    EXPECT_EQ(links.WaitWithBusyDialog(nullptr), 0u);
    CommsBusyForm cancelled(links);
    cancelled.OnCancel();
    cancelled.OnTimer();
    EXPECT_EQ(cancelled.GetOutcome(), false);
}

}  // namespace
}  // namespace varnel::test
