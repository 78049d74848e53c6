// The golden PLU records: a fixture set of PLUs (every field exercised, descriptions with every
// escape kind, double-byte text), the family, market and option cases the record layouts tell apart,
// and the expected records of each, kept as hex in plu_records.golden. The decoders' tests read the
// same file back, so the set, the cases and the loader live here together.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/site/LinkScaleSettings.h"
#include "db/plu/PluCompanionData.h"
#include "db/text/RecordFields.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {
class CPluDefTb;
}

namespace varnel::test {

// The PLUs of the set: 123 with plain values, 4567 with double-byte text and other flags, 999999
// with the widest values the text layouts still carry.
inline constexpr std::uint32_t kGoldenPlus[] = {123, 4567, 999999};

// Adds the set to the table and gives it the companions below.
void AddGoldenPlus(CPluDefTb& plus);

// Extra-message 7, ingredients and a nutrition record of PLU 123, and an extra price record of PLU
// 123 in price table 2.
class GoldenCompanions final : public IPluCompanionData {
public:
    std::optional<std::string_view> GetExMessageText(std::uint32_t number) const override;
    std::optional<std::string_view> GetIngredientsText(std::uint32_t pluNumber) const override;
    bool HasNutritionRecord(std::uint32_t pluNumber) const override;
    std::string GetNutritionPanelText(std::uint16_t family, std::uint32_t pluNumber) const override;
    std::size_t WriteExtraPriceFields(int table, const CLinkScaleSettings& scale, std::uint32_t pluNumber,
                                      std::span<std::uint8_t> out) const override;
};
const GoldenCompanions& TheGoldenCompanions();

// One family, market and option case.
struct GoldenCase {
    std::uint16_t family;
    std::uint16_t market;
    std::string variant;  // "base", "nutrition", "coupons" or "options"

    std::string Name() const;  // "family 3 market 10 coupons"
    // The general setup and the scale of the case.
    CGeneralSetup Setup() const;
    CLinkScaleSettings Scale() const;
};
std::vector<GoldenCase> GoldenCases();

// What is built for a PLU in a case.
enum class GoldenKind { Plu, Key, Price, Markdown, Lumen };
std::string_view KindName(GoldenKind kind);

struct GoldenRecord {
    std::string caseName;
    GoldenKind kind = GoldenKind::Plu;
    std::uint32_t plu = 0;
    bool built = false;  // false: the builder gave no record
    std::uint16_t code = 0;
    std::string bytes;
};

// Line form: <case name>|<kind>|<PLU>|<code or "none">|<hex>
std::string FormatGoldenRecord(const GoldenRecord& record);
std::optional<GoldenRecord> ParseGoldenRecord(std::string_view line);

// The records of plu_records.golden keyed by FormatKey; an empty map when the file cannot be read.
using GoldenRecords = std::map<std::string, GoldenRecord>;
std::string FormatKey(std::string_view caseName, GoldenKind kind, std::uint32_t plu);
GoldenRecords ReadGoldenFile(const std::string& path);
bool WriteGoldenFile(const std::string& path, const GoldenRecords& records);

// The path of the checked-in file.
std::string GoldenFilePath();

}  // namespace varnel::test

namespace varnel::test {

class TestMainFrame;

// Builds every record of the cases for the PLUs of the set, the frame's general setup set to each
// case's; the frame needs the field definitions of AddGoldenFieldDefs.
void AddGoldenFieldDefs(TestMainFrame& frame);
GoldenRecords EncodeGoldenRecords(CPluDefTb& plus, TestMainFrame& frame);
// One record of a case, with the fields its builder wrote (RecordFieldTrace).
GoldenRecord EncodeGoldenRecord(CPluDefTb& plus, TestMainFrame& frame, const GoldenCase& goldenCase,
                                GoldenKind kind, std::uint32_t plu, std::vector<TracedField>* trace = nullptr);

}  // namespace varnel::test
