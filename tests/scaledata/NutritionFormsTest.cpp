// The nutrition editors without windows: the panel, the facts of one PLU or shared by several, and
// the custom fields; each hands its row back to the caller, who stores it.
#include "NutritionTestRows.h"
#include "ScaleDataFixture.h"

#include "db/plu/PluDefTb.h"
#include "scaledata/CustomNutrForm.h"
#include "scaledata/NutrFactsForm.h"
#include "scaledata/NutrPanelForm.h"
#include "scaledata/NutritionTb.h"
#include "support/RecordingPrompt.h"

namespace varnel::test {
namespace {

class NutritionFormsTest : public ScaleDataFixture {
protected:
    CNutritionTb& Nutrition() { return TableOf<CNutritionTb>(CNutritionTb::kTableNo); }
    CPluDefTb& Plus() { return *m_database.GetPluTable(); }

    void AddPlu(std::uint32_t number, std::string_view name) { AddNamedPlu(Plus(), number, name); }
    void AddStandardRow(std::uint32_t key, std::uint16_t calories, std::uint16_t percent1)
    {
        test::AddStandardRow(Nutrition(), key, calories, percent1);
    }
    static PluPicker Picks(std::uint32_t plu)
    {
        return [plu](std::uint32_t) { return std::optional<std::uint32_t>(plu); };
    }

    RecordingPrompt m_prompt;
};

TEST_F(NutritionFormsTest, PanelKeepsEachUnitFlagAndCutsItsTextsOnOk)
{
    m_frame.m_setup.m_market = MarketAustralia;
    m_frame.m_setup.m_nutritionInUse = 1;
    PanelNutrition values;
    values.plu = 12;
    NutrPanelForm form(&Nutrition(), values);
    EXPECT_EQ(form.GetPluText(), "12");
    form.Values().serveSize = "250 g";
    form.Values().extra1 = "Dietary fibre, total";
    form.Values().nutrients[PanelSodium - 1].perServe = "1234567";
    form.Values().nutrients[PanelSodium - 1].unitServe = 0;  // "mg"
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(form.Values().serveSize, "250 ");
    EXPECT_EQ(form.Values().extra1, "Dietary fibre,");
    EXPECT_EQ(form.Values().nutrients[PanelSodium - 1].perServe, "12345");
    EXPECT_EQ(form.Values().nutrients[PanelSodium - 1].unitServe, 0);
    EXPECT_EQ(form.Values().nutrients[PanelSugars - 1].unitServe, 1);

    form.SetPluText("0");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(m_prompt.m_texts.back(), "Please enter an integer between 1 and 99999999.");

    // Copy From: a PLU without a row says so; one with a row brings its panel, the PLU stays.
    form.OnCopyFrom(Picks(40));
    EXPECT_EQ(m_prompt.m_ids.back(), 61398);
    auto* other = dynamic_cast<CNutrPanelRec*>(Nutrition().GetOrAddRecord(41, CNutritionRowBase::kSize));
    ASSERT_NE(other, nullptr);
    PanelNutrition copied;
    copied.plu = 41;
    copied.serveCont = "4";
    other->SetValues(copied);
    form.OnCopyFrom(Picks(41));
    EXPECT_EQ(form.Values().serveCont, "4");
    EXPECT_EQ(form.Values().plu, 12u);
}

TEST_F(NutritionFormsTest, FactsOfOnePluCheckANewNumberAndTheRanges)
{
    AddPlu(5, "BEEF");
    AddPlu(6, "LAMB");
    AddStandardRow(6, 100, 0);
    NutrFactsForm form(&Plus(), &Nutrition(), CNutritionRec().GetValues(), 5);
    EXPECT_EQ(form.GetTemplateId(), 174);
    EXPECT_EQ(form.Plu().GetName(), "BEEF");

    form.SetNumberText(NutrFactsForm::kCalories, "10000");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(form.GetFocus(), NutrFactsForm::kCalories);
    form.SetNumberText(NutrFactsForm::kCalories, "250");
    form.SetNumberText(1188, "1000");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(form.GetFocus(), 1188);
    form.SetNumberText(1188, "12");

    form.Plu().SetText("x");
    EXPECT_FALSE(form.OnOK());
    form.Plu().SetText("9");
    EXPECT_FALSE(form.OnOK());
    form.Plu().SetText("6");
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(form.GetFocus(), NutrFactsForm::kPluNumber);
    EXPECT_EQ(m_prompt.m_ids.back(), 61393);
    form.Values().nutrients[0].content = "12.5g";
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(form.GetPluNumber(), 6u);
    EXPECT_EQ(form.Values().calories, 250);
    EXPECT_EQ(form.Values().nutrients[0].percent, 12);
    EXPECT_EQ(form.Values().nutrients[0].content, "12.");
    const std::vector<MessageId> asked{61236, 61394, 61393, 61393};
    EXPECT_EQ(std::vector<MessageId>(m_prompt.m_ids.end() - 4, m_prompt.m_ids.end()), asked);

    form.Plu().OnSelect(Picks(5));
    EXPECT_EQ(form.Plu().GetText(), "5");
    EXPECT_EQ(form.Plu().GetName(), "BEEF");
}

TEST_F(NutritionFormsTest, SharedFactsKeepTheirPlusInOrderAndAskBeforeLosingThem)
{
    for (const auto& [number, name] : {std::pair{5u, "BEEF"}, std::pair{7u, "VEAL"}, std::pair{9u, "PORK"}})
        AddPlu(number, name);
    AddStandardRow(1, 100, 0);
    AddStandardRow(2, 100, 0);
    NutrFactsForm form(&Plus(), &Nutrition(), CNutritionRec().GetValues(), 1, {9, 5}, 9);
    EXPECT_EQ(form.GetTemplateId(), 281);
    EXPECT_EQ(form.GetListItems(), (std::vector<std::string>{"5 BEEF", "9 PORK"}));
    EXPECT_EQ(form.GetListSelection(), 1);

    form.OnAssign(Picks(7));
    EXPECT_EQ(form.GetListItems(), (std::vector<std::string>{"5 BEEF", "7 VEAL", "9 PORK"}));
    EXPECT_EQ(form.GetListSelection(), 1);
    form.OnAssign(Picks(5));
    EXPECT_EQ(form.GetAssignedPlus().size(), 3u);
    EXPECT_EQ(form.GetListSelection(), 0);

    // New Nutrition gives the current PLU a row of its own: the first free number after rows 1 and 2.
    form.OnListSelect(2);
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    form.OnNewNutrition();
    EXPECT_EQ(m_prompt.m_texts.back(), "This will create a new nutrition data record and assign it to the selected PLU "
                                       "only\n (PLU# 9 : PORK)\nOK to proceed?");
    EXPECT_EQ(form.GetNutritionNumber(), 1u);
    form.OnNewNutrition();
    EXPECT_EQ(form.GetAssignedPlus(), std::vector<std::uint32_t>{9});
    EXPECT_EQ(form.GetNutritionNumber(), 9u);
    EXPECT_FALSE(form.CanCreateNew());

    // Removing the last PLU leaves none current; OK then asks before the row loses every PLU.
    form.OnRemove();
    EXPECT_TRUE(form.GetListItems().empty());
    EXPECT_EQ(form.GetCurrentPlu(), 0u);
    EXPECT_FALSE(form.CanRemove());
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(m_prompt.m_ids.back(), 31470);
    EXPECT_TRUE(form.OnOK());
}

TEST_F(NutritionFormsTest, RemovingKeepsTheSelectionAtItsPlaceOrTheLast)
{
    for (const std::uint32_t number : {1u, 2u, 3u}) AddPlu(number, "X");
    NutrFactsForm form(&Plus(), &Nutrition(), CNutritionRec().GetValues(), 4, {1, 2, 3}, 2);
    form.OnRemove();
    EXPECT_EQ(form.GetCurrentPlu(), 3u);
    form.OnRemove();
    EXPECT_EQ(form.GetCurrentPlu(), 1u);
}

class CustomNutritionTest : public NutritionFormsTest {
protected:
    CustomNutritionTest() { DefineCustomNutrition(m_frame); }
};

TEST_F(CustomNutritionTest, RowsFollowTheDisplayedDefinitionsAndEditsAreCheckedAsTheyAreLeft)
{
    AddPlu(3, "DUCK");
    StandardNutrition values = CNutritionRec().GetValues();
    CustomNutrForm::ApplyDefaults(m_frame.GetFieldDefMap(FieldDefMap::Nutrition), values);
    CustomNutrForm form(&Plus(), &Nutrition(), values, 3);
    const std::vector<CustomNutrForm::Row>& rows = form.GetRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].definition->m_name, "Energy");
    EXPECT_EQ(rows[0].id, 1800);
    EXPECT_EQ(rows[0].text, "10");
    EXPECT_EQ(rows[1].text, "0.0");
    EXPECT_EQ(rows[1].textLimit, 5u);
    EXPECT_EQ(rows[2].id, 1902);
    EXPECT_TRUE(rows[2].IsList());
    EXPECT_EQ(form.Plu().GetName(), "DUCK");

