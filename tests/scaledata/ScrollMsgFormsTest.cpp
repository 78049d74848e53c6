// "Edit Advertising Messages" and its two editors without windows: the nine entries, the editor each
// site gets, what OK stores, queues and logs, the full-width check, hours and deletions.
#include "MessageListFixture.h"

#include "scaledata/EditScrollMsgsForm.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

using namespace scroll_columns;
using namespace std::string_literals;

constexpr std::uint16_t kTable = CScrollMsgTb::kTableNo;

class ScrollMsgFormsTest : public MessageListFixture {
protected:
    CScrollMsgTb& Messages() { return TableOf<CScrollMsgTb>(kTable); }
    void AddMessage(std::uint32_t number, std::string_view text, std::uint16_t isScroll = 1)
    {
        auto* row = dynamic_cast<CScrollMsgRec*>(Messages().GetOrAddRecord(number, CScrollMsgRec::kSize));
        ASSERT_NE(row, nullptr);
        row->SetText(text);
        row->Set(kIsScroll, isScroll);
    }
    // A list whose editors run the given steps and answer OK (or Cancel when a step says so).
    EditScrollMsgsForm List(std::function<bool(EditScrollMsgForm&)> simple,
                            std::function<bool(EditScrollMsgExForm&)> extended = {})
    {
        return EditScrollMsgsForm(Messages(), std::move(simple), std::move(extended));
    }
};

TEST_F(ScrollMsgFormsTest, TheListShowsNineEntriesCutAt19BytesOrSpare)
{
    AddMessage(1, "Nineteen characters");
    AddMessage(3, "Twenty characters!!!");
    AddMessage(9, "Hi");
    const auto form = List({});
    EXPECT_EQ(form.GetEntries(), (std::vector<std::string>{"Nineteen characters", "Spare", "Twenty characters!!...",
                                                           "Spare", "Spare", "Spare", "Spare", "Spare", "Hi"}));
    EXPECT_EQ(form.GetSelection(), 0);
}

TEST_F(ScrollMsgFormsTest, TheExtendedEditorServesFamilies8To12AndFamilies045InMarket0)
{
    struct Case {
        std::uint16_t family, market;
        bool extended;
    } const cases[] = {{8, 1, true}, {12, 7, true}, {0, 0, true}, {4, 0, true}, {5, 0, true},
                       {0, 1, false}, {1, 0, false}, {2, 0, false}, {6, 0, false}};
    for (const Case& c : cases) {
        m_frame.m_setup.m_defaultScaleFamily = c.family;
        m_frame.m_setup.m_market = c.market;
        EXPECT_EQ(List({}).UsesExtendedEditor(), c.extended) << c.family << " " << c.market;
    }
}

TEST_F(ScrollMsgFormsTest, TheSimpleEditorLaysOutTwoLinesForFamilies2And3AndStoresThemAtColumn20)
{
    m_frame.m_setup.m_defaultScaleFamily = 2;
    m_frame.m_setup.m_market = MarketNewZealand;
    auto form = List([](EditScrollMsgForm& editor) {
        EXPECT_TRUE(editor.IsScrollBoxShown());
        editor.SetScroll(false);
        EXPECT_EQ(editor.GetLayout(), "NNYY");
        EXPECT_EQ(editor.GetFocusEdit(), EditScrollMsgForm::kFirstLine);
        editor.SetEditText(EditScrollMsgForm::kFirstLine, "ABC");
        editor.SetEditText(EditScrollMsgForm::kSecondLine, "DEF");
        editor.OnOK();
        return true;
    });
    form.SetSelection(1);
    form.OnEdit();
    const CScrollMsgRec* row = Messages().FindMessage(2);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetText(), "ABC" + std::string(16, ' ') + "DEF");
    EXPECT_EQ(row->Get(kIsScroll), 0);
    EXPECT_EQ(form.GetEntries()[1], "ABC" + std::string(16, ' ') + "...");
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 3 2-2"});
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Added Advertising Message No. 2"});

    // Opened again, the text splits into its two lines; scrolling joins them into one edit.
    auto again = List([](EditScrollMsgForm& editor) {
        EXPECT_EQ(editor.GetEditText(EditScrollMsgForm::kFirstLine), "ABC" + std::string(16, ' '));
        EXPECT_EQ(editor.GetEditText(EditScrollMsgForm::kSecondLine), "DEF");
        editor.SetScroll(true);
        EXPECT_EQ(editor.GetLayout(), "YNNN");
        EXPECT_EQ(editor.GetEditText(EditScrollMsgForm::kScrolling), "ABC" + std::string(16, ' ') + "DEF");
        return false;
    });
    again.SetSelection(1);
    again.OnEdit();
    EXPECT_TRUE(TakeRequests().empty());
}

