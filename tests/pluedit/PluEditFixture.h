// The PLU edit window's form over a database of either kind, with definitions for a handful of PLU
// fields (Sales Mode and the Markdown flag with value lists, prices, Pack Time, POS Code, Reg. Code,
// Item, Extra Message and Tare) and services that record what the form asks of them.
#pragma once

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/RuxPriceLayout.h"
#include "db/store/ColumnLayout.h"
#include "pluedit/PluEditForm.h"
#include "settings/DeptCode.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace varnel::test {

class FakeServices final : public IPluEditServices {
public:
    std::optional<std::uint32_t> PickFieldNumber(std::uint16_t fieldNo, std::uint32_t current) override
    {
        m_picks.emplace_back(fieldNo, current);
        return m_pick;
    }
    int GetPluPromotionState(std::uint32_t pluNumber) override
    {
        const auto found = m_promotions.find(pluNumber);
        return found == m_promotions.end() ? 0 : found->second;
    }
    void EditPluPromotion(std::uint32_t pluNumber) override { m_promotionsEdited.push_back(pluNumber); }
    bool EditExtraPrices(std::uint32_t, ExtraPriceRecords&) override { return false; }
    // Every value zero but the unit price, m_extraPriceDefault.
    void InitExtraPriceRecord(std::span<std::uint8_t> record, std::uint32_t) override
    {
        std::ranges::fill(record, std::uint8_t{0});
        (void)WriteNumber(record, FindColumn(kRuxPriceColumns, "UnitPrice"), m_extraPriceDefault);
    }
    std::optional<std::string> GetExtraMessageText(int, std::uint32_t) override { return std::nullopt; }
    // As the document stores a row: added when new, else its bytes taken by the stored row.
    bool SavePluRecord(CPluDefRec& row, std::uint32_t pluNumber, bool isNew) override
    {
        m_saves.emplace_back(pluNumber, isNew);
        if (m_plus == nullptr || m_failSaves) return false;
        const std::uint16_t size = row.CalcDataSize();
        if (isNew) return m_plus->AddPlu(pluNumber, size, std::make_unique<CPluDefRec>(row));
        auto* stored = dynamic_cast<CPluDefRec*>(m_plus->FindRecord(pluNumber));
        if (stored == nullptr) return false;
        const CPluDefRec previous = *stored;
        stored->CopyDataFrom(row);
        if (m_plus->UpdatePlu(*stored, size)) return true;
        stored->CopyDataFrom(previous);
        return false;
    }
    std::optional<std::uint32_t> SelectPluNumber(std::uint32_t offered) override
    {
        m_offered.push_back(offered);
        return m_selectedPlu;
    }

    std::optional<std::uint32_t> EditNutrition(NutritionDialog dialog, std::uint32_t pluNumber,
                                               bool hostControlled) override
    {
        m_nutritionDialogs.emplace_back(dialog, pluNumber, hostControlled);
        return m_nutritionNumber;
    }
    bool EditIngredients(std::uint32_t pluNumber, std::uint16_t) override
    {
        m_ingredients.push_back(pluNumber);
        return true;
    }

    CPluDefTb* m_plus = nullptr;
    bool m_failSaves = false;
    std::vector<std::tuple<NutritionDialog, std::uint32_t, bool>> m_nutritionDialogs;
    std::optional<std::uint32_t> m_nutritionNumber;
    std::vector<std::uint32_t> m_ingredients;
    std::vector<std::pair<std::uint32_t, bool>> m_saves;  // number, new
    std::optional<std::uint32_t> m_selectedPlu;
    std::vector<std::uint32_t> m_offered;
    std::optional<std::uint32_t> m_pick;
    std::int32_t m_extraPriceDefault = 0;
    std::vector<std::pair<std::uint16_t, std::uint32_t>> m_picks;
    std::map<std::uint32_t, int> m_promotions;
    std::vector<std::uint32_t> m_promotionsEdited;
};

// The PLU edit form over a database of either kind, with definitions for a handful of PLU fields.
class PluEditFixture {
protected:
    // Before the form is first asked for; `extension` ".pld" or ".mdb".
    void Open(const char* extension)
    {
        Define(1002, 0, 2, 0).AddValue(std::make_unique<CPropValue>("By Weight", 0));
        m_frame.m_fieldDefs[0].rbegin()->second->AddValue(std::make_unique<CPropValue>("By Count", 1));
        Define(1005, 2, 6, 999999);
        Define(1003, 0, 1, 6).AddValue(std::make_unique<CPropValue>("None", 0));
        m_frame.m_fieldDefs[0].rbegin()->second->AddValue(std::make_unique<CPropValue>("Percent", 3));
        Define(1004, 0, 4, 9999);
        Define(1021, 0, 4, 2359);
        Define(1026, 0, 13, 0);
        Define(1011, 0, 4, 0);
        Define(1016, 0, 6, 999999);
        Define(1018, 0, 3, 999);
        Define(1010, 3, 5, 999);
        m_db.CreateAllTables();
        const std::string path = m_dir.File(std::string("edit") + extension);
        ASSERT_TRUE(m_db.Create(path));
        ASSERT_TRUE(m_db.Open(path));
        m_services.m_plus = m_db.GetPluTable();
    }

    CLabProp& Define(std::uint16_t fieldNo, std::uint16_t decimals, std::uint16_t width, std::int32_t max)
    {
        CLabProp& definition = m_frame.AddFieldDef(FieldDefMap::Plu, fieldNo);
        definition.m_name = GetMessageText(fieldNo);
        definition.m_decimals = decimals;
        definition.m_width = width;
        definition.m_max = max;
        return definition;
    }

    CPluDefTb& Plus() const { return *m_db.GetPluTable(); }

    CPluDefRec& AddPlu(std::uint32_t number)
    {
        auto row = std::make_unique<CPluDefRec>();
        Plus().InitNewPlu(number, *row);
        row->SetDesc("BEEF", Plus().GetRoles().Text().chars);
        CPluDefRec& added = *row;
        const std::uint16_t size = row->CalcDataSize();
        EXPECT_TRUE(Plus().AddPlu(number, size, std::move(row)));
        return added;
    }

    // A form not yet built (a window builds it).
    PluEditForm& NewForm()
    {
        m_form = std::make_unique<PluEditForm>(PluEditSite{m_db, m_frame.m_priceZones, m_deptCodes, m_settings,
                                                           m_textSettings, m_document, m_services, m_frame, m_frame});
        return *m_form;
    }
    PluEditForm& Form()
    {
        if (!m_form) NewForm().Build(FormUnits{6, 13});
        return *m_form;
    }

    const PluFieldControl& Control(std::uint16_t fieldNo)
    {
        for (const PluFieldControl& control : Form().GetControls())
            if (control.definition->m_fieldNo == fieldNo) return control;
        throw std::runtime_error("no control for " + std::to_string(fieldNo));
    }
    std::string Text(std::uint16_t fieldNo) { return Form().GetFieldText(Control(fieldNo)); }

    TempDir m_dir;
    TestMainFrame m_frame;
    RecordingPrompt m_prompt;
    FaultInjectingFileSystem m_fs;  // a ".pld" database's file calls, to fail on demand
    CPluDatabase m_db{m_fs};
    CDeptCodeList m_deptCodes;
    PluEditSettings m_settings;
    LabelTextSettings m_textSettings;
    PluEditDocState m_document;
    FakeServices m_services;
    std::unique_ptr<PluEditForm> m_form;
};

}  // namespace varnel::test
