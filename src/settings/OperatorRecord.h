// The scale records of one operator, by the scale's effective family (CLinkScaleSettings::GetScaleType).
//
// Send record:
//   families    code   layout
//   0, 4, 5     63     text: "63" (market USA) or "6302" (other markets), the id in 2 digits, the name
//                      cut to 12 bytes and padded with blanks; Iceland and South America in their
//                      national 7-bit characters
//   6, 8        47     short record header (47, length 24), then 24 bytes:
//                        0      id, 2 packed-BCD digits
//                        1-2    length of the name text that follows, little-endian
//                        3-21   name text: CR, font byte, name (Norway: national characters); zero-filled
//                        22-23  0
//   10, 12      1027   record header (1027, body length), then: "<id>," the quoted field of ESC 'C',
//                      the font's code and the name cut to 16 bytes (24 scale bytes at most), the
//                      password as a quoted field, "<log-off timer>," "<access level>,"
//   11          1027   as 10/12 with the id and the name only, cut to 28 bytes (30 scale bytes)
//
// Clear record:
//   0, 4, 5     28     "28" (USA) or "2802", the id in 2 digits
//   6, 8        16     the id, 2 packed-BCD digits (1 byte, no header)
//   10, 11, 12  27     record header (27, body length), then "<id>,"
//
// Other families take no operator records. An id that does not fit 2 digits is refused, never cut.
// Families 6, 8, 10, 11 and 12 send the same records back, without their headers.
#pragma once

#include "db/plu/DBComTb.h"
#include "db/site/LinkScaleSettings.h"
#include "db/site/TextRules.h"
#include "settings/Operator.h"

#include <cstdint>
#include <optional>
#include <span>

namespace varnel {

// Whether a scale family takes operator records (send and clear alike).
bool TakesOperatorRecords(std::uint16_t family);
// Whether a scale family sends its operators back.
bool SendsOperatorRecords(std::uint16_t family);

// The records follow the market and the character rule of the text rules given (those of the job's
// settings).
// False, writing no record, for a family without operator records, an id its layout cannot hold (which
// names the refused field in `out`), or a record that does not fit the buffer.
bool EncodeOperatorRecord(const CLinkScaleSettings& scale, const TextRules& rules, const COperator& op,
                          ScaleRecordOut& out);
bool EncodeOperatorClearRecord(const CLinkScaleSettings& scale, const TextRules& rules, std::uint32_t id,
                               ScaleRecordOut& out);

// The operator in a record that a scale sent; none for a family that sends none, or a record whose id
// cannot be read.
std::optional<COperator> DecodeOperatorRecord(const CLinkScaleSettings& scale, const TextRules& rules,
                                              std::span<const std::uint8_t> record);

}  // namespace varnel
