// The Communication Center over the real link manager and scales on loopback TCP: the status list,
// the offered kinds, sends and deletes with their checks, receive, link tests, enabling, Cancel
// Comms and continue mode.
#include "CenterSite.h"
#include "FakeCenterHost.h"
#include "ScriptedCommsDialogs.h"
#include "comms/center/CommCenterForm.h"
#include "db/site/GeneralSetup.h"
#include "settings/AppEventLog.h"
#include "settings/MasterScale.h"

#include <tuple>

namespace varnel::test {
namespace {

using Job = std::tuple<std::uint32_t, std::uint16_t, std::uint32_t, std::uint32_t>;

std::vector<std::vector<Job>> JobsOf(const std::vector<SendRequests>& sends)
{
    std::vector<std::vector<Job>> all;
    for (const SendRequests& jobs : sends) {
        all.emplace_back();
        for (const CSendDataLog& job : jobs) all.back().emplace_back(job.m_kind, job.m_tableId, job.m_rangeStart, job.m_rangeEnd);
    }
    return all;
}

class CommCenter : public CenterSite {
protected:
    void SetUp() override
    {
        CenterSite::SetUp();
        host.document = &document;
        host.kinds.kinds.set(kTable).set(61);
        AddScaleLink(0, 1, 11);
        AddDeadLink(2, 21);
        Start();
        prompt.m_ids.clear();
    }
    // Runs the operation under way to its end on this thread.
    ::testing::AssertionResult Finish(CommCenterForm& form)
    {
        return DispatchUntil([&] { form.Dispatch(); },
                             [&] { return form.GetOperation() == CommCenterForm::Operation::Idle; });
    }
    void ChooseKind(CommCenterForm& form, std::uint16_t kind)
    {
        for (std::size_t i = 0; i < form.GetKindChoices().size(); ++i)
            if (form.GetKindChoices()[i].kind == kind) form.ChooseKind(i);
        ASSERT_EQ(form.GetKind(), kind);
    }

    FakeHost host;
};

TEST_F(CommCenter, TheStatusListShowsEveryScaleWithItsState)
{
    CommCenterForm form(links, host);
    ASSERT_EQ(form.GetRows().size(), 2u);
    EXPECT_EQ(form.GetRows()[0].scale, "Scale 11");
    EXPECT_EQ(form.GetRows()[0].model, "TR-5300");
    EXPECT_EQ(form.GetRows()[0].enabled, "Yes");
    EXPECT_EQ(form.GetRows()[0].status, "Connected");
    EXPECT_EQ(form.GetRows()[0].dataWaiting, "No");
    EXPECT_EQ(form.GetRows()[1].status, "Not Connected");
    EXPECT_EQ(form.GetScaleChoices(), (std::vector<std::string>{"All Scales", "Scale 11", "Scale 21"}));
    EXPECT_EQ(form.GetStatusText(), "Idle");
    EXPECT_EQ(form.GetTimerInterval(), CommCenterForm::kIdleInterval);

    links.FindScale(21)->m_enabled = false;
    form.RefreshStatus();
    EXPECT_EQ(form.GetRows()[1].enabled, "No");
    EXPECT_EQ(form.GetRows()[1].status, "");
    form.SelectRow(1);
    EXPECT_FALSE(form.IsTestLinkEnabled());
    EXPECT_TRUE(form.IsTestAllEnabled());
}

TEST_F(CommCenter, TheKindComboOffersTheKindsInUseByTheirNames)
{
    host.kinds.ausNzNutrition = true;
    CommCenterForm form(links, host);
    std::vector<std::string> names;
    for (const auto& choice : form.GetKindChoices()) names.push_back(choice.name);
    EXPECT_EQ(names, (std::vector<std::string>{"PLUs/Ingedients/Nutrition", "Extra Message", "Coupon", "Operators"}));
    EXPECT_EQ(form.GetKindChoice(), 0u);
}

TEST_F(CommCenter, ASendToAllScalesEndsWhenBothLinksReportedAndShowsTheFirstError)
{
    CommCenterForm form(links, host);
    ChooseKind(form, kTable);
    form.SetFromText("1");
    form.SetToText("3");
    ASSERT_TRUE(form.IsEnabled(CommControl::Send));
    form.Send();
    EXPECT_EQ(form.GetOperation(), CommCenterForm::Operation::Sending);
    EXPECT_EQ(form.GetTimerInterval(), CommCenterForm::kBusyInterval);
    EXPECT_FALSE(form.IsEnabled(CommControl::Send));
    EXPECT_TRUE(form.IsCancelCommsEnabled());
    ASSERT_TRUE(Finish(form));
    const std::vector<std::vector<Job>> sent{{Job{SendRecords, kTable, 1, 3}}};
    EXPECT_EQ(JobsOf(host.prepared), sent);
    EXPECT_EQ(scales[0]->Sim().Packets(1).size(), 3u);
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{CIdEnqLink::kMsgCannotOpen, CommCenterForm::kMsgSendErrors}));
    EXPECT_EQ(form.GetStatusText(), "Scale operation unsuccessful");
    EXPECT_EQ(form.GetRows()[1].dataWaiting, "Yes");  // the dead link keeps the job
}

