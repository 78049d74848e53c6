// Whether a PLU takes part in a campaign now or in one to come, for the PLU edit window's sale and
// campaign indicators: the campaign lines (table 11) are walked in key order; the first line of the
// PLU whose campaign runs now (start <= now <= end) gives state 2, a line whose campaign starts after
// now gives state 4 at once. Lines of campaigns that do not exist, or whose dates name no date, count
// for nothing.
#pragma once

#include <cstdint>

namespace varnel {

class CCampaignTb;

struct PluCampaignState {
    int state = 0;  // 0 none, 2 now, 4 to come
    std::uint32_t campaign = 0;
};

// `now` as a local date value (days since 1899-12-30).
PluCampaignState FindPluCampaign(const CCampaignTb& campaigns, std::uint32_t pluNumber, double now);

}  // namespace varnel
