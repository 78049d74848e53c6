// The record that sets a scale's clock, in the code of the scale's family:
//
//   families 6, 8     file 90    year as 4 packed-BCD digits, month, day, hour and minute as 2 each,
//                                then zero bytes up to 8
//   families 10, 12   file 3012  the 8-byte record header (the text's length), then the text
//   family 11         file 1081  "YYYYMMDDhhmm," (year, month, day, hour, minute)
//
// Family 9 takes no such record. The clock records of families 0 to 5 are not known yet: none is
// built for them.
#pragma once

#include "db/plu/DBComTb.h"
#include "platform/OleDate.h"

#include <cstdint>

namespace varnel {

// False, building nothing, for a family without a clock record or a buffer shorter than 14 bytes.
bool BuildDateTimeRecord(std::uint16_t family, const DateTimeParts& when, ScaleRecordOut& out);

}  // namespace varnel
