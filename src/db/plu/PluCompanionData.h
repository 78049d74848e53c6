// What the PLU record builders read of the tables beside the PLU table: the texts of extra messages
// and ingredients, the nutrition records and the records of the five extra price tables. The PLU
// database hands the builders its implementation; without one a PLU has none of these.
#pragma once

#include "db/site/LinkScaleSettings.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

class IPluCompanionData {
public:
    virtual ~IPluCompanionData() = default;

    // The escape-coded text of an extra message (the extra-message table, keyed by message number).
    virtual std::optional<std::string_view> GetExMessageText(std::uint32_t number) const = 0;
    // The escape-coded text of the ingredients record keyed by the PLU number.
    virtual std::optional<std::string_view> GetIngredientsText(std::uint32_t pluNumber) const = 0;
    virtual bool HasNutritionRecord(std::uint32_t pluNumber) const = 0;
    // The nutrition panel text of the PLU's nutrition record for a scale family; empty when it has none.
    virtual std::string GetNutritionPanelText(std::uint16_t family, std::uint32_t pluNumber) const = 0;
    // Writes the comma-terminated fields of extra price table `table` (1 to 5) for the PLU, as that
    // table encodes them for the scale, and returns their length; 0, writing nothing, when the table has
    // no record of the PLU in use or the fields do not fit.
    virtual std::size_t WriteExtraPriceFields(int table, const CLinkScaleSettings& scale, std::uint32_t pluNumber,
                                              std::span<std::uint8_t> out) const = 0;
};

// A PLU database without companions: no texts, no nutrition, no extra prices.
class CNoPluCompanionData final : public IPluCompanionData {
public:
    std::optional<std::string_view> GetExMessageText(std::uint32_t) const override { return std::nullopt; }
    std::optional<std::string_view> GetIngredientsText(std::uint32_t) const override { return std::nullopt; }
    bool HasNutritionRecord(std::uint32_t) const override { return false; }
    std::string GetNutritionPanelText(std::uint16_t, std::uint32_t) const override { return {}; }
    std::size_t WriteExtraPriceFields(int, const CLinkScaleSettings&, std::uint32_t,
                                      std::span<std::uint8_t>) const override
    {
        return 0;
    }
};

}  // namespace varnel
