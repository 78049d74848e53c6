// The PLU edit form's checks of each entry as its control is left: values, times, tares, limits,
// the sales-mode questions, combos and their dependants, the PLU number and the department's group.
#include "PluEditFixture.h"
#include "db/plu/PluFieldAccess.h"
#include "support/DeptCodes.h"

namespace varnel::test {
namespace {

class PluEditCommitTest : public PluEditFixture, public ::testing::Test {
protected:
    void SetUp() override
    {
        Define(1007, 3, 6, 99999);
        Define(1036, 3, 6, 99999);
        Define(1037, 3, 6, 99999);
        Open(".pld");
        m_row = &AddPlu(7);
        m_row->Set(PluCol::UnitPrice, 100);
        m_row->Set(PluCol::PackTime, std::uint16_t{900});
        m_row->Set(PluCol::Tare, std::uint16_t{20});
    }

    PluEditForm::FieldCommit Type(std::uint16_t fieldNo, std::string_view text)
    {
        if (Form().GetCurrentPlu() == 0) {
            EXPECT_TRUE(Form().ShowPlu(7));
        }
        return Form().CommitEdit(Control(fieldNo), text);
    }
    // PLU 7 as stored, its changes dropped, no message recorded.
    void Reload()
    {
        if (Form().GetCurrentPlu() != 0 && Form().IsPluChanged()) m_prompt.QueueAnswer(MessageAnswer::No);
        EXPECT_TRUE(Form().ShowPlu(7));
        m_prompt.m_ids.clear();
        m_prompt.m_texts.clear();
    }
    std::int32_t Value(std::uint16_t fieldNo) { return Form().GetFieldValue(*Control(fieldNo).definition); }

