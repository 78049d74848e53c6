// The records of a standard-layout nutrition row, each form declared once as a layout (RecordLayout.h)
// over the row's columns that one writer and one reader walk:
//
//   form       families     fields
//   Text       0, 2, 4, 5   "60" ("6002" outside market 0), the key (6 digits), ServeSize in 10 and
//                           ServeCont in 4 (right-aligned), Calories and FatCalories ("%4d"), the
//                           contents and percentages of nutrients 1 to 8 with their units, the
//                           percentages 9 to 12, content 16: 132 characters (134)
//   Binary     6, 8         the key (BCD 8), the standard body, a 0 byte
//   File       file link    the key (BCD 6), the standard body
//   DataSave   Data Save    the key (BCD 6), the standard body with the row's own unit flags and
//                           3-digit percentages: 89 bytes
//   Csv        9, 11        "key," ServeSize quoted after the escape text "\x0d\x03", ServeCont,
//                           Calories, FatCalories, content and percentage of nutrients 1 to 8,
//                           percentages 9 to 12, content 16
//   QuotedCsv  10, 12       as Csv with every text quoted, a unit flag before each of the first eight
//                           percentages, and a closing 1
//
// The standard body (86 bytes): ServeSize (10) and a 0 byte, ServeCont (4) and a 0 byte, Calories
// and FatCalories (BCD 4); nutrients 1 to 3 and 6 to 8 as a 3-character content, a 0 byte, a unit
// byte and the percentage (BCD 4), nutrients 4 and 5 likewise with a 4-character content; the
// percentages 9 to 12 (BCD 4). Its unit bytes are fixed (grams but for nutrients 3 and 4).
//
// The custom records of market 5 (and of the comma-separated families outside market 0) carry
// EnergyKj, Calories and the percentages of the custom fields 1402 to 1413 that have a definition.
#pragma once

#include "db/text/RecordFields.h"
#include "scaledata/NutritionRows.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace varnel {

enum class NutritionForm : std::uint8_t { Text, Binary, File, DataSave, Csv, QuotedCsv };

struct NutritionRecordSite {
    NutritionForm form = NutritionForm::Text;
    std::uint16_t market = 0;
};

void WriteNutritionRecord(const NutritionRecordSite& site, std::uint32_t key, const CNutritionRec& row,
                          RecordFields& out);
// Reads the record's fields into the row (those it lacks stay as they were); none when the key cannot
// be read.
std::optional<std::uint32_t> ReadNutritionRecord(const NutritionRecordSite& site, std::span<const std::uint8_t> record,
                                                 CNutritionRec& row);
// The key of a record, read alone.
std::optional<std::uint32_t> ReadNutritionKey(const NutritionRecordSite& site, std::span<const std::uint8_t> record);

// A custom field that has a definition, with the width of its text.
struct CustomNutritionField {
    std::uint16_t fieldNo;
    std::uint16_t width;
};
enum class CustomNutritionForm : std::uint8_t { Text, Binary, Csv };

void WriteCustomNutrition(CustomNutritionForm form, std::uint32_t key, const StandardNutrition& values,
                          std::span<const CustomNutritionField> fields, RecordFields& out);
// The values of a custom record into `values`, and its key; a binary record is read from after its
// key, which the caller reads (none is given back).
std::optional<std::uint32_t> ReadCustomNutrition(CustomNutritionForm form, std::span<const std::uint8_t> record,
                                                 std::span<const CustomNutritionField> fields, StandardNutrition& values);

}  // namespace varnel
