// The records of an advertising message, each form declared once as a layout (RecordLayout.h):
//
//   form      families            fields
//   Text      0 to 5              "68", number (2), DispMode (2), DispDate (2), DispTime (4), "01" for
//                                 a consecutive message else "00", the text (families 0, 4, 5 in market
//                                 0); "3601", number (2), the text (market 7); "3601", number (1), the
//                                 text (families 0, 4, 5 elsewhere); "36", number (2 under AU/NZ
//                                 nutrition, else 1), the text (family 1); "36", number (1), the text
//                                 or, not scrolling, its characters 1 to 19, ESC 'C' '2' and 20 to 38
//                                 (families 2, 3); then a 0 byte
//   Binary    8, file link        number, DispMode, DispDate (BCD 2 each), DispTime (BCD 4), 13, 3,
//                                 the text (at most 98 bytes), a 0 byte
//   CsvA      10, 12              "number,DispMode,DispDate,DispTime,", the quoted text behind "\x06"
//                                 when inverted in market 0 (at most 94 characters), "ConseqMsg,"
//   CsvB      11                  "number,,,Size,Speed,Flash,FlashSpeed,", the quoted text behind
//                                 "\x0D\x03" (and "\x06" when inverted in market 0; at most 102)
//   DataSave  Data Save type 6    number (BCD 2), DispMode, ConseqMsg (market 0 only), DispDate (one
//                                 byte each), DispTime (16 bits, host order), 13, 3, the text
//                                 (at most 94 bytes) zero-filled to 95
//
// Texts are cut at a whole character where their room ends; a number or setting wider than its
// field refuses the record. What scales send back is read as they send it, which is not always what
// the writers write: the text records give the number in their third character and the text from
// the fourth; family 11's quoted text loses its first three characters; escape notations ("\x06" and
// the like) are taken out of a quoted text, "\x06" marking it inverted.
#pragma once

#include "db/site/TextRules.h"
#include "db/text/RecordFields.h"
#include "scaledata/ScrollMsgRec.h"

#include <cstdint>
#include <optional>
#include <span>

namespace varnel {

enum class ScrollForm : std::uint8_t { Text, Binary, CsvA, CsvB, DataSave };

struct ScrollRecordSite {
    TextRules rules{};
    std::uint16_t family = 0;
    // Families 2 and 3: the message is not scrolling, and goes as two display lines.
    bool twoLines = false;
};

void WriteScrollRecord(ScrollForm form, const ScrollRecordSite& site, std::uint32_t number, const CScrollMsgRec& row,
                       RecordFields& out);

// The number of a record as a scale sends it; none when it cannot be read.
std::optional<std::uint32_t> ReadScrollNumber(ScrollForm form, const ScrollRecordSite& site,
                                              std::span<const std::uint8_t> record);
// Reads what the record carries into the row, as far as it goes.
void ReadScrollRecord(ScrollForm form, const ScrollRecordSite& site, std::span<const std::uint8_t> record,
                      CScrollMsgRec& row);

}  // namespace varnel