TEST_F(CommCenter, ASendToOneScaleCompletesOk)
{
    CommCenterForm form(links, host);
    ChooseKind(form, kTable);
    form.ChooseScale(1);
    form.SetToText("2");
    form.Send();
    ASSERT_TRUE(Finish(form));
    EXPECT_TRUE(prompt.m_ids.empty());
    EXPECT_EQ(form.GetStatusText(), "Scale operation completed OK");
    EXPECT_EQ(scales[0]->Sim().Packets(1).size(), 2u);
}

TEST_F(CommCenter, BadRangesShowTheirMessageAndStartNothing)
{
    CommCenterForm form(links, host);
    ChooseKind(form, kTable);
    form.SetFromText("abc");
    form.Send();
    ChooseKind(form, 61);
    form.SetFromText("100");
    form.SetToText("120");
    form.Send();
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{CommCenterForm::kMsgInvalidValue, CommCenterForm::kMsgInvalidRange}));
    EXPECT_EQ(form.GetOperation(), CommCenterForm::Operation::Idle);
    EXPECT_TRUE(host.prepared.empty());
}

TEST_F(CommCenter, DeleteAllSendsTheRange0To0AndLeavesTheEditsAsTheyWere)
{
    CommCenterForm form(links, host);
    ChooseKind(form, kTable);
    form.ChooseScale(1);
    form.SetFromText("5");
    form.SetToText("9");
    form.DeleteAll();
    ASSERT_TRUE(Finish(form));
    const std::vector<std::vector<Job>> deleted{{Job{SendKeyDeletes, kTable, 0, 0}}};
    EXPECT_EQ(JobsOf(host.prepared), deleted);
    EXPECT_EQ(form.GetFromText(), "5");
    EXPECT_EQ(form.GetToText(), "9");

    // Declining the question starts nothing.
    prompt.QueueAnswer(MessageAnswer::Cancel);
    form.DeleteRange();
    EXPECT_EQ(host.prepared.size(), 1u);
}

TEST_F(CommCenter, AReceiveNeedsOneScaleThatSendsTheKindAndHandsItsPacketsToTheDocument)
{
    CommCenterForm form(links, host);
    ChooseKind(form, 2);
    EXPECT_FALSE(form.IsEnabled(CommControl::Receive));
    form.Receive();
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{CommCenterForm::kMsgNotSupported});
    form.ChooseScale(1);
    ASSERT_TRUE(form.IsEnabled(CommControl::Receive));
    host.importErrors = true;  // cleared before the receive
    document.m_receivedRecordMode = 0;
    scales[0]->Sim().SetReply(ToBytes("50000000"), {ToBytes("plu 1"), ToBytes("plu 2")});
    form.Receive();
    ASSERT_TRUE(Finish(form));
    ASSERT_EQ(document.m_stored.size(), 2u);
    EXPECT_EQ(document.m_stored[1].packet, ToBytes("plu 2"));
    EXPECT_EQ(document.m_receivedRecordMode, 1);
    EXPECT_EQ(document.m_viewUpdates, 1);
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{CommCenterForm::kMsgNotSupported});
}

