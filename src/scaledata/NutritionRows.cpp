#include "scaledata/NutritionRows.h"

#include "db/store/ObjDBTable.h"

#include <concepts>
#include <string>
#include <type_traits>

namespace varnel {
namespace {

using namespace nutrition_columns;

constexpr std::uint8_t kMilligrams = 0;

template <class Values>
concept Standard = std::same_as<std::remove_const_t<Values>, StandardNutrition>;
template <class Values>
concept Panel = std::same_as<std::remove_const_t<Values>, PanelNutrition>;

// Each value of a layout beside its column, in one list that both reading and writing walk: `each`
// takes the column and the member.
template <Standard Values, class Each>
void EachColumn(Values& values, Each each)
{
    each(kPluNo, values.plu);
    each(kServeSize, values.serveSize);
    each(kServeCont, values.serveCont);
    each(kServeGram, values.serveGram);
    each(kServeOz, values.serveOz);
    each(kCalories, values.calories);
    each(kFatCalories, values.fatCalories);
    for (std::size_t i = 0; i < kNutrients; ++i) {
        auto& nutrient = values.nutrients[i];
        each(TextAt(kContent, i), nutrient.content);
        each(ShortAt(kPercent, i), nutrient.percent);
        each(ByteAt(kUnit, i), nutrient.unit);
    }
    each(kEnergyKj, values.energyKj);
}

template <Panel Values, class Each>
void EachColumn(Values& values, Each each)
{
    each(kPluNo, values.plu);
    each(kServeSize, values.serveSize);
    each(kServeCont, values.serveCont);
    each(kExtra1, values.extra1);
    each(kExtra2, values.extra2);
    for (std::size_t i = 0; i < kNutrients; ++i) {
        auto& nutrient = values.nutrients[i];
        each(TextAt(kPerServe, i), nutrient.perServe);
        each(TextAt(kPer100, i), nutrient.per100);
        each(ByteAt(kUnitServe, i), nutrient.unitServe);
        each(ByteAt(kUnit100, i), nutrient.unit100);
    }
}

template <class Values>
Values ReadValues(const CScaleDataRow& row)
{
    Values values;
    EachColumn(values, [&row](auto column, auto& member) {
        member = static_cast<std::remove_reference_t<decltype(member)>>(row.Get(column));
    });
    return values;
}

// Texts are cut to their columns.
template <class Values>
void WriteValues(CScaleDataRow& row, const Values& values)
{
    EachColumn(values, [&row](auto column, const auto& member) { row.Set(column, member); });
}

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

StandardNutrition CNutritionRec::GetValues() const { return ReadValues<StandardNutrition>(*this); }
void CNutritionRec::SetValues(const StandardNutrition& values) { WriteValues(*this, values); }

CNutrPanelRec::CNutrPanelRec() { SetValues({}); }

PanelNutrition CNutrPanelRec::GetValues() const { return ReadValues<PanelNutrition>(*this); }
void CNutrPanelRec::SetValues(const PanelNutrition& values) { WriteValues(*this, values); }

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
