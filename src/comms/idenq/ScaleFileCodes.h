// The file codes by which a link asks a scale for the records of a data kind: a short text or a few
// BCD bytes that name the scale file (and for some models the first record), by data kind, scale
// family and market.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/site/LinkScaleSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace varnel {

// A code depends on the scale's family and, for families 6 and 8, on whether it sends PLUs with
// message 28; of the general setup given, on the market, the nutrition layout and the message file
// mapping.

// The data kind under which a family receives a message kind: for families other than 9 the
// comment, free message, ingredients and storage kinds travel in the extra message or coupon file
// that the general setup's message file mapping gives their source. Any other kind is returned as it is.
std::uint16_t MapMessageSlot(std::uint16_t dataKind, std::uint16_t family,
                             const std::array<std::uint8_t, 4>& messageFileMapping);

// Writes the file code of the (mapped) data kind to `out`: a text code with a 0 byte after it (not
// counted in `length`), a binary code as it is. The extra message code of families 0, 4 and 5 ends
// in as many zeros as the highest key of the extra message table needs. False, writing nothing,
// when the family does not send that kind or `out` cannot hold the code.
bool GetScaleFileCode(std::uint16_t dataKind, const CLinkScaleSettings& scale, const CGeneralSetup& setup,
                      std::uint32_t highestExtraMessageKey, std::span<std::uint8_t> out, std::size_t& length);

// Whether the family sends the kind at all (GetScaleFileCode gives a code).
bool HasScaleFileCode(std::uint16_t dataKind, const CLinkScaleSettings& scale, const CGeneralSetup& setup);

}  // namespace varnel