TEST_F(ScrollMsgFormsTest, OtherFamiliesAlwaysScrollAndClearTheDisplaySettings)
{
    m_frame.m_setup.m_defaultScaleFamily = 1;
    AddMessage(4, "OLD", 0);
    auto* row = Messages().FindMessage(4);
    row->Set(kDispMode, 5);
    row->Set(kDispTime, 812);
    auto form = List([](EditScrollMsgForm& editor) {
        EXPECT_FALSE(editor.IsScrollBoxShown());
        EXPECT_EQ(editor.GetLayout(), "YNNN");
        EXPECT_EQ(editor.GetEditText(EditScrollMsgForm::kScrolling), "OLD");
        editor.SetEditText(EditScrollMsgForm::kScrolling, std::string(120, 'N'));
        editor.OnOK();
        return true;
    });
    form.SetSelection(3);
    form.OnEdit();
    EXPECT_EQ(row->GetText(), std::string(96, 'N'));
    EXPECT_EQ(row->Get(kIsScroll), 1);
    EXPECT_EQ(row->Get(kDispMode), 0);
    EXPECT_EQ(row->Get(kDispTime), 0);
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Updated Advertising Message No. 4"});
}

TEST_F(ScrollMsgFormsTest, InChinaAnEnglishTextIsConvertedAndTheEditorOpensAgain)
{
    m_frame.m_setup.m_market = MarketChina;
    m_frame.m_setup.m_defaultScaleFamily = 1;
    std::vector<std::string> opened;
    auto form = List([&opened](EditScrollMsgForm& editor) {
        opened.push_back(editor.GetEditText(EditScrollMsgForm::kScrolling));
        if (opened.size() == 1) editor.SetEditText(EditScrollMsgForm::kScrolling, "A");
        editor.OnOK();
        return true;
    });
    form.OnEdit();
    EXPECT_EQ(opened, (std::vector<std::string>{"", "\xA3\xC1"}));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31488});
    EXPECT_EQ(Messages().FindMessage(1)->GetText(), "\xA3\xC1");

    // Cancelled after the conversion, nothing is stored.
    m_prompt.m_ids.clear();
    int runs = 0;
    auto cancelled = List([&runs](EditScrollMsgForm& editor) {
        editor.SetEditText(EditScrollMsgForm::kScrolling, "B");
        editor.OnOK();
        return ++runs == 1;
    });
    cancelled.SetSelection(1);
    cancelled.OnEdit();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(Messages().FindMessage(2), nullptr);
}

TEST_F(ScrollMsgFormsTest, TheExtendedEditorStoresTheDisplaySettingsAndChecksTheHours)
{
    AddMessage(1, "SALE");
    auto* row = Messages().FindMessage(1);
    row->Set(kDispTime, 2599);
    row->Set(kDispMode, 2);
    AddLinkScale(0);
    auto form = List({}, [this](EditScrollMsgExForm& editor) {
        EXPECT_EQ(editor.GetText(), "SALE");
        EXPECT_EQ(editor.GetStartHourText(), "00");  // 25 is past the last hour
        EXPECT_EQ(editor.GetEndHourText(), "00");
        EXPECT_EQ(editor.GetSettings().mode, 2);
        EXPECT_EQ(editor.GetTextLimit(), 96u);
        EXPECT_FALSE(editor.IsShown(EditScrollMsgExForm::kInverted));
        EXPECT_FALSE(editor.IsEnabled(EditScrollMsgExForm::kSize));
        editor.SetStartHourText("8");
        editor.SetEndHourText("25");
        EXPECT_FALSE(editor.OnOK());
        EXPECT_EQ(editor.GetRefusedFocus(), EditScrollMsgExForm::kEndHour);
        EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61276});
        editor.SetEndHourText(" 22");
        editor.Settings().mode = 4;
        editor.Settings().day = 7;
        editor.Settings().consecutive = true;
        editor.SetText("NEW SALE");
        return editor.OnOK();
    });
    form.OnEdit();
    EXPECT_EQ(row->GetText(), "NEW SALE");
    EXPECT_EQ(row->Get(kDispTime), 822);
    EXPECT_EQ(row->Get(kDispMode), 4);
    EXPECT_EQ(row->Get(kDispDate), 7);
    EXPECT_EQ(row->Get(kConseqMsg), 1);
    EXPECT_EQ(form.GetEntries()[0], "NEW SALE");
}

