// The code that asks a scale for its production totals file, in the scale family's form. Only the
// totals type that the links send (1, the PLU totals) is known, and only for the families that have
// a text code for it:
//
//   family          code
//   0, 4, 5         "1701" ("17" in market 0)
//   2               "17"
//   1, 3            "19000000" with the Australia/New Zealand layout, else "720000"
//
// The market and the nutrition layout are the general setup's.
//
// The binary requests of the other families are not known here: they get no code, so no job ever
// sends them a request they would misread.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/site/LinkScaleSettings.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace varnel {

constexpr std::uint32_t kPluTotals = 1;

// Writes the code, a text with a 0 byte after it that `length` does not count. False, writing
// nothing, for a family or totals type without a known code, or when `out` cannot hold it.
bool GetProdFileCode(const CLinkScaleSettings& scale, const CGeneralSetup& setup, std::uint32_t totalsType,
                     std::span<std::uint8_t> out, std::size_t& length);

}  // namespace varnel
