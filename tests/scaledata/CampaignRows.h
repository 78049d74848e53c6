// What the campaign editors' tests start from: prices with 2 decimals up to 9999.99, PLUs named with a
// sales mode and unit price, and campaigns named with their lines at places 0, 1, ...
#pragma once

#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "scaledata/CampaignTb.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace varnel::test {

inline void DefineCampaignPrices(TestMainFrame& frame)
{
    CLabProp& price = frame.AddFieldDef(FieldDefMap::Plu, 1005);
    price.m_decimals = 2;
    price.m_max = 999999;
}

inline void AddCampaignPlu(CPluDefTb& plus, std::uint32_t number, std::string_view name, std::uint8_t salesMode = 0,
                           std::int32_t price = 0)
{
    auto* plu = dynamic_cast<CPluDefRec*>(plus.GetOrAddRecord(number, 264));
    ASSERT_NE(plu, nullptr);
    plu->Set(PluCol::Name, name);
    plu->Set(PluCol::SalesMode, salesMode);
    plu->Set(PluCol::UnitPrice, price);
}

// Runs from 1 January 2024, 08:00 to 31 January 2024, 20:00.
inline void AddCampaign(CCampaignTb& campaigns, std::uint32_t number, std::string_view name,
                        const std::vector<CampaignLine>& lines)
{
    auto* row = dynamic_cast<CCampaignRec*>(campaigns.GetOrAddRecord(number, CCampaignRec::kSize));
    ASSERT_NE(row, nullptr);
    row->SetName(name);
    ASSERT_TRUE(row->SetStart({2024, 1, 1, 8, 0, 0}));
    ASSERT_TRUE(row->SetEnd({2024, 1, 31, 20, 0, 0}));
    for (std::size_t place = 0; place < lines.size(); ++place)
        ASSERT_TRUE(campaigns.AddCampaignLine(number, place, lines[place]));
}

}  // namespace varnel::test
