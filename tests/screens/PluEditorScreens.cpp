// The PLU edit window over a deli's PLU: one page of 18 fields (layout kind 0) with the department and
// group combos, the common and advanced pages of layout kind 3, and head-office mode with its price
// zones and the zone hint.
#include "ScreenShots.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/text/ScaleFontSets.h"
#include "pluedit/PluEditForm.h"
#include "pluedit/ui/EditPriceZoneValues.h"
#include "pluedit/ui/Plued1PluVw.h"
#include "settings/DeptCode.h"
#include "support/DeptCodes.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <initializer_list>
#include <memory>
#include <string>

namespace varnel::screens {
namespace {

class NoServices final : public IPluEditServices {
public:
    std::optional<std::uint32_t> PickFieldNumber(std::uint16_t, std::uint32_t) override { return std::nullopt; }
    int GetPluPromotionState(std::uint32_t) override { return 1; }
    void EditPluPromotion(std::uint32_t) override {}
    bool EditExtraPrices(std::uint32_t, ExtraPriceRecords&) override { return false; }
    void InitExtraPriceRecord(std::span<std::uint8_t> record, std::uint32_t) override
    {
        std::ranges::fill(record, std::uint8_t{0});
    }
    std::optional<std::string> GetExtraMessageText(int, std::uint32_t) override { return std::nullopt; }
    bool SavePluRecord(CPluDefRec&, std::uint32_t, bool) override { return false; }
    std::optional<std::uint32_t> SelectPluNumber(std::uint32_t) override { return std::nullopt; }
    std::optional<std::uint32_t> EditNutrition(NutritionDialog, std::uint32_t, bool) override { return std::nullopt; }
    bool EditIngredients(std::uint32_t, std::uint16_t) override { return false; }
};

struct Field {
    std::uint16_t number;
    std::uint16_t width;
    std::uint16_t decimals;
    std::int32_t max;
    std::initializer_list<const char*> values;
};

class Deli {
public:
    Deli()
    {
        m_frame.m_setup.m_defaultScaleFamily = 9;
        m_frame.m_setup.m_pluActiveInactive = 1;
        m_frame.m_scaleFonts = CScaleFontList(MakeScaleFontSet(m_frame.m_setup, 6, 0));
        Define(FieldDefMap::Plu, {{1002, 1, 0, 2, {"Weight", "Fixed Price", "By Count"}},
                                  {1005, 7, 2, 9999999, {}},
                                  {1007, 6, 3, 99999, {}},
                                  {1086, 3, 0, 0, {}},
                                  {1010, 5, 3, 9999, {}},
                                  {1094, 5, 3, 9999, {}},
                                  {1012, 1, 0, 3, {"None", "Packed", "Sell By", "Both"}},
                                  {1018, 4, 0, 9999, {}},
                                  {1019, 4, 0, 9999, {}},
                                  {1003, 1, 0, 3, {"None", "Reduced by", "Reduced to", "Percent"}},
                                  {1004, 7, 2, 9999999, {}},
                                  {1017, 4, 0, 9999, {}},
                                  {1011, 4, 0, 0, {}},
                                  {1026, 13, 0, 0, {}},
                                  {1016, 6, 0, 999999, {}},
                                  {1021, 4, 0, 2359, {}},
                                  {1014, 3, 0, 999, {}},
                                  {1015, 3, 0, 999, {}}});
        Define(FieldDefMap::Plu2, {{1036, 5, 3, 99999, {}}, {1037, 5, 3, 99999, {}}, {1038, 3, 0, 999, {}}});
        m_deptCodes.Add(test::MakeDeptCode(3, "Deli", {{1, "Ham"}, {2, "Salami"}}));
        m_db.CreateAllTables();
        const std::string path = m_dir.File("deli.pld");
        if (!m_db.Create(path) || !m_db.Open(path)) return;
        auto row = std::make_unique<CPluDefRec>();
        CPluDefTb& plus = *m_db.GetPluTable();
        plus.InitNewPlu(1201, *row);
        row->SetDesc(std::string("\x1B" "C4Shaved Ham\x1B" "C2Manuka smoked, sliced thin"), plus.GetRoles().Text().chars);
        row->Set(PluCol::UnitPrice, 2899);
        row->Set(PluCol::SalesMode, std::uint8_t{0});
        row->Set(PluCol::Tare, std::uint16_t{12});
        row->Set(PluCol::PackTime, std::uint16_t{730});
        row->Set(PluCol::Name, std::string("Shaved Ham"));
        row->Set(PluCol::Dept, std::uint16_t{3});
        row->Set(PluCol::Group, std::uint16_t{1});
        m_row = row.get();
        const std::uint16_t size = row->CalcDataSize();
        (void)m_db.GetPluTable()->AddPlu(1201, size, std::move(row));
    }

