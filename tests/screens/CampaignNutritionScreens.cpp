// The campaign and nutrition dialogs over a grocer's database: the campaign list, a campaign with its
// lines by date and by day of week, and the price dialog of a line, also in the Swedish market's
// layout with the old price; a PLU's nutrition panel, its nutrition facts alone and shared by three
// PLUs, and custom nutrition with twelve fields in two columns.
#include "ScreenShots.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "scaledata/CampaignTb.h"
#include "scaledata/CustomNutrForm.h"
#include "scaledata/NutrFactsForm.h"
#include "scaledata/NutrPanelForm.h"
#include "scaledata/NutritionTb.h"
#include "scaledata/ui/CampaignDlgs.h"
#include "scaledata/ui/NutritionDlgs.h"
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

    // Custom nutrition's fields: the energy and calories, then percents of the daily intake, the
    // last with a list of grades.
    void DefineCustomNutrition()
    {
        const char* percents[] = {"Total Fat %", "Saturated Fat %", "Cholesterol %", "Sodium %",
                                  "Carbohydrate %", "Dietary Fiber %", "Protein %", "Sugars %", "Vitamin A %"};
        AddNutritionField(1400, "Energy (kJ)", 0, 9999).m_default = 850;
        AddNutritionField(1401, "Calories", 1, 9999);
        for (std::uint16_t index = 0; index < std::size(percents); ++index)
            AddNutritionField(static_cast<std::uint16_t>(1402 + index), percents[index], 0, 999);
        CLabProp& grade = AddNutritionField(1411, "Salt grade", 0, 3);
        grade.m_default = 1;
        for (const auto& [number, text] : {std::pair{1, "Low"}, std::pair{2, "Medium"}, std::pair{3, "High"}})
            grade.AddValue(std::make_unique<CPropValue>(text, static_cast<std::uint16_t>(number)));
    }

    CNutritionTb& Nutrition() { return *dynamic_cast<CNutritionTb*>(m_db.GetTable(CNutritionTb::kTableNo)); }
    CCampaignTb& Campaigns() { return *dynamic_cast<CCampaignTb*>(m_db.GetTable(10)); }
    CPluDefTb& Plus() { return *m_db.GetPluTable(); }
    test::TestMainFrame& Frame() { return m_frame; }

private:
    CLabProp& AddNutritionField(std::uint16_t fieldNo, const char* name, std::uint16_t decimals, std::int32_t max)
    {
        CLabProp& definition = m_frame.AddFieldDef(FieldDefMap::Nutrition, fieldNo);
        definition.m_name = name;
        definition.m_decimals = decimals;
        definition.m_max = max;
        definition.m_width = 4;
        return definition;
    }
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

    PanelNutrition panelValues;
    panelValues.plu = 101;
    panelValues.serveCont = "4";
    panelValues.serveSize = "150g";
    panelValues.extra1 = "Iron";
    for (const auto& [nutrient, perServe, per100, unit] :
         {std::tuple{PanelEnergy, "1020", "680", 1}, std::tuple{PanelProtein, "31.5", "21.0", 1},
          std::tuple{PanelTotalFat, "13.2", "8.8", 1}, std::tuple{PanelSaturatedFat, "5.4", "3.6", 1},
          std::tuple{PanelCarbohydrate, "0", "0", 1}, std::tuple{PanelSugars, "0", "0", 1},
          std::tuple{PanelSodium, "84", "56", 0}, std::tuple{PanelExtra, "3.1", "2.1", 0}}) {
        PanelNutrient& value = panelValues.nutrients[nutrient - 1];
        value.perServe = perServe;
        value.per100 = per100;
        value.unitServe = value.unit100 = static_cast<std::uint8_t>(unit);
    }
    NutrPanelForm panel(&grocer.Nutrition(), panelValues);
    CNutrPanelDlg panelDlg(panel, noPick, western);
    shots.Take("dialog-nutrition-panel", panelDlg);

    StandardNutrition factsValues;
    factsValues.serveSize = "4 oz";
    factsValues.serveCont = "4";
    factsValues.calories = 250;
    factsValues.fatCalories = 130;
    factsValues.nutrients[0] = {"15g", 23, 1};
    factsValues.nutrients[3] = {"75", 25, 0};
    factsValues.nutrients[6] = {"22g", 0, 1};
    NutrFactsForm facts(&grocer.Plus(), &grocer.Nutrition(), factsValues, 101);
    CNutrFactsDlg factsDlg(facts, noPick, western);
    shots.Take("dialog-nutrition-facts", factsDlg);

    NutrFactsForm shared(&grocer.Plus(), &grocer.Nutrition(), factsValues, 1, {101, 102, 340}, 102);
    CNutrFactsDlg sharedDlg(shared, noPick, western);
    shots.Take("dialog-nutrition-facts-shared", sharedDlg);

    grocer.DefineCustomNutrition();
    StandardNutrition customValues;
    CustomNutrForm::ApplyDefaults(grocer.Frame().GetFieldDefMap(FieldDefMap::Nutrition), customValues);
    customValues.calories = 2435;
    CustomNutrForm custom(&grocer.Plus(), &grocer.Nutrition(), customValues, 215);
    CCustomNutr customDlg(custom, noPick, western);
    shots.Take("dialog-custom-nutrition", customDlg);
}

}  // namespace varnel::screens
