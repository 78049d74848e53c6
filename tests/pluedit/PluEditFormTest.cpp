#include "PluEditFixture.h"
#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluPriceZoneTb.h"
#include "platform/TextFormat.h"
#include "support/DeptCodes.h"

#include <functional>
#include <utility>
#include <vector>

namespace varnel::test {
namespace {

class PluEditFormTest : public PluEditFixture, public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { Open(GetParam()); }
};

TEST_P(PluEditFormTest, ShowsEachFieldFormattedAndClampedWithoutChangingTheRow)
{
    CPluDefRec& row = AddPlu(7);
    row.Set(PluCol::PackTime, std::uint16_t{905});
    row.Set(PluCol::UnitPrice, 1234);
    row.Set(PluCol::MarkFlag, std::uint8_t{3});
    row.Set(PluCol::MarkPrice, 150);
    row.Set(PluCol::PosCode, std::string("1234567890123"));
    for (auto& [key, definition] : m_frame.m_fieldDefs[0])
        if (definition->m_fieldNo == 1026) definition->m_width = 5;
    row.Set(PluCol::RegCode, std::string("0042"));
    row.Set(PluCol::Tare, std::uint16_t{5000});  // above its maximum
    ASSERT_TRUE(Form().ShowPlu(7));

    EXPECT_EQ(Text(1021), "9:05");
    EXPECT_EQ(Text(1005), "12.34");
    EXPECT_EQ(Text(1004), "0");  // a percentage of 150 with no decimals
    EXPECT_EQ(Text(1026), "90123");
    EXPECT_EQ(Text(1011), "0042");
    EXPECT_EQ(Text(1010), "0.999");
    EXPECT_EQ(Form().GetWorkingRow().Get(PluCol::Tare), 5000);
    EXPECT_FALSE(Form().IsPluChanged());

    // Separators: none without decimals, ':' for a time, '.' otherwise.
    EXPECT_EQ(Form().GetSeparator(Control(1004)), 0);
    EXPECT_EQ(Form().GetSeparator(Control(1021)), ':');
    EXPECT_EQ(Form().GetSeparator(Control(1005)), '.');
    EXPECT_EQ(Form().GetTextLimit(Control(1005)), 7u);

    // A combo of a numeric field selects its value.
    EXPECT_EQ(Form().GetChoices(Control(1003)).selected, std::optional<std::size_t>(1));
}

TEST_P(PluEditFormTest, UnitPriceTakesAnExtraDecimalForAWeighedPlu)
{
    m_frame.m_setup.m_unitFixedPriceDecimal = 1;
    CPluDefRec& row = AddPlu(1);
    row.Set(PluCol::UnitPrice, 1234);
    row.Set(PluCol::SalesMode, std::uint8_t{0});
    CPluDefRec& counted = AddPlu(2);
    counted.Set(PluCol::UnitPrice, 1234);
    counted.Set(PluCol::SalesMode, std::uint8_t{1});
    ASSERT_TRUE(Form().ShowPlu(1));
    EXPECT_EQ(Text(1005), "1.234");
    ASSERT_TRUE(Form().OnNext());
    EXPECT_EQ(Text(1005), "12.34");
}

TEST_P(PluEditFormTest, NextAndPrevMoveBetweenPlusAndStopAtTheEnds)
{
    AddPlu(3);
    AddPlu(10);
    ASSERT_TRUE(Form().ShowPlu(3));
    EXPECT_FALSE(Form().CanPrev());
    EXPECT_FALSE(Form().OnPrev());
    EXPECT_TRUE(Form().CanNext());
    ASSERT_TRUE(Form().OnNext());
    EXPECT_EQ(Form().GetCurrentPlu(), 10u);
    EXPECT_EQ(Form().GetPluNumberText(), "10");
    EXPECT_FALSE(Form().CanNext());
    EXPECT_FALSE(Form().OnNext());
    EXPECT_EQ(Form().GetCurrentPlu(), 10u);
    ASSERT_TRUE(Form().OnPrev());
    EXPECT_EQ(Form().GetCurrentPlu(), 3u);
    EXPECT_EQ(m_document.lastShown, 3u);
}

TEST_P(PluEditFormTest, ANewPluGetsItsDefaults)
{
    m_frame.m_setup.m_labelFromPlu = {1, 1000, 1, 1, 1, 1};
    m_frame.m_setup.m_labelToPlu = {999, 1999, 999, 999, 999, 999};
    m_frame.m_setup.m_labelWidths = {60, 80, 60, 60, 60, 60};
    m_frame.m_setup.m_descLengths = {100, 120, 100, 100, 100, 100};
    ASSERT_TRUE(Form().ShowPlu(1234));
    EXPECT_TRUE(Form().IsNewPlu());
    EXPECT_TRUE(Form().IsPluChanged());
    EXPECT_EQ(Text(1026), "0000000001234");
    EXPECT_EQ(Text(1011), "0000");
    EXPECT_EQ(Text(1016), "1234");
    EXPECT_EQ(Form().Editor().GetLabelWidth(), 80);
    EXPECT_EQ(Form().GetDescLengthText(), "120");
    EXPECT_EQ(Form().GetLoadedPlu(), 0u);
}

TEST_P(PluEditFormTest, PickersStoreTheChosenNumber)
{
    CPluDefRec& row = AddPlu(5);
    ASSERT_TRUE(SetPluFieldValue(row, 1018, 12));
    ASSERT_TRUE(Form().ShowPlu(5));
    EXPECT_EQ(Control(1018).button, 103);

    m_services.m_pick.reset();  // cancelled
    EXPECT_FALSE(Form().OnPicker(103));
    EXPECT_EQ(Text(1018), "12");
    EXPECT_FALSE(Form().IsPluChanged());

    m_services.m_pick = 44;
    EXPECT_TRUE(Form().OnPicker(103));
    EXPECT_EQ(Text(1018), "44");
    EXPECT_TRUE(Form().IsPluChanged());
    EXPECT_EQ(m_services.m_picks, (std::vector<std::pair<std::uint16_t, std::uint32_t>>{{1018, 12}, {1018, 12}}));
    // A button the form did not make does nothing.
    EXPECT_FALSE(Form().OnPicker(129));
}

TEST_P(PluEditFormTest, ZoneValuesAreShownForTheSelectedZone)
{
    m_frame.m_priceZones.SetZone(2, "North");
    m_frame.m_priceZones.SetZone(5, "South");
    m_frame.m_priceZoneFields = {1005};
    m_frame.m_setup.m_priceZoneMode = 2;
    m_settings.headOffice = true;
    m_document.lastZone = 5;
    CPluDefRec& row = AddPlu(8);
    row.Set(PluCol::UnitPrice, 100);
    auto* zones = dynamic_cast<CPluPriceZoneTb*>(m_db.GetTable(CPluPriceZoneTb::kTableNo));
    ASSERT_NE(zones, nullptr);
    ASSERT_TRUE(zones->WritePlu(8, {{5, 1005, 250}}, &row));

    ASSERT_TRUE(Form().ShowPlu(8));
    EXPECT_TRUE(Form().IsZoneSelectorShown());
    EXPECT_TRUE(Form().IsZoneHintShown());
    EXPECT_EQ(Form().GetLabelText(Control(1005)), "*Unit Price");
    EXPECT_EQ(Form().GetLabelText(Control(1002)), "Sales Mode");
    EXPECT_EQ(Form().GetZoneChoices().selected, std::optional<std::size_t>(2));
    EXPECT_EQ(Text(1005), "2.50");

    Form().OnZoneSelected(0);
    EXPECT_EQ(Text(1005), "1.00");
    Form().OnZoneSelected(1);
    EXPECT_EQ(m_document.lastZone, 2);
    EXPECT_EQ(Text(1005), "1.00");  // no value of its own there
    Form().SetFieldValue(*Control(1005).definition, 300);
    EXPECT_EQ(Text(1005), "3.00");
    EXPECT_EQ(Form().GetWorkingRow().Get(PluCol::UnitPrice), 100);
}

// The texts of every field as the window refreshes them all keep only what is still true: after each
// step they are what each field alone shows.
TEST_P(PluEditFormTest, EveryFieldsTextFollowsTheRowZoneAndRulesItIsMadeFrom)
{
    m_frame.m_priceZones.SetZone(5, "South");
    m_frame.m_priceZoneFields = {1005};
    m_frame.m_setup.m_priceZoneMode = 2;
    m_settings.headOffice = true;
    m_document.lastZone = 5;
    // Rows 1 to 4 alike in every field shown but Sales Mode (row 4 weighed); row 2 has a price in zone 5.
    for (std::uint32_t number = 1; number <= 4; ++number) {
        CPluDefRec& row = AddPlu(number);
        row.Set(PluCol::UnitPrice, 1234);
        row.Set(PluCol::SalesMode, static_cast<std::uint8_t>(number == 4 ? 0 : 1));
    }
    auto* zones = dynamic_cast<CPluPriceZoneTb*>(m_db.GetTable(CPluPriceZoneTb::kTableNo));
    ASSERT_NE(zones, nullptr);
    ASSERT_TRUE(zones->WritePlu(2, {{5, 1005, 250}}, dynamic_cast<const CPluDefRec*>(Plus().FindRecord(2))));
    m_frame.m_setup.m_unitFixedPriceDecimal = 1;  // a weighed PLU's price has 3 decimals

    const CLabProp& item = *Control(1016).definition;
    const std::vector<std::pair<const char*, std::function<void()>>> steps{
        {"first PLU", [&] { ASSERT_TRUE(Form().ShowPlu(1)); }},
        {"a zone price", [&] { ASSERT_TRUE(Form().OnNext()); }},
        {"no zone price", [&] { ASSERT_TRUE(Form().OnNext()); }},
        {"the sales mode the price follows", [&] { ASSERT_TRUE(Form().OnNext()); }},
        {"other rules", [&] {
             m_frame.m_setup.m_unitFixedPriceDecimal = 0;
             ASSERT_TRUE(Form().ShowPlu(4));
         }},
        {"a field shown alone, then set back", [&] {
             const std::int32_t before = Form().GetFieldValue(item);
             Form().SetFieldValue(item, before + 1);
             (void)Form().GetFieldText(Control(1016));
             Form().SetFieldValue(item, before);
         }},
    };
    for (const auto& [step, run] : steps) {
        SCOPED_TRACE(step);
        run();
        // A form that makes its texts for the first time.
        PluEditDocState document = m_document;
        PluEditForm fresh(PluEditSite{m_db, m_frame.m_priceZones, m_deptCodes, m_settings, m_textSettings, document,
                                      m_services, m_frame, m_frame});
        fresh.Build(FormUnits{6, 13});
        ASSERT_TRUE(fresh.ShowPlu(Form().GetCurrentPlu()));
        const std::vector<PluShownText>& expected = fresh.GetFieldTexts();
        const std::vector<PluShownText>& texts = Form().GetFieldTexts();
        for (const PluFieldControl& control : Form().GetControls()) {
            if (control.kind == PluControlKind::NumEdit) {
                EXPECT_EQ(texts[control.index].text, expected[control.index].text) << control.definition->m_fieldNo;
            }
        }
    }
    EXPECT_EQ(Form().GetFieldTexts()[Control(1005).index].text, "12.34");
}

TEST_P(PluEditFormTest, StatesOfTheFixedControls)
{
    m_frame.m_setup.m_ctrlFlagPair = 1;
    m_frame.m_setup.m_pluActiveInactive = 1;
    m_settings.fieldPermissions = std::vector<std::uint16_t>(6, 1);
    m_settings.fieldPermissions[5] = 0;  // 1005
    m_settings.canEditCustomNutrition = true;
    CPluDefRec& row = AddPlu(4);
    row.Set(PluCol::CtrlFlag, 7);
    m_services.m_promotions = {{4, 3}};
    ASSERT_TRUE(Form().ShowPlu(4));

    EXPECT_FALSE(Form().IsFieldEnabled(1005));
    EXPECT_TRUE(Form().IsFieldEnabled(1002));
    EXPECT_TRUE(Form().IsFieldEnabled(1021));  // beyond the list
    EXPECT_TRUE(Form().AreHostFlagsShown());
    EXPECT_TRUE(Form().IsHostSupported());
    EXPECT_TRUE(Form().IsHostControlled());
    EXPECT_FALSE(Form().IsSaveEnabled());  // host-controlled
    EXPECT_TRUE(Form().IsNewEnabled());
    EXPECT_EQ(Form().GetActiveMode(), PluEditForm::ActiveMode::Radios);
    EXPECT_FALSE(Form().IsActive());
    EXPECT_TRUE(Form().IsNutritionShown());
    EXPECT_FALSE(Form().IsIngredientsShown());
    EXPECT_TRUE(Form().IsCampaignShown());
    EXPECT_FALSE(Form().IsSaleShown());
    Form().OnPromotion();
    EXPECT_EQ(m_services.m_promotionsEdited, std::vector<std::uint32_t>{4});
}

TEST_P(PluEditFormTest, IndicatorsFollowThePromotionState)
{
    AddPlu(4);
    struct Case {
        int state;
        bool sale;
        bool campaign;
    };
    for (const Case& c : {Case{0, false, false}, Case{1, true, false}, Case{2, true, false}, Case{3, false, true},
                          Case{4, false, true}}) {
        m_services.m_promotions = {{4, c.state}};
        ASSERT_TRUE(Form().ShowPlu(4));
        EXPECT_EQ(Form().IsSaleShown(), c.sale) << c.state;
        EXPECT_EQ(Form().IsCampaignShown(), c.campaign) << c.state;
    }
}

// Active/Inactive: hidden with the setting off, else the radios, or the combo of 1053's values when
// 1053 has values by price zone.
TEST_P(PluEditFormTest, TheActiveStateShowsAsItsSettingAndDefinitionSay)
{
    Define(1053, 0, 1, 1).AddValue(std::make_unique<CPropValue>("Active", 0));
    m_frame.m_fieldDefs[0].rbegin()->second->AddValue(std::make_unique<CPropValue>("Inactive", 1));
    CPluDefRec& row = AddPlu(4);
    row.Set(PluCol::CtrlFlag, 1);
    ASSERT_TRUE(Form().ShowPlu(4));
    EXPECT_EQ(Form().GetActiveMode(), PluEditForm::ActiveMode::Hidden);
    m_frame.m_setup.m_pluActiveInactive = 1;
    EXPECT_EQ(Form().GetActiveMode(), PluEditForm::ActiveMode::Radios);
    EXPECT_FALSE(Form().IsActive());
    m_frame.m_priceZoneFields = {1005, 1053};
    EXPECT_EQ(Form().GetActiveMode(), PluEditForm::ActiveMode::Combo);
    EXPECT_EQ(Form().GetActiveChoices().selected, std::optional<std::size_t>(1));
    for (const PluFieldControl& control : Form().GetControls()) EXPECT_NE(control.definition->m_fieldNo, 1053);
}

TEST_P(PluEditFormTest, DescriptionLengthAndItsCombos)
{
    AddPlu(6);
    ASSERT_TRUE(Form().ShowPlu(6));
    const std::uint32_t dots = Form().Editor().GetPrintLength();
    EXPECT_EQ(Form().GetPrintedLength(), dots * 15);
    EXPECT_EQ(Form().GetLengthText(), FormatMessage(17549, static_cast<int>(dots * 15 / 100),
                                                     static_cast<int>(dots * 15 % 100)));
    EXPECT_FALSE(Form().OnDescLengthKillFocus("abc"));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61236});
    EXPECT_FALSE(Form().IsPluChanged());
    EXPECT_TRUE(Form().OnDescLengthKillFocus("75"));
    EXPECT_EQ(Form().GetDescLengthText(), "75");
    EXPECT_TRUE(Form().IsPluChanged());
}