TEST_F(CommCenter, CancelCommsEndsTheOperationAndNothingTheLinksPostLaterReachesIt)
{
    scales[0]->Sim().SetFaults([](ScaleFaults& faults) { faults.offline = true; });
    CommCenterForm form(links, host);
    ChooseKind(form, kTable);
    form.ChooseScale(1);
    form.SetToText("3");
    form.Send();
    form.CancelComms();
    EXPECT_EQ(form.GetOperation(), CommCenterForm::Operation::Idle);
    EXPECT_EQ(form.GetStatusText(), "Data transfer cancelled by user.");
    ASSERT_TRUE(WaitUntilIdle(links));
    form.Dispatch();
    EXPECT_EQ(form.GetStatusText(), "Data transfer cancelled by user.");
    EXPECT_TRUE(prompt.m_ids.empty());
    EXPECT_FALSE(links.IsDataWaiting(nullptr));
}

// The window's thread refreshes and dispatches while both links work and report, the user cancels and
// the window goes before the links end: run under ThreadSanitizer too.
TEST_F(CommCenter, TheWindowsThreadRacesNothingWhileLinksReportAndTheUserCancels)
{
    {
        CommCenterForm form(links, host);
        ChooseKind(form, kTable);
        form.SetToText("3");
        form.Send();
        for (int tick = 0; tick < 50 && form.GetOperation() != CommCenterForm::Operation::Idle; ++tick) {
            form.OnTimer();
            form.Dispatch();
        }
        form.CancelComms();
        EXPECT_EQ(form.GetOperation(), CommCenterForm::Operation::Idle);
        // A send while a link still ends the cancelled one waits in Comms Busy, which ticks on the
        // fake clock nobody moves here: let the links end first.
        ASSERT_TRUE(WaitUntilIdle(links));
        form.Send();
        form.OnTimer();
    }
    ASSERT_TRUE(WaitUntilIdle(links));
}

TEST_F(CommCenter, EnableDisableTurnsTheScaleAndItsOneScaleLinkOffAndBackOnWithATest)
{
    CommCenterForm form(links, host);
    form.SelectRow(0);
    form.EnableDisable();
    EXPECT_FALSE(links.FindScale(11)->m_enabled);
    EXPECT_FALSE(links.FindLink(1)->m_enabled);
    EXPECT_EQ(form.GetRows()[0].enabled, "No");
    form.EnableDisable();
    EXPECT_TRUE(links.FindLink(1)->m_enabled);
    EXPECT_EQ(form.GetOperation(), CommCenterForm::Operation::Testing);
    ASSERT_TRUE(Finish(form));
    EXPECT_EQ(form.GetRows()[0].status, "Connected");

    form.DisableAllLinks();
    EXPECT_FALSE(links.FindLink(2)->m_enabled);
    host.restricted = true;
    EXPECT_FALSE(form.IsEnableDisableEnabled());
    EXPECT_FALSE(form.IsEnableAllEnabled());
}

TEST_F(CommCenter, InContinueModeATestThatFindsEveryScaleOnLineClosesTheDialog)
{
    CMasterScale department;
    department.m_name = "Deli";
    department.m_scales.push_back(std::make_unique<CScaleDef>(1, 11));
    CommCenterForm form(links, host, &department);
    EXPECT_TRUE(form.IsContinueMode());
    EXPECT_FALSE(form.IsEnabled(CommControl::Close));
    EXPECT_FALSE(form.IsTestLinkEnabled());
    form.ChooseTab(CommCenterForm::Tab::SendReceive);
    EXPECT_EQ(form.GetTab(), CommCenterForm::Tab::Status);
    form.TestAllLinks();
    ASSERT_TRUE(Finish(form));
    EXPECT_EQ(form.GetOutcome(), true);

    CommCenterForm again(links, host, &department);
    again.Continue();
    EXPECT_EQ(again.GetOutcome(), true);
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(host.events[0].second, "Continue pressed. Load and delete production data from scales continues.");
}

TEST_F(CommCenter, SelectWritesThePickedRecordIntoItsEdit)
{
    CommCenterForm form(links, host);
    ChooseKind(form, 61);
    EXPECT_TRUE(form.IsSelectEnabled());
    host.pick = 42;
    form.SetToText("7");
    form.SelectRecord(false);
    EXPECT_EQ(form.GetToText(), "42");
    EXPECT_EQ(host.picked, (std::vector<std::pair<std::uint16_t, std::uint32_t>>{{61, 7}}));
}

}  // namespace
}  // namespace varnel::test
