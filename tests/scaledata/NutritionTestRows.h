// What the nutrition editors' tests start from: named PLUs, standard rows with calories and a
// percent, and a market's custom nutrition definitions: "PLU Code" (1001, never a row), "Energy"
// (1400, default 10), "Calories" (1401, one decimal, up to 500.0), a hidden "Fat" (1402) and "Grade"
// (1403) with the values "Low" and "High"; each 4 characters wide and up to 9999 unless said.
#pragma once

#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "scaledata/NutritionTb.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

namespace varnel::test {

inline void AddNamedPlu(CPluDefTb& plus, std::uint32_t number, std::string_view name)
{
    auto* plu = dynamic_cast<CPluDefRec*>(plus.GetOrAddRecord(number, 264));
    ASSERT_NE(plu, nullptr);
    plu->Set(PluCol::Name, name);
}

// A standard row of the PLU with calories and the first nutrient's percent.
inline void AddStandardRow(CNutritionTb& nutrition, std::uint32_t key, std::uint16_t calories, std::uint16_t percent1)
{
    auto* row = dynamic_cast<CNutritionRec*>(nutrition.GetOrAddRecord(key, CNutritionRowBase::kSize));
    ASSERT_NE(row, nullptr);
    StandardNutrition values = row->GetValues();
    values.plu = key;
    values.calories = calories;
    values.nutrients[0].percent = percent1;
    row->SetValues(values);
}

inline CLabProp& AddNutritionDefinition(TestMainFrame& frame, std::uint16_t fieldNo, const char* name,
                                        std::uint16_t decimals)
{
    CLabProp& definition = frame.AddFieldDef(FieldDefMap::Nutrition, fieldNo);
    definition.m_name = name;
    definition.m_min = 0;
    definition.m_max = 9999;
    definition.m_decimals = decimals;
    definition.m_width = 4;
    return definition;
}

inline void DefineCustomNutrition(TestMainFrame& frame)
{
    frame.m_setup.m_market = MarketHongKong;
    AddNutritionDefinition(frame, 1001, "PLU Code", 0).m_max = 999999;
    AddNutritionDefinition(frame, 1400, "Energy", 0).m_default = 10;
    AddNutritionDefinition(frame, 1401, "Calories", 1).m_max = 5000;
    CLabProp& hidden = AddNutritionDefinition(frame, 1402, "Fat", 0);
    hidden.m_max = 99;
    hidden.m_display = 0;
    CLabProp& grade = AddNutritionDefinition(frame, 1403, "Grade", 0);
    grade.m_max = 3;
    grade.AddValue(std::make_unique<CPropValue>("Low", 1));
    grade.AddValue(std::make_unique<CPropValue>("High", 2));
}

}  // namespace varnel::test
