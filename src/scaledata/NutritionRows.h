// The rows of the nutrition table (table 9): one per PLU, keyed by its number, in one of two layouts
// chosen for the whole database by the Australia/New Zealand nutrition test: the panel layout
// (values per serve and per 100 g, printed as a nutrition information panel) or the standard
// layout (serving texts, calories, contents with a percentage and a unit each). Both rows hold 512
// data bytes, laid out as follows.
//
// Panel layout:                              Standard layout:
//   0    Plu_No (32 bits)                      0    Plu_No (32 bits)
//   4    ServeSize (16), 20 ServeCont (8)      4    ServeSize (16), 20 ServeCont (8)
//   28   Extra1 (16), 44 Extra2 (16)           28   ServeGram, ServeOz, Calories, FatCalories (16 bits)
//   60   PerServe1..20 (6 each)                36   Content1..20 (6 each)
//   180  Per100_1..20 (6 each)                 156  Percent1..20 (16 bits each)
//   300  the 20 per-serve unit flags (bytes)   196  Unit1..20 (bytes)
//   320  the 20 per-100 g unit flags (bytes)   216  EnergyKj (16 bits)
//
// A unit flag is 1 for grams and 0 for milligrams. The database declares each flag as a 16-bit
// column over its byte and the next (the next flag, or the byte after the flags, or EnergyKj's low
// byte); read back in catalogue order the columns restore every flag.
#pragma once

#include "db/store/ColumnLayout.h"
#include "scaledata/MessageRow.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

constexpr std::size_t kNutrients = 20;

// The columns of both layouts; nutrient n is at index n - 1.
namespace nutrition_columns {
constexpr std::uint16_t kTextWidth = 6;

constexpr LongColumn kPluNo{0};
constexpr TextColumn kServeSize{4, 16};
constexpr TextColumn kServeCont{20, 8};

// Panel layout.
constexpr TextColumn kExtra1{28, 16};
constexpr TextColumn kExtra2{44, 16};
constexpr std::uint16_t kPerServe = 60;
constexpr std::uint16_t kPer100 = 180;
constexpr std::uint16_t kUnitServe = 300;
constexpr std::uint16_t kUnit100 = 320;

// Standard layout.
constexpr ShortColumn kServeGram{28};
constexpr ShortColumn kServeOz{30};
constexpr ShortColumn kCalories{32};
constexpr ShortColumn kFatCalories{34};
constexpr std::uint16_t kContent = 36;
constexpr std::uint16_t kPercent = 156;
constexpr std::uint16_t kUnit = 196;
constexpr ShortColumn kEnergyKj{216};

constexpr TextColumn TextAt(std::uint16_t first, std::size_t index)
{
    return {static_cast<std::uint16_t>(first + kTextWidth * index), kTextWidth};
}
constexpr ByteColumn ByteAt(std::uint16_t first, std::size_t index) { return {static_cast<std::uint16_t>(first + index)}; }
constexpr ShortColumn ShortAt(std::uint16_t first, std::size_t index)
{
    return {static_cast<std::uint16_t>(first + 2 * index)};
}

constexpr TextColumn PerServe(std::size_t i) { return TextAt(kPerServe, i); }
constexpr TextColumn Per100(std::size_t i) { return TextAt(kPer100, i); }
constexpr ByteColumn UnitServe(std::size_t i) { return ByteAt(kUnitServe, i); }
constexpr ByteColumn Unit100(std::size_t i) { return ByteAt(kUnit100, i); }
constexpr TextColumn Content(std::size_t i) { return TextAt(kContent, i); }
constexpr ShortColumn Percent(std::size_t i) { return ShortAt(kPercent, i); }
constexpr ByteColumn Unit(std::size_t i) { return ByteAt(kUnit, i); }
}  // namespace nutrition_columns

// The standard layout's values, as the records carry them.
struct StandardNutrient {
    std::string content;  // at most 5 characters
    std::uint16_t percent = 0;
    std::uint8_t unit = 1;
};
struct StandardNutrition {
    std::uint32_t plu = 0;
    std::string serveSize;  // at most 15 characters
    std::string serveCont;  // at most 7
    std::uint16_t serveGram = 0;
    std::uint16_t serveOz = 0;
    std::uint16_t calories = 0;
    std::uint16_t fatCalories = 0;
    std::array<StandardNutrient, kNutrients> nutrients{};  // nutrient n at n - 1
    std::uint16_t energyKj = 0;

    // The custom-nutrition fields: 1400 EnergyKj, 1401 Calories, 1402 to 1413 the percentages of
    // nutrients 1 to 12. Get gives 0 and Set false for any other id.
    static constexpr std::uint16_t kEnergyKjField = 1400;
    static constexpr std::uint16_t kCaloriesField = 1401;
    static constexpr std::uint16_t kFirstPercentField = 1402;
    static constexpr std::uint16_t kLastPercentField = 1413;
    std::int32_t GetField(std::uint16_t fieldNo) const;
    bool SetField(std::uint16_t fieldNo, std::int32_t value);
};

// The panel layout's values.
struct PanelNutrient {
    std::string perServe;  // at most 5 characters
    std::string per100;
    std::uint8_t unitServe = 1;
    std::uint8_t unit100 = 1;
};
struct PanelNutrition {
    std::uint32_t plu = 0;
    std::string serveSize;  // at most 15 characters
    std::string serveCont;  // at most 7
    std::string extra1;     // at most 15
    std::string extra2;
    std::array<PanelNutrient, kNutrients> nutrients{};
};

// The nutrient numbers the panel prints.
enum PanelNutrientNo : std::size_t {
    PanelTotalFat = 1,
    PanelSaturatedFat = 2,
    PanelSodium = 4,
    PanelCarbohydrate = 5,
    PanelProtein = 7,
    PanelSugars = 8,
    PanelEnergy = 13,
    PanelExtra = 14,
};

class CNutritionRowBase : public CFixedScaleDataRow {
public:
    static constexpr std::size_t kSize = 512;

    CNutritionRowBase() : CFixedScaleDataRow(kSize) {}
    virtual bool IsPanel() const = 0;
};

class CNutritionRec final : public CNutritionRowBase {
public:
    // Empty texts, zeros, every content "0" and every unit grams but nutrients 3 and 4's.
    CNutritionRec();

    bool IsPanel() const override { return false; }
    StandardNutrition GetValues() const;
    // Texts cut to their columns.
    void SetValues(const StandardNutrition& values);
};

class CNutrPanelRec final : public CNutritionRowBase {
public:
    // Empty texts, PLU 0 and every unit grams.
    CNutrPanelRec();

    bool IsPanel() const override { return true; }
    PanelNutrition GetValues() const;
    void SetValues(const PanelNutrition& values);
};

// Adds the layout's columns to the table's catalogue, in catalogue order.
void AddNutritionColumns(class CObjDBTable& table, bool panel);

}  // namespace varnel
