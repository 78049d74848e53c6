// The campaign state of a PLU for the PLU edit window's indicators: a campaign running now, one to
// come (which wins at once), one that has ended, and lines of campaigns that do not exist.
#include "CampaignRows.h"
#include "MessageListFixture.h"

#include "platform/OleDate.h"
#include "scaledata/PluPromotion.h"

namespace varnel::test {
namespace {

class PluPromotionTest : public MessageListFixture {
protected:
    CCampaignTb& Campaigns() { return TableOf<CCampaignTb>(CCampaignTb::kTableNo); }
    // Moves campaign `number` to run in February 2024.
    void MoveToFebruary(std::uint32_t number)
    {
        CCampaignRec* campaign = Campaigns().FindCampaign(number);
        ASSERT_NE(campaign, nullptr);
        ASSERT_TRUE(campaign->SetStart({2024, 2, 1, 8, 0, 0}));
        ASSERT_TRUE(campaign->SetEnd({2024, 2, 28, 20, 0, 0}));
    }
    static double Date(int month, int day) { return *PartsToOleDate({2024, month, day, 12, 0, 0}); }
};

TEST_F(PluPromotionTest, RunningAndComingCampaignsOfAPlu)
{
    AddCampaign(Campaigns(), 2, "January", {{10, 0, 100, 0}, {11, 0, 100, 0}});  // 1 to 31 January
    AddCampaign(Campaigns(), 5, "February", {{10, 0, 90, 0}, {12, 0, 90, 0}});
    MoveToFebruary(5);
    ASSERT_TRUE(Campaigns().AddCampaignLine(7, 0, {11, 0, 80, 0}));  // campaign 7 does not exist

    struct Case {
        std::uint32_t plu;
        double now;
        int state;
        std::uint32_t campaign;
    };
    for (const Case& c : {Case{10, Date(1, 15), 4, 5},  // February's comes, and wins over January's
                          Case{11, Date(1, 15), 2, 2}, Case{12, Date(1, 15), 4, 5}, Case{12, Date(2, 10), 2, 5},
                          Case{11, Date(2, 10), 0, 0},  // January's has ended
                          Case{10, Date(3, 1), 0, 0}, Case{99, Date(1, 15), 0, 0}}) {
        const PluCampaignState found = FindPluCampaign(Campaigns(), c.plu, c.now);
        EXPECT_EQ(found.state, c.state) << "PLU " << c.plu << " at " << c.now;
        EXPECT_EQ(found.campaign, c.campaign) << "PLU " << c.plu << " at " << c.now;
    }
}

}  // namespace
}  // namespace varnel::test
