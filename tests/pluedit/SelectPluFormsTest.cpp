// The PLU pickers' models: Select PLU, Select PLUs and Set Field Sequence.
#include "PluListFixture.h"

#include "pluedit/SelectPluForm.h"
#include "pluedit/SelectPluRangeForm.h"
#include "pluedit/SetFieldSequenceForm.h"
#include "support/RecordingPrompt.h"

namespace varnel::test {
namespace {

class SelectPluFormTest : public PluListFixture {
protected:
    std::unique_ptr<SelectPluForm> Opened(std::uint32_t initialPlu)
    {
        auto form = std::make_unique<SelectPluForm>(&Plus(), m_departments, Settings(), initialPlu);
        form->GetPanel().Create(Area(), [](std::string_view text) { return static_cast<int>(text.size()) * 6; }, {});
        form->OnInitDialog();
        return form;
    }
};

TEST_P(SelectPluFormTest, OpensOnTheFirstPluNotBelowTheCallersNumber)
{
    Add({{5}, {9}, {20}});
    for (const auto& [initial, current] : {std::pair{1u, 5u}, std::pair{6u, 9u}, std::pair{20u, 20u}}) {
        const auto form = Opened(initial);
        EXPECT_EQ(form->GetSelectedPluNumber(), current) << initial;
        EXPECT_EQ(form->GetPanel().GetPluNoText(), std::to_string(initial));
    }
}

TEST_P(SelectPluFormTest, ANumberAboveTheMaximumChangesNothing)
{
    Add({{5}, {9}});
    const auto form = Opened(9);
    form->GetPanel().OnPluNoChange("1000000");
    EXPECT_EQ(form->GetSelectedPluNumber(), 9u);
    form->OnOK();
    EXPECT_EQ(form->GetResultPlu(), 1000000);
}

TEST_P(SelectPluFormTest, SelectWithAnEmptyListGivesTheTypedNumberAndNoPlu)
{
    const auto form = Opened(1);
    form->GetPanel().OnPluNoChange("42");
    form->OnOK();
    EXPECT_EQ(form->GetResultPlu(), 42);
    EXPECT_FALSE(form->GetSelectedPluNumber());
}

INSTANTIATE_TEST_SUITE_P(Databases, SelectPluFormTest, ::testing::Values("pld", "mdb"));

TEST(SelectPluRangeFormTest, OkAsksTheCallersQuestionWithTheRange)
{
    RecordingPrompt prompt;
    SelectPluRangeForm form(1, 9, 999999, GetMessageText(16390).data(), "");
    EXPECT_EQ(form.GetFromText(), "1");
    prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(form.OnOK("10", "20"));
    prompt.QueueAnswer(MessageAnswer::Ok);
    EXPECT_TRUE(form.OnOK(" 10", "20 "));
    EXPECT_EQ(prompt.m_texts, (std::vector<std::string>(
                                  2, "Do you wish to delete the specified range of PLUs (PLU 10 to PLU 20)")));
    EXPECT_TRUE(form.HasRange());
    EXPECT_EQ(form.GetFrom(), 10u);
    EXPECT_EQ(form.GetTo(), 20u);
    EXPECT_FALSE(form.IsDeleteAll());
}

TEST(SelectPluRangeFormTest, FromAboveToIsWarnedOfAndEndsWithNoRange)
{
    RecordingPrompt prompt;
    SelectPluRangeForm form(1, 1, 999999, "Delete %ld to %ld?", "");
    prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(form.OnOK("10", "5"));  // Cancel returns to the dialog
    EXPECT_TRUE(form.OnOK("10", "5"));   // OK closes it, with nothing to delete
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{61235, 61235}));
    EXPECT_FALSE(form.HasRange());
    EXPECT_FALSE(form.IsDeleteAll());
}

TEST(SelectPluRangeFormTest, AnEditThatDoesNotReadKeepsTheDialogOpen)
{
    RecordingPrompt prompt;
    SelectPluRangeForm form(3, 4, 999999, "Delete %ld to %ld?", "");
    for (const auto& [from, to] : {std::pair{"", "5"}, std::pair{"1x", "5"}, std::pair{"1", "1000000"}}) {
        EXPECT_FALSE(form.OnOK(from, to)) << from << " " << to;
        EXPECT_EQ(form.GetFrom(), 3u);
        EXPECT_EQ(form.GetTo(), 4u);
    }
    EXPECT_EQ(prompt.m_texts.back(), "Please enter an integer between 0 and 999999.");
    EXPECT_EQ(prompt.m_texts.size(), 3u);  // no question was asked
}

TEST(SelectPluRangeFormTest, DeleteAllAsksFirst)
{
    RecordingPrompt prompt;
    SelectPluRangeForm form(1, 9, 999999, "Delete %ld to %ld?", "Select PLUs to send");
    EXPECT_EQ(form.GetHeading(), "Select PLUs to send");
    prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(form.OnDeleteAll());
    EXPECT_FALSE(form.IsDeleteAll());
    EXPECT_TRUE(form.OnDeleteAll());
    EXPECT_TRUE(form.IsDeleteAll());
    EXPECT_FALSE(form.HasRange());
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{61350, 61350}));
}

TEST(SetFieldSequenceFormTest, UpAndDownMoveTheSelectedFieldWithinTheList)
{
    TestMainFrame frame;
    frame.AddFieldDef(FieldDefMap::Plu, 1005).m_name = "Unit Price";
    frame.AddFieldDef(FieldDefMap::Plu2, 1014).m_name = "Department";
    SetFieldSequenceForm form({1005, 1014, 4242});
    EXPECT_EQ(form.GetNames(), (std::vector<std::string>{"Unit Price", "Department", "Unknown"}));
    EXPECT_EQ(form.GetSelection(), 0u);
    form.OnUp();  // the first field stays first
    EXPECT_EQ(form.GetFields(), (std::vector<std::uint16_t>{1005, 1014, 4242}));
    form.OnDown();
    form.OnDown();
    EXPECT_EQ(form.GetFields(), (std::vector<std::uint16_t>{1014, 4242, 1005}));
    EXPECT_EQ(form.GetSelection(), 2u);
    form.OnDown();  // the last stays last
    EXPECT_EQ(form.GetFields(), (std::vector<std::uint16_t>{1014, 4242, 1005}));
    form.OnUp();
    EXPECT_EQ(form.GetFields(), (std::vector<std::uint16_t>{1014, 1005, 4242}));
    EXPECT_EQ(form.GetSelection(), 1u);
    form.Select(std::nullopt);
    form.OnUp();
    EXPECT_EQ(form.GetFields(), (std::vector<std::uint16_t>{1014, 1005, 4242}));

    SetFieldSequenceForm empty({});
    EXPECT_FALSE(empty.GetSelection());
    empty.OnDown();
    EXPECT_TRUE(empty.GetFields().empty());
}

}  // namespace
}  // namespace varnel::test