    void Define(FieldDefMap map, std::initializer_list<Field> fields)
    {
        for (const Field& field : fields) {
            CLabProp& definition = m_frame.AddFieldDef(map, field.number);
            definition.m_name = GetMessageText(field.number);
            definition.m_width = field.width;
            definition.m_decimals = field.decimals;
            definition.m_max = field.max;
            std::uint16_t value = 0;
            for (const char* text : field.values) definition.AddValue(std::make_unique<CPropValue>(text, value++));
        }
    }

    // Head-office mode with three zones, the Harbour one pricing the ham higher.
    void HeadOffice()
    {
        m_frame.m_priceZones.SetZone(1, "City");
        m_frame.m_priceZones.SetZone(2, "Harbour");
        m_frame.m_priceZones.SetZone(3, "Hills");
        m_frame.m_priceZoneFields = {1004, 1005};
        m_frame.m_setup.m_priceZoneMode = 2;
        if (auto* zones = dynamic_cast<CPluPriceZoneTb*>(m_db.GetTable(CPluPriceZoneTb::kTableNo)))
            (void)zones->WritePlu(1201, {{2, 1005, 3199}}, m_row);
        m_document.lastZone = 2;
    }

    DeptCodeDisplay CodeDisplay() const { return DeptCodeDisplay::Of(m_frame.m_setup, FieldDefSet(m_frame)); }

    void Take(ScreenShots& shots, const QString& name, const PluEditSettings& settings)
    {
        PluEditForm form(PluEditSite{m_db, m_frame.m_priceZones, m_deptCodes, settings,
                                     LabelTextSettings::Of(m_frame.m_setup, true, m_frame.m_scaleFonts,
                                                           m_frame.m_defLineFont),
                                     m_document, m_services, m_frame, m_frame});
        CPlued1PluVw view(form, CodePage::Western);
        view.setWindowTitle("PLU Edit - Deli");
        m_document.showNext = 1201;
        view.OnUpdate();
        shots.Take(name, view);
    }

    // The unit price's popup of values by zone, over the head-office window.
    void TakeZonePopup(ScreenShots& shots, const PluEditSettings& settings)
    {
        PluEditForm form(PluEditSite{m_db, m_frame.m_priceZones, m_deptCodes, settings,
                                     LabelTextSettings::Of(m_frame.m_setup, true, m_frame.m_scaleFonts,
                                                           m_frame.m_defLineFont),
                                     m_document, m_services, m_frame, m_frame});
        CPlued1PluVw view(form, CodePage::Western);
        m_document.showNext = 1201;
        view.OnUpdate();
        for (const PluFieldControl& control : form.GetControls()) {
            if (control.definition->m_fieldNo != 1005) continue;
            CEditPriceZoneValues popup(form, *control.definition, QRect(40, 10, 120, 20), QRect(0, 0, 1280, 1024),
                                       CodePage::Western);
            popup.setWindowTitle("Price Zones");
            shots.Take("dialog-price-zone-values", popup);
        }
    }

    test::TempDir m_dir;
    test::TestMainFrame m_frame;
    CPluDatabase m_db;
    CDeptCodeList m_deptCodes;
    PluEditDocState m_document;
    NoServices m_services;
    CPluDefRec* m_row = nullptr;
};

}  // namespace

void AddPluEditorScreens(ScreenShots& shots)
{
    Deli deli;
    PluEditSettings settings;
    settings.canEditNutrition = true;
    settings.deptGroupSearch = true;
    settings.deptCodeDisplay = deli.CodeDisplay();
    deli.Take(shots, "view-plu-editor", settings);
    settings.layoutKind = 3;
    deli.Take(shots, "view-plu-editor-two-pages", settings);
    settings.layoutKind = 0;
    settings.headOffice = true;
    deli.HeadOffice();
    deli.Take(shots, "view-plu-editor-head-office", settings);
    deli.TakeZonePopup(shots, settings);
}

}  // namespace varnel::screens
