// The PLU edit window's Nutrition and Ingredients buttons: the dialog the switches choose.
#include "PluEditFixture.h"

namespace varnel::test {
namespace {

class PluEditNutritionTest : public PluEditFixture, public ::testing::Test {
protected:
    void SetUp() override
    {
        Open(".pld");
        AddPlu(7);
    }
    std::optional<NutritionDialog> Opened()
    {
        NewForm().Build(FormUnits{6, 13});
        EXPECT_TRUE(Form().ShowPlu(7));
        m_services.m_nutritionDialogs.clear();
        (void)Form().OnNutrition();
        if (m_services.m_nutritionDialogs.empty()) return std::nullopt;
        return std::get<0>(m_services.m_nutritionDialogs.front());
    }
};

TEST_F(PluEditNutritionTest, TheSwitchesChooseTheDialog)
{
    EXPECT_EQ(Opened(), std::nullopt);
    m_settings.canEditCustomNutrition = true;
    EXPECT_EQ(Opened(), NutritionDialog::Custom);
    m_settings.canEditNutrition = true;
    EXPECT_EQ(Opened(), NutritionDialog::Facts);
    m_frame.m_setup.m_oneToManyNutrition = 1;
    EXPECT_EQ(Opened(), NutritionDialog::SharedFacts);
    m_settings.ausNzNutrition = true;
    EXPECT_EQ(Opened(), NutritionDialog::Panel);
    EXPECT_TRUE(m_prompt.m_ids.empty());
}

TEST_F(PluEditNutritionTest, AHostControlledPanelIsToldFirstAndTheStoredNumberReachesTheRow)
{
    m_settings.canEditNutrition = true;
    m_settings.ausNzNutrition = true;
    m_frame.m_setup.m_ctrlFlagPair = 1;
    dynamic_cast<CPluDefRec*>(Plus().FindRecord(7))->Set(PluCol::CtrlFlag, 6);
    EXPECT_EQ(Opened(), NutritionDialog::Panel);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31502});
    EXPECT_TRUE(std::get<2>(m_services.m_nutritionDialogs.front()));

    m_settings.ausNzNutrition = false;
    m_services.m_nutritionNumber = 7;
    EXPECT_EQ(Opened(), NutritionDialog::Facts);
    EXPECT_EQ(Form().GetWorkingRow().Get(PluCol::NutritionID), 7);
    EXPECT_TRUE(Form().OnIngredients());
    EXPECT_EQ(m_services.m_ingredients, std::vector<std::uint32_t>{7});
}

}  // namespace
}  // namespace varnel::test