    CPluDefRec* m_row = nullptr;
};

TEST_F(PluEditCommitTest, TimesAreHoursAndMinutes)
{
    const struct {
        const char* typed;
        std::int32_t stored;
        std::vector<MessageId> messages;
    } cases[] = {
        {"23:59", 2359, {}},
        {"0:00", 0, {}},
        {"24:00", 900, {61261}},
        {"12:60", 900, {61261}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Reload();
        const PluEditForm::FieldCommit commit = Type(1021, c.typed);
        EXPECT_EQ(commit.accepted, c.messages.empty());
        EXPECT_EQ(Value(1021), c.stored);
        EXPECT_EQ(m_prompt.m_ids, c.messages);
        EXPECT_EQ(Form().TakeFocusRequest(), c.messages.empty() ? std::nullopt : std::optional<int>(1021));
    }
}

TEST_F(PluEditCommitTest, TaresFollowTheMarketsRule)
{
    const struct {
        std::uint16_t market;
        std::int32_t stored;
        std::vector<MessageId> messages;
    } cases[] = {
        {MarketNewZealand, 122, {61271}},
        {MarketUsa, 120, {61411}},
        {MarketHongKong, 123, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.market);
        m_frame.m_setup.m_market = c.market;
        Reload();
        EXPECT_TRUE(Type(1010, "0.123").accepted);
        EXPECT_EQ(Value(1010), c.stored);
        EXPECT_EQ(Form().GetFieldText(Control(1010)), FormatFixedPoint(3, '.', c.stored));
        EXPECT_EQ(m_prompt.m_ids, c.messages);
    }
}

TEST_F(PluEditCommitTest, ValuesOutsideTheirRangeAreRefusedAndTheOldValueStays)
{
    Type(1005, "99999.99");
    ASSERT_EQ(m_prompt.m_texts.size(), 1u);
    EXPECT_EQ(m_prompt.m_texts[0], "The specified value is outside the allowed range. (Min = 0, Max = 999999)");
    EXPECT_EQ(Value(1005), 100);
    EXPECT_EQ(Form().GetFieldText(Control(1005)), "1.00");
    EXPECT_FALSE(Form().IsPluChanged());

    // A percentage markdown has its own range, whatever its definition says.
    m_row->Set(PluCol::MarkFlag, std::uint8_t{3});
    Reload();
    const PluEditForm::FieldCommit refused = Type(1004, "100");
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(m_prompt.m_texts.back(), "The specified value is outside the allowed range. (Min = 0, Max = 99)");
    EXPECT_EQ(Value(1004), 0);
    EXPECT_TRUE(Type(1004, "99").accepted);
    EXPECT_EQ(Value(1004), 99);
}

TEST_F(PluEditCommitTest, ADefinitionWithItsMaximumBelowItsMinimumSetsNoRange)
{
    for (auto& [key, definition] : m_frame.m_fieldDefs[0]) {
        if (definition->m_fieldNo == 1016) {
            definition->m_min = 10;
            definition->m_max = 5;
        }
    }
    EXPECT_TRUE(Type(1016, "5000000").accepted);
    EXPECT_EQ(Value(1016), 5000000);
}

TEST_F(PluEditCommitTest, AnEntryThatIsNoNumberOrUnchangedStoresNothing)
{
    EXPECT_FALSE(Type(1005, "1.2.3").accepted);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61236});
    EXPECT_EQ(Form().TakeFocusRequest(), std::optional<int>(1005));
    EXPECT_TRUE(Type(1005, "1.00").accepted);
    EXPECT_EQ(m_prompt.m_ids.size(), 1u);
    EXPECT_FALSE(Form().IsPluChanged());
    EXPECT_TRUE(Type(1005, "1.20").accepted);
    EXPECT_EQ(Value(1005), 120);
    EXPECT_TRUE(Form().IsPluChanged());
}

TEST_F(PluEditCommitTest, RefusingTheSameEntryAgainShowsOneMessageEachTime)
{
    for (int attempt = 1; attempt <= 3; ++attempt) {
        EXPECT_FALSE(Type(1021, "25:00").accepted);
        EXPECT_EQ(m_prompt.m_ids.size(), static_cast<std::size_t>(attempt));
        EXPECT_EQ(Form().TakeFocusRequest(), std::optional<int>(1021));
    }
    EXPECT_EQ(Value(1021), 900);
}

TEST_F(PluEditCommitTest, UpperAndLowerLimitsWarnWhenTheyCross)
{
    m_row->Set(PluCol::LowerLimit, 500);
    m_row->Set(PluCol::UpperLimit, 900);
    EXPECT_TRUE(Type(1036, "0.400").accepted);  // a warning: the value is kept
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31529});
    EXPECT_EQ(Value(1036), 400);
    EXPECT_TRUE(Type(1037, "0.300").accepted);
    EXPECT_EQ(m_prompt.m_ids.size(), 1u);
    EXPECT_TRUE(Type(1037, "0.400").accepted);
    EXPECT_EQ(m_prompt.m_ids.size(), 2u);
}

TEST_F(PluEditCommitTest, AFixedWeightOrATareOffersTheMatchingSalesMode)
{
    m_prompt.QueueAnswer(MessageAnswer::Yes);
    const PluEditForm::FieldCommit weight = Type(1007, "0.500");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61277});
    EXPECT_EQ(Value(1002), 1);
    EXPECT_EQ(weight.shownAgain, (std::vector<std::uint16_t>{1007, 1002, 1005}));

    m_prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_TRUE(Type(1010, "0.040").accepted);
    EXPECT_EQ(m_prompt.m_ids.back(), 61334);
    EXPECT_EQ(Value(1002), 1);
    EXPECT_EQ(Value(1010), 40);

    // Already by fixed price: no question; a zero asks nothing either.
    EXPECT_TRUE(Type(1007, "0.600").accepted);
    EXPECT_TRUE(Type(1010, "0").accepted);
    EXPECT_EQ(m_prompt.m_ids.size(), 2u);
}