    EXPECT_FALSE(form.UpdateFromEdit(0, "12x"));
    EXPECT_FALSE(form.UpdateFromEdit(0, "10000"));
    EXPECT_EQ(rows[0].text, "10");
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61236, 61237}));
    EXPECT_FALSE(form.IsModified());
    EXPECT_TRUE(form.UpdateFromEdit(1, "12.5"));
    EXPECT_EQ(form.Values().calories, 125);
    form.UpdateFromCombo(2, 1);
    EXPECT_EQ(form.Values().nutrients[1].percent, 2);
    EXPECT_TRUE(form.IsModified());

    // OK checks the focused edit as leaving it would, and stays open when it refuses.
    EXPECT_FALSE(form.OnOK(CustomNutrForm::FocusedEdit{0, "99999"}));
    EXPECT_EQ(form.GetFocus(), 1800);
    EXPECT_EQ(form.Values().energyKj, 10);
    ASSERT_TRUE(form.OnOK(CustomNutrForm::FocusedEdit{0, "42"}));
    EXPECT_EQ(form.Values().energyKj, 42);
    EXPECT_EQ(form.Values().plu, 3u);
}

TEST_F(CustomNutritionTest, CopyFromLoadsAnotherPlusValues)
{
    AddStandardRow(8, 321, 0);
    CustomNutrForm form(&Plus(), &Nutrition(), CNutritionRec().GetValues(), 3);
    form.OnCopyFrom(Picks(4));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61398});
    form.OnCopyFrom(Picks(8));
    EXPECT_EQ(form.GetRows()[1].text, "32.1");
    EXPECT_EQ(form.Values().plu, 3u);
    // The PLU number is checked as in the facts dialog: a PLU the table lacks is refused.
    form.Plu().SetText("4");
    EXPECT_FALSE(form.OnOK(std::nullopt));
    EXPECT_EQ(form.GetFocus(), CustomNutrForm::kPluNumber);
    EXPECT_EQ(m_prompt.m_ids.back(), 61394);
}

}  // namespace
}  // namespace varnel::test
