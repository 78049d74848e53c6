// Campaigns and nutrition go through the link to the scales in their family's records, a family-0
// scale and a family-9 scale on one link played by the scale simulator, and are deleted there by key.
#include "ScaleLinkFixture.h"

#include "scaledata/CampaignTb.h"
#include "scaledata/NutritionTb.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

using namespace std::string_literals;

using CampaignNutritionLinkTest = ScaleLinkFixture;

TEST_F(CampaignNutritionLinkTest, CampaignsAndNutritionReachFamily0AndFamily9ScalesAndAreDeletedByKey)
{
    auto& campaigns = TableOf<CCampaignTb>(CCampaignTb::kTableNo);
    auto campaign = std::make_unique<CCampaignRec>();
    ASSERT_TRUE(campaign->SetStart({2024, 3, 9, 8, 0, 0}));
    ASSERT_TRUE(campaign->SetEnd({2024, 3, 16, 20, 30, 0}));
    ASSERT_TRUE(campaigns.AddRecord(3, CCampaignRec::kSize, std::move(campaign)));
    ASSERT_TRUE(campaigns.AddCampaignLine(3, 0, {123, 1, 499, 0}));

    auto& nutrition = TableOf<CNutritionTb>(CNutritionTb::kTableNo);
    auto row = std::make_unique<CNutritionRec>();
    StandardNutrition values = row->GetValues();
    values.serveSize = "85g";
    values.calories = 120;
    row->SetValues(values);
    ASSERT_TRUE(nutrition.AddRecord(123, CNutritionRowBase::kSize, std::move(row)));

    Send({CSendDataLog(SendRecords, campaigns.GetTableNo(), 1, 255),
          CSendDataLog(SendRecords, nutrition.GetTableNo(), 1, 999999)});
    const auto family0 = PacketsOf(7);
    const auto family9 = PacketsOf(8);
    EXPECT_TRUE(HoldsAnywhere(family0, "6203030920240800031620242030" "00012310000499"));
    EXPECT_TRUE(HoldsAnywhere(family9, "3,20240309,0800,20240316,2030,1,123,0,499,"));
    EXPECT_TRUE(HoldsAnywhere(family0, "60000123       85g000000     120   0"));
    EXPECT_TRUE(HoldsAnywhere(family9, R"(123,"\x0d\x03       85g",    ,120,0,)"));

    const std::size_t sent0 = family0.size();
    const std::size_t sent9 = family9.size();
    Send({CSendDataLog(SendExistingDeletes, campaigns.GetTableNo(), 3, 3)});
    const auto deletes0 = PacketsOf(7);
    const auto deletes9 = PacketsOf(8);
    ASSERT_GT(deletes0.size(), sent0);
    ASSERT_GT(deletes9.size(), sent9);
    EXPECT_TRUE(Holds(deletes0.back(), "2203"));
    EXPECT_TRUE(Holds(deletes9.back(), "\x00\x28\x00\x00\x00\x00\x00\x02" "3,"s));
}

}  // namespace
}  // namespace varnel::test