TEST_P(PluEditFormTest, DepartmentAndGroupCombosStoreTheirChoice)
{
    Define(1014, 0, 3, 999);
    Define(1015, 0, 3, 999);
    m_settings.deptGroupSearch = true;
    m_deptCodes.Add(MakeDeptCode(1, "Meat", {{1, "Beef"}, {2, "Lamb"}}));
    m_deptCodes.Add(MakeDeptCode(4, "Deli", {{7, "Ham"}}));
    CPluDefRec& row = AddPlu(9);
    row.Set(PluCol::Dept, std::uint16_t{1});
    row.Set(PluCol::Group, std::uint16_t{2});
    ASSERT_TRUE(Form().ShowPlu(9));
    const PluFieldControl& department = Control(1014);
    const PluFieldControl& group = Control(1015);
    EXPECT_EQ(department.kind, PluControlKind::DeptCombo);
    EXPECT_EQ(Form().GetChoices(department).selected, std::optional<std::size_t>(0));
    EXPECT_EQ(Form().GetChoices(group).items.size(), 2u);
    EXPECT_EQ(Form().GetChoices(group).selected, std::optional<std::size_t>(1));

    EXPECT_FALSE(Form().OnDeptSelected(0));  // the same department
    EXPECT_FALSE(Form().IsPluChanged());
    EXPECT_TRUE(Form().OnDeptSelected(1));
    EXPECT_EQ(Form().GetWorkingRow().Get(PluCol::Dept), 4);
    EXPECT_EQ(Form().GetChoices(group).items.size(), 1u);  // the group combo refilled for Deli
    EXPECT_TRUE(Form().OnGroupSelected(0));
    EXPECT_EQ(Form().GetWorkingRow().Get(PluCol::Group), 7);
    EXPECT_TRUE(Form().IsPluChanged());
    EXPECT_FALSE(Form().OnGroupSelected(std::nullopt));
}

INSTANTIATE_TEST_SUITE_P(Databases, PluEditFormTest, ::testing::Values(".pld", ".mdb"));

}  // namespace
}  // namespace varnel::test
