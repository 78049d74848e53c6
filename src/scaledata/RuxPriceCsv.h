// The price part of a comma-separated PLU record: the fields of one extra price record (RuxPriceLayout.h),
// declared once as a layout (RecordLayout.h) that one writer and one reader walk. In market 10 it has
// 34 fields, elsewhere 38:
//
//   SalesMode; UnitPrice then 0 (sales mode 0) or 0 then UnitPrice; MarkFlag; the markdown as the
//   scale takes it; PackQuant quoted, then as a number in market 10 (else empty); Unit; Weight;
//   UpperLimit, LowerLimit, Tare (a tenth, rounded, for a scale of tare format 1); in market 10 the
//   ITF and EAN-128 code types and flags (else four empty); PosSelect; BarCodeNum; PosFlagSelect;
//   PosFlag (two digits at least in market 10); in market 10 PosCode and RegCode as texts, else
//   PosCode without its leading zeros and blanks and an empty field; in market 10 PopFlag, Message1,
//   Comment, Logo1, Logo2, TrayNo, else empty, Message1, empty, Logo1, Logo2 and TrayNo (empty when
//   the setup sends no tray numbers); WrappingMode, FeedRate, ServeHeight, LabellingPos,
//   LabellingMode; in market 10 Wrapping, else empty, Logo3, PropTare, SafeHandlingNo, Coupon.
//
// A PLU without an extra price record of the table has 34 commas in place of its part.
#pragma once

#include "db/plu/RuxPriceTables.h"
#include "db/text/RecordFields.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace varnel {

constexpr std::size_t kEmptyRuxPriceFields = 34;

struct RuxPriceSite {
    std::uint16_t family = 9;
    std::uint16_t market = 0;
    std::uint16_t tareFormat = 0;
    bool noTrayNumber = false;
    // The width of the POS code field (1218): a received POS code is padded back to it with '0'.
    std::uint16_t posCodeWidth = 0;
};

void WriteRuxPriceFields(const RuxPriceSite& site, std::span<const std::uint8_t> record, RecordFields& out);
void WriteEmptyRuxPriceFields(RecordFields& out);
// Whether the part at `position` is absent (34 commas); the position then moves past them.
bool IsEmptyRuxPricePart(std::span<const char> text, std::size_t& position);
// Reads a part into the record (fields it lacks stay as they were), moving the position past it.
void ReadRuxPriceFields(const RuxPriceSite& site, std::span<char> text, std::size_t& position,
                        std::span<std::uint8_t> record);

}  // namespace varnel
