#include "scaledata/NutritionRows.h"

#include "db/store/ObjDBTable.h"

#include <string>

namespace varnel {
namespace {

using namespace nutrition_columns;

constexpr std::uint8_t kMilligrams = 0;

}  // namespace

std::int32_t StandardNutrition::GetField(std::uint16_t fieldNo) const
{
    if (fieldNo == kEnergyKjField) return energyKj;
    if (fieldNo == kCaloriesField) return calories;
    if (fieldNo >= kFirstPercentField && fieldNo <= kLastPercentField) return nutrients[fieldNo - kFirstPercentField].percent;
    return 0;
}

bool StandardNutrition::SetField(std::uint16_t fieldNo, std::int32_t value)
{
    const auto narrow = static_cast<std::uint16_t>(value);
    if (fieldNo == kEnergyKjField)
        energyKj = narrow;
    else if (fieldNo == kCaloriesField)
        calories = narrow;
    else if (fieldNo >= kFirstPercentField && fieldNo <= kLastPercentField)
        nutrients[fieldNo - kFirstPercentField].percent = narrow;
    else
        return false;
    return true;
}

CNutritionRec::CNutritionRec()
{
    StandardNutrition values;
    for (StandardNutrient& nutrient : values.nutrients) nutrient.content = "0";
    values.nutrients[2].unit = kMilligrams;
    values.nutrients[3].unit = kMilligrams;
    SetValues(values);
}

StandardNutrition CNutritionRec::GetValues() const
{
    StandardNutrition values;
    values.plu = static_cast<std::uint32_t>(Get(kPluNo));
    values.serveSize = Get(kServeSize);
    values.serveCont = Get(kServeCont);
    values.serveGram = Get(kServeGram);
    values.serveOz = Get(kServeOz);
    values.calories = Get(kCalories);
    values.fatCalories = Get(kFatCalories);
    for (std::size_t i = 0; i < kNutrients; ++i) {
        StandardNutrient& nutrient = values.nutrients[i];
        nutrient.content = Get(TextAt(kContent, i));
        nutrient.percent = Get(ShortAt(kPercent, i));
        nutrient.unit = Get(ByteAt(kUnit, i));
    }
    values.energyKj = Get(kEnergyKj);
    return values;
}

void CNutritionRec::SetValues(const StandardNutrition& values)
{
    Set(kPluNo, static_cast<std::int32_t>(values.plu));
    Set(kServeSize, values.serveSize);
    Set(kServeCont, values.serveCont);
    Set(kServeGram, values.serveGram);
    Set(kServeOz, values.serveOz);
    Set(kCalories, values.calories);
    Set(kFatCalories, values.fatCalories);
    for (std::size_t i = 0; i < kNutrients; ++i) {
        const StandardNutrient& nutrient = values.nutrients[i];
        Set(TextAt(kContent, i), nutrient.content);
        Set(ShortAt(kPercent, i), nutrient.percent);
        Set(ByteAt(kUnit, i), nutrient.unit);
    }
    Set(kEnergyKj, values.energyKj);
}

CNutrPanelRec::CNutrPanelRec() { SetValues({}); }

PanelNutrition CNutrPanelRec::GetValues() const
{
    PanelNutrition values;
    values.plu = static_cast<std::uint32_t>(Get(kPluNo));
    values.serveSize = Get(kServeSize);
    values.serveCont = Get(kServeCont);
    values.extra1 = Get(kExtra1);
    values.extra2 = Get(kExtra2);
    for (std::size_t i = 0; i < kNutrients; ++i) {
        PanelNutrient& nutrient = values.nutrients[i];
        nutrient.perServe = Get(TextAt(kPerServe, i));
        nutrient.per100 = Get(TextAt(kPer100, i));
        nutrient.unitServe = Get(ByteAt(kUnitServe, i));
        nutrient.unit100 = Get(ByteAt(kUnit100, i));
    }
    return values;
}

void CNutrPanelRec::SetValues(const PanelNutrition& values)
{
    Set(kPluNo, static_cast<std::int32_t>(values.plu));
    Set(kServeSize, values.serveSize);
    Set(kServeCont, values.serveCont);
    Set(kExtra1, values.extra1);
    Set(kExtra2, values.extra2);
    for (std::size_t i = 0; i < kNutrients; ++i) {
        const PanelNutrient& nutrient = values.nutrients[i];
        Set(TextAt(kPerServe, i), nutrient.perServe);
        Set(TextAt(kPer100, i), nutrient.per100);
        Set(ByteAt(kUnitServe, i), nutrient.unitServe);
        Set(ByteAt(kUnit100, i), nutrient.unit100);
    }
}

void AddNutritionColumns(CObjDBTable& table, bool panel)
{
    const auto text = [&](std::string name, TextColumn c) { table.AddField(std::move(name), DaoText, c.size, c.offset, 0); };
    const auto number = [&](std::string name, std::uint16_t type, std::uint16_t size, std::uint16_t offset) {
        table.AddField(std::move(name), type, size, offset, 0);
    };
    table.AddField("Nutrition_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0);
    number("Plu_No", DaoLong, 4, kPluNo.offset);
    text("ServeSize", kServeSize);
    text("ServeCont", kServeCont);
    if (panel) {
        text("Extra1", kExtra1);
        text("Extra2", kExtra2);
        for (std::size_t i = 0; i < kNutrients; ++i) {
            const std::string n = std::to_string(i + 1);
            text("PerServe" + n, TextAt(kPerServe, i));
            text("Per100_" + n, TextAt(kPer100, i));
            // Each flag's column takes the byte after it as its high byte.
            number("UnitServe" + n, DaoShort, 2, ByteAt(kUnitServe, i).offset);
            number("Unit100_" + n, DaoShort, 2, ByteAt(kUnit100, i).offset);
        }
        return;
    }
    number("ServeGram", DaoShort, 2, kServeGram.offset);
    number("ServeOz", DaoShort, 2, kServeOz.offset);
    number("Calories", DaoShort, 2, kCalories.offset);
    number("FatCalories", DaoShort, 2, kFatCalories.offset);
    for (std::size_t i = 0; i < kNutrients; ++i) {
        const std::string n = std::to_string(i + 1);
        text("Content" + n, TextAt(kContent, i));
        number("Percent" + n, DaoShort, 2, ShortAt(kPercent, i).offset);
        number("Unit" + n, DaoShort, 2, ByteAt(kUnit, i).offset);
    }
    number("EnergyKj", DaoShort, 2, kEnergyKj.offset);
}

}  // namespace varnel
