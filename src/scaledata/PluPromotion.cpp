#include "scaledata/PluPromotion.h"

#include "scaledata/CampaignTb.h"

namespace varnel {

PluCampaignState FindPluCampaign(const CCampaignTb& campaigns, std::uint32_t pluNumber, double now)
{
    CObjDBTable* lines = campaigns.GetLineTable();
    if (lines == nullptr) return {};
    PluCampaignState running;
    KeyCursor cursor = 0;
    for (const CDBRecord* row = lines->PeekNextRecord(cursor); row != nullptr; row = lines->PeekNextRecord(cursor)) {
        if (row->GetKey() == UINT32_MAX) break;
        cursor = row->GetKey() + 1;
        const auto* line = dynamic_cast<const CCampDataRec*>(row);
        if (line == nullptr || line->GetPluNo() != pluNumber) continue;
        const CCampaignRec* campaign = campaigns.FindCampaign(line->GetCampaignNo());
        const std::optional<DateTimeParts> startParts = campaign ? campaign->GetStart() : std::nullopt;
        const std::optional<DateTimeParts> endParts = campaign ? campaign->GetEnd() : std::nullopt;
        const std::optional<double> start = startParts ? PartsToOleDate(*startParts) : std::nullopt;
        const std::optional<double> end = endParts ? PartsToOleDate(*endParts) : std::nullopt;
        if (!start || !end) continue;
        if (now < *start) return {4, line->GetCampaignNo()};
        if (running.state == 0 && now <= *end) running = {2, line->GetCampaignNo()};
    }
    return running;
}

}  // namespace varnel