TEST_F(PluEditCommitTest, CombosStoreTheirValueAndShowTheirDependants)
{
    ASSERT_TRUE(Form().ShowPlu(7));
    const PluEditForm::FieldCommit flag = Form().CommitCombo(Control(1003), 1);
    EXPECT_EQ(Value(1003), 3);
    EXPECT_EQ(flag.shownAgain, std::vector<std::uint16_t>{1004});
    EXPECT_EQ(Form().TakeFocusRequest(), std::optional<int>(1004));
    EXPECT_TRUE(Form().IsPluChanged());

    const PluEditForm::FieldCommit mode = Form().CommitCombo(Control(1002), 1);
    EXPECT_EQ(mode.shownAgain, std::vector<std::uint16_t>{1005});
    EXPECT_EQ(Form().TakeFocusRequest(), std::nullopt);
    EXPECT_TRUE(Form().CommitCombo(Control(1002), 1).shownAgain.empty());  // unchanged
    EXPECT_TRUE(Form().CommitCombo(Control(1002), std::nullopt).shownAgain.empty());
}

TEST_F(PluEditCommitTest, TextFieldsKeepTheirWidth)
{
    EXPECT_TRUE(Type(1011, "123456").accepted);
    EXPECT_EQ(Form().GetWorkingRow().Get(PluCol::RegCode), "1234");
    EXPECT_TRUE(Form().IsPluChanged());
    Type(1026, "12345678901234567");
    EXPECT_EQ(Form().GetWorkingRow().Get(PluCol::PosCode), "1234567890123");
}

TEST_F(PluEditCommitTest, ThePluNumberMustBeAllowed)
{
    m_frame.m_setup.m_maxPluNo = 5000;
    m_frame.m_access.m_sitePluRanges.Append(CPluRange(100, 199, ""));
    m_frame.m_access.ResetPluRanges();
    ASSERT_TRUE(Form().ShowPlu(7));
    const struct {
        const char* typed;
        std::optional<MessageId> message;
        std::uint32_t current;
    } cases[] = {
        {"abc", 61236, 7},
        {"", 61236, 7},
        {"0", 61237, 7},
        {"5001", 61237, 7},
        {"150", 61286, 7},
        {"7", std::nullopt, 7},
        {"250", std::nullopt, 250},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        m_prompt.m_ids.clear();
        EXPECT_EQ(Form().CommitPluNumber(c.typed), !c.message);
        EXPECT_EQ(m_prompt.m_ids, c.message ? std::vector<MessageId>{*c.message} : std::vector<MessageId>{});
        EXPECT_EQ(Form().TakeFocusRequest(), c.message ? std::optional<int>(PluEditForm::kPluNumber) : std::nullopt);
        EXPECT_EQ(Form().GetCurrentPlu(), c.current);
    }
    EXPECT_EQ(std::ranges::count(m_prompt.m_texts, "The specified value is outside the allowed range. (Min = 1, Max = 5000)"),
              2);
    EXPECT_TRUE(Form().IsPluChanged());
    EXPECT_EQ(Form().GetLoadedPlu(), 7u);
}

TEST_F(PluEditCommitTest, TheGroupMustBelongToTheDepartment)
{
    Define(1014, 0, 3, 999);
    Define(1015, 0, 3, 999);
    m_settings.deptGroupSearch = true;
    m_deptCodes.Add(MakeDeptCode(1, "Meat", {{1, "Beef"}}));
    m_deptCodes.Add(MakeDeptCode(4, "Deli", {{7, "Ham"}}));
    m_row->Set(PluCol::Dept, std::uint16_t{1});
    m_row->Set(PluCol::Group, std::uint16_t{7});
    ASSERT_TRUE(Form().ShowPlu(7));
    EXPECT_FALSE(Form().CheckDeptGroup());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61405});
    EXPECT_EQ(Form().TakeFocusRequest(), std::optional<int>(1015));
    ASSERT_TRUE(Form().OnDeptSelected(1));
    EXPECT_TRUE(Form().CheckDeptGroup());
}

}  // namespace
}  // namespace varnel::test
