// The campaign dialogs over a grocer's database: the campaign list, a campaign with its lines by date
// and by day of week, and the price dialog of a line, also in the Swedish market's layout with the
// old price.
#include "ScreenShots.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "scaledata/CampaignTb.h"
#include "scaledata/ui/CampaignDlgs.h"
#include "support/ScaleDataRegistration.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

namespace varnel::screens {
namespace {

const DateTimeParts kNow{2024, 3, 1, 9, 30, 0};

class Grocer : private test::ScaleDataRegistration {
public:
    Grocer()
    {
        CLabProp& priceField = m_frame.AddFieldDef(FieldDefMap::Plu, 1005);
        priceField.m_decimals = 2;
        priceField.m_max = 999999;
        m_frame.m_setup.m_maxCampaignNo = 12;
        m_db.CreateAllTables();
        const std::string path = m_dir.File("grocer.pld");
        if (!m_db.Create(path) || !m_db.Open(path)) return;
        for (const auto& [number, name, price] :
             {std::tuple{101u, "Beef Rump Steak", 2499}, std::tuple{102u, "Lamb Leg Roast", 1899},
              std::tuple{215u, "Free Range Chicken", 1150}, std::tuple{340u, "Pork Sausages", 1299}}) {
            auto* plu = dynamic_cast<CPluDefRec*>(Plus().GetOrAddRecord(number, 264));
            plu->Set(PluCol::Name, name);
            plu->Set(PluCol::UnitPrice, price);
        }
        AddCampaign(1, "Weekend barbecue", {{101, 1, 1999, 2499}, {340, 4, 150, 1299}, {215, 0, 990, 1150}});
        AddCampaign(3, "Easter roasts for the whole family", {{102, 0, 1599, 1899}});
    }

    CCampaignTb& Campaigns() { return *dynamic_cast<CCampaignTb*>(m_db.GetTable(10)); }
    CPluDefTb& Plus() { return *m_db.GetPluTable(); }
    test::TestMainFrame& Frame() { return m_frame; }

private:
    void AddCampaign(std::uint32_t number, const char* name, const std::vector<CampaignLine>& lines)
    {
        auto* row = dynamic_cast<CCampaignRec*>(Campaigns().GetOrAddRecord(number, CCampaignRec::kSize));
        row->SetName(name);
        (void)row->SetStart({2024, 3, 2, 8, 0, 0});
        (void)row->SetEnd({2024, 3, 3, 18, 0, 0});
        for (std::size_t place = 0; place < lines.size(); ++place)
            (void)Campaigns().AddCampaignLine(number, place, lines[place]);
    }

    test::TempDir m_dir;
    test::TestMainFrame m_frame;
    CPluDatabase m_db;
};

}  // namespace

void AddCampaignNutritionScreens(ScreenShots& shots)
{
    Grocer grocer;
    const CodePage western = CodePage::Western;
    const PluPicker noPick = [](std::uint32_t) { return std::optional<std::uint32_t>(); };

    EditCampaignsForm list(grocer.Campaigns(), &grocer.Plus(), RunEditCampaignDlg(noPick, western),
                           [] { return kNow; });
    CEditCampaignsDlg listDlg(list, western);
    shots.Take("dialog-edit-campaigns", listDlg);

    EditCampaignForm campaign(grocer.Campaigns(), &grocer.Plus(), 1, kNow);
    CEditCampaignDlg campaignDlg(campaign, noPick, western);
    shots.Take("dialog-edit-campaign", campaignDlg);

    EditCampPriceForm price(campaign.GetRules(), &grocer.Plus(), campaign.GetLines()[1]);
    CEditCampPriceDlg priceDlg(price, noPick);
    shots.Take("dialog-edit-campaign-price", priceDlg);

    grocer.Frame().m_setup.m_campaignDayOfWeek = 1;
    grocer.Frame().m_setup.m_market = MarketSweden;
    EditCampaignForm weekly(grocer.Campaigns(), &grocer.Plus(), 3, kNow);
    weekly.SetDayOfWeek(6);
    CEditCampaignDlg weeklyDlg(weekly, noPick, western);
    shots.Take("dialog-edit-campaign-day-of-week-sweden", weeklyDlg);

    EditCampPriceForm swedish(weekly.GetRules(), &grocer.Plus(), weekly.GetLines()[0]);
    CEditCampPriceDlg swedishDlg(swedish, noPick);
    shots.Take("dialog-edit-campaign-price-sweden", swedishDlg);
    grocer.Frame().m_setup.m_market = 0;
    grocer.Frame().m_setup.m_campaignDayOfWeek = 0;
}

}  // namespace varnel::screens
