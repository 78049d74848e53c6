// Nutrition rows shared by PLUs: what the shared dialog's OK stores, and a row no PLU names released.
#include "NutritionTestRows.h"
#include "ScaleDataFixture.h"

#include "db/plu/PluDefTb.h"
#include "scaledata/NutritionTb.h"
#include "scaledata/SharedNutrition.h"
#include "support/RecordingDocument.h"

namespace varnel::test {
namespace {

class SharedNutritionTest : public ScaleDataFixture {
protected:
    void SetUp() override
    {
        m_frame.m_setup.m_nutritionInUse = 1;
        AddStandardRow(Nutrition(), 5, 120, 10);
        AddStandardRow(Nutrition(), 9, 90, 4);
        for (const auto& [plu, nutrition] : {std::pair{1u, 5}, {2u, 5}, {3u, 9}, {4u, 0}}) {
            AddNamedPlu(Plus(), plu, "PLU");
            Row(plu).Set(PluCol::NutritionID, nutrition);
        }
    }
    CNutritionTb& Nutrition() { return TableOf<CNutritionTb>(CNutritionTb::kTableNo); }
    CPluDefTb& Plus() { return *m_database.GetPluTable(); }
    CPluDefRec& Row(std::uint32_t plu) { return *dynamic_cast<CPluDefRec*>(Plus().FindRecord(plu)); }
    std::int32_t NutritionOf(std::uint32_t plu) { return Row(plu).Get(PluCol::NutritionID); }
    StandardNutrition ValuesOf(std::uint32_t number)
    {
        return dynamic_cast<CNutritionRec*>(Nutrition().FindRecord(number))->GetValues();
    }

    RecordingDocument m_sends{m_frame};
};

TEST_F(SharedNutritionTest, PlusTakenOffTheListLoseTheRowAndTheLastOneReleasesIt)
{
    EXPECT_EQ(FindPlusOfNutrition(Plus(), 5), (std::vector<std::uint32_t>{1, 2}));
    StandardNutrition values = ValuesOf(5);
    values.calories = 150;
    const SharedNutritionChange kept = ApplySharedNutrition(Plus(), Nutrition(), 5, values, {1}, 2);
    EXPECT_TRUE(kept.stored);
    EXPECT_EQ(kept.editedPluNumber, std::optional<std::uint32_t>(0));
    EXPECT_EQ(NutritionOf(2), 0);
    EXPECT_EQ(NutritionOf(1), 5);
    EXPECT_EQ(ValuesOf(5).calories, 150);

    m_sends.m_sends.clear();
    const SharedNutritionChange emptied = ApplySharedNutrition(Plus(), Nutrition(), 5, values, {}, 1);
    EXPECT_FALSE(emptied.stored);
    EXPECT_EQ(NutritionOf(1), 0);
    EXPECT_EQ(Nutrition().FindRecord(5), nullptr);
    // The PLU's send and the row's delete.
    ASSERT_EQ(m_sends.m_sends.size(), 2u);
    const CSendDataLog& deleted = m_sends.m_sends.back().requests.front();
    EXPECT_EQ(deleted.m_tableId, CNutritionTb::kTableNo);
    EXPECT_EQ(deleted.m_rangeStart, 5u);
    EXPECT_NE(deleted.m_kind, SendRecords);
    ASSERT_FALSE(m_frame.m_events.empty());
    EXPECT_NE(m_frame.m_events.back().second.find("Deleted"), std::string::npos);
}

TEST_F(SharedNutritionTest, PlusAddedTakeTheRowAndTheirOldRowIsReleasedWhenNoneKeepsIt)
{
    const SharedNutritionChange change = ApplySharedNutrition(Plus(), Nutrition(), 5, ValuesOf(5), {1, 2, 3, 4}, 4);
    EXPECT_TRUE(change.stored);
    EXPECT_EQ(change.editedPluNumber, std::optional<std::uint32_t>(5));
    for (const std::uint32_t plu : {1u, 2u, 3u, 4u}) EXPECT_EQ(NutritionOf(plu), 5) << plu;
    EXPECT_EQ(Nutrition().FindRecord(9), nullptr);  // PLU 3 was its only user
    EXPECT_NE(Nutrition().FindRecord(5), nullptr);
}

TEST_F(SharedNutritionTest, ARowOfItsOwnTakesAFreeNumber)
{
    StandardNutrition values;
    values.calories = 75;
    const SharedNutritionChange change = ApplySharedNutrition(Plus(), Nutrition(), 0, values, {4}, 4);
    EXPECT_TRUE(change.stored);
    EXPECT_EQ(change.editedPluNumber, std::optional<std::uint32_t>(4));
    EXPECT_EQ(NutritionOf(4), 4);
    EXPECT_EQ(ValuesOf(4).calories, 75);
    EXPECT_EQ(NutritionOf(1), 5);  // the other rows are left as they were
}

TEST_F(SharedNutritionTest, ARowStillNamedOrNumberZeroIsNotReleased)
{
    EXPECT_FALSE(ReleaseNutrition(Plus(), Nutrition(), 5));
    EXPECT_FALSE(ReleaseNutrition(Plus(), Nutrition(), 0));
    EXPECT_NE(Nutrition().FindRecord(5), nullptr);
    Row(3).Set(PluCol::NutritionID, 0);
    EXPECT_TRUE(ReleaseNutrition(Plus(), Nutrition(), 9));
    EXPECT_EQ(Nutrition().FindRecord(9), nullptr);
}

}  // namespace
}  // namespace varnel::test