TEST_F(ScrollMsgFormsTest, TheExtendedEditorFollowsTheScalesOnTheLinks)
{
    m_frame.m_setup.m_defaultScaleFamily = 8;
    AddLinkScale(10);
    EditScrollMsgExForm family10(std::string(100, 'T'), {}, Messages().GetRoles());
    EXPECT_FALSE(family10.IsShown(EditScrollMsgExForm::kConsecutive));
    EXPECT_TRUE(family10.IsShown(EditScrollMsgExForm::kInverted));
    EXPECT_EQ(family10.GetTextLimit(), 93u);
    EXPECT_EQ(family10.GetText().size(), 93u);
    m_frame.m_setup.m_market = MarketNewZealand;
    EXPECT_EQ(EditScrollMsgExForm("", {}, Messages().GetRoles()).GetTextLimit(), 94u);
    EXPECT_FALSE(EditScrollMsgExForm("", {}, Messages().GetRoles()).IsShown(EditScrollMsgExForm::kInverted));

    AddLinkScale(11);
    ScrollSettings flashing;
    flashing.flash = EditScrollMsgExForm::kFlashing;
    EditScrollMsgExForm mixed("", flashing, Messages().GetRoles());
    EXPECT_TRUE(mixed.IsEnabled(EditScrollMsgExForm::kSize));
    EXPECT_TRUE(mixed.IsEnabled(EditScrollMsgExForm::kFlashes));
    EXPECT_TRUE(mixed.IsEnabled(EditScrollMsgExForm::kMode));
    mixed.Settings().flash = 1;
    EXPECT_FALSE(mixed.IsEnabled(EditScrollMsgExForm::kFlashes));

    // Every scale of family 11: the display times are not the scale's, and OK takes no hours.
    m_frame.m_linkScales.clear();
    AddLinkScale(11);
    EditScrollMsgExForm vm("", {}, Messages().GetRoles());
    for (const auto control : {EditScrollMsgExForm::kMode, EditScrollMsgExForm::kDay, EditScrollMsgExForm::kStartHour,
                               EditScrollMsgExForm::kEndHour})
        EXPECT_FALSE(vm.IsEnabled(control)) << control;
    vm.SetStartHourText("x");
    EXPECT_TRUE(vm.OnOK());
    EXPECT_TRUE(m_prompt.m_ids.empty());
}

TEST_F(ScrollMsgFormsTest, DeleteAsksAndKeepsAMessageTheScalesCannotBeToldOf)
{
    AddMessage(5, "GONE");
    auto form = List({});
    form.SetSelection(4);
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    form.OnDelete();
    EXPECT_NE(Messages().FindMessage(5), nullptr);
    m_document.m_sendDataResult = false;
    form.OnDelete();
    EXPECT_NE(Messages().FindMessage(5), nullptr);
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61223, 61223, 61224}));
    EXPECT_EQ(form.GetEntries()[4], "GONE");
    m_document.m_sendDataResult = true;
    TakeRequests();
    form.OnDelete();
    EXPECT_EQ(Messages().FindMessage(5), nullptr);
    EXPECT_EQ(form.GetEntries()[4], "Spare");
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"1 3 5-5"});
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Deleted Advertising Message No. 5"});

    // A spare number asks nothing; without the rights neither Delete nor a change goes through.
    m_prompt.m_ids.clear();
    form.OnDelete();
    EXPECT_TRUE(m_prompt.m_ids.empty());
    LogInRestrictedUser(false);
    EXPECT_FALSE(form.IsDeleteEnabled());
    m_frame.m_setup.m_defaultScaleFamily = 1;
    auto viewer = List([](EditScrollMsgForm& editor) {
        editor.OnOK();
        return true;
    });
    viewer.OnEdit();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61328});
    EXPECT_EQ(Messages().FindMessage(1), nullptr);
}

}  // namespace
}  // namespace varnel::test
