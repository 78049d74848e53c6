// What the PLU edit window's Nutrition and Ingredients dialogs store for its PLU.
#include "NutritionTestRows.h"
#include "ScaleDataFixture.h"

#include "db/plu/PluDefTb.h"
#include "scaledata/EditExMsgForm.h"
#include "scaledata/ExMsgRec.h"
#include "scaledata/ExMsgTb.h"
#include "scaledata/NutritionTb.h"
#include "scaledata/PluNutrition.h"
#include "settings/UserSetup.h"
#include "support/RecordingDocument.h"
#include "support/RecordingPrompt.h"

namespace varnel::test {
namespace {

class PluNutritionTest : public ScaleDataFixture {
protected:
    void SetUp() override
    {
        m_frame.m_setup.m_nutritionInUse = 1;
        AddNamedPlu(Plus(), 12, "Ham");
        Row(12).Set(PluCol::NutritionID, 40);
    }
    CNutritionTb& Nutrition() { return TableOf<CNutritionTb>(CNutritionTb::kTableNo); }
    CExMsgTb& Ingredients() { return TableOf<CExMsgTb>(78); }
    CPluDefTb& Plus() { return *m_database.GetPluTable(); }
    CPluDefRec& Row(std::uint32_t plu) { return *dynamic_cast<CPluDefRec*>(Plus().FindRecord(plu)); }

    RecordingDocument m_sends{m_frame};
    RecordingPrompt m_prompt;
};

TEST_F(PluNutritionTest, AStandardRowIsStoredUnderThePluWhichTakesItsNumber)
{
    StandardNutrition values;
    values.plu = 12;
    values.calories = 210;
    EXPECT_EQ(StoreStandardNutrition(Plus(), Nutrition(), values, true), std::optional<std::uint32_t>(12));
    EXPECT_EQ(dynamic_cast<CNutritionRec*>(Nutrition().FindRecord(12))->GetValues().calories, 210);
    EXPECT_EQ(Row(12).Get(PluCol::NutritionID), 12);
    EXPECT_FALSE(m_sends.m_sends.empty());
    ASSERT_GE(m_frame.m_events.size(), 2u);
    EXPECT_NE(m_frame.m_events[0].second.find("Added"), std::string::npos);
}

TEST_F(PluNutritionTest, WithoutTheRightToUpdateNothingIsStored)
{
    auto user = std::make_unique<CUserSetup>();
    user->m_name = "Ann";
    user->m_tablePermission.fill(1);  // view only
    m_frame.m_access.m_users.Add(std::move(user));
    m_frame.m_access.m_users.SetCurrentUser(0);
    StandardNutrition values;
    values.plu = 12;
    EXPECT_EQ(StoreStandardNutrition(Plus(), Nutrition(), values, true), std::nullopt);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61328});
    EXPECT_EQ(Nutrition().FindRecord(12), nullptr);
}

TEST_F(PluNutritionTest, IngredientsOpenOnThePlusRowOrAnEmptyOneNamedAfterIt)
{
    std::string shownName;
    const auto dialog = [&shownName](EditExMsgForm& form) {
        shownName = form.GetName();
        form.Editor().OnSinkChar('F', 1, 0);
        return form.OnOK();
    };
    EXPECT_TRUE(EditPluIngredients(Plus(), Ingredients(), 12, 60, dialog));
    EXPECT_EQ(shownName, "PLU #12");
    const CExMsgRec* stored = Ingredients().FindMessage(12);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetName(), "PLU #12");
    EXPECT_EQ(stored->GetLabelWidth(), 60);

    // A host-controlled PLU is told so first and keeps its row.
    m_frame.m_setup.m_ctrlFlagPair = 1;
    Row(12).Set(PluCol::CtrlFlag, 6);
    const std::string before(stored->GetText());
    EXPECT_FALSE(EditPluIngredients(Plus(), Ingredients(), 12, 60, dialog));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31502});
    EXPECT_EQ(Ingredients().FindMessage(12)->GetText(), before);
}

}  // namespace
}  // namespace varnel::test
