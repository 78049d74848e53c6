// The scale and file records of numbered texts (the message tables and the storage messages),
// each form declared once as a layout (RecordLayout.h) that one writer and one reader walk:
//
//   form        families   fields
//   Text        0 to 5     record code (2 digits); "02" ("01" for slot 2) in families 0, 4, 5
//                          outside market 0; the number (2, 4 or 6 digits); the text in the
//                          scale's character set; a 0 byte
//   Binary      6, 8       the number (BCD 8); the text's length (16 bits, host order); the
//                          line-coded text (after the short record header in a send)
//   Csv         9 to 12    "<number>,"; the text as one quoted field
//   File        6 to 8     the number (BCD 8; family 7: BCD 6 and a 0 byte, BCD 4, or BCD 2 and a
//                          0 byte); the text's length (16 bits, big-endian); the line-coded text
//   DataSave    Data Save  the number (BCD 4); the text's length (16 bits, host order); the text;
//                          or, in the short form, the number (BCD 2) and the text to the end
//   PopBinary   6, 8       the number (BCD 2); the text's length (16 bits, host order); the
//                          line-coded text in a field of the text limit's width, zero-padded
//
// A reader takes the text to the record's end (Text: to its 0 byte); the length fields are written
// only, but for Data Save's and PopBinary's, whose text is as long as the length says (at most to the
// record's end). A number wider than its field refuses the record; a record too short for its number is
// refused when read.
#pragma once

#include "db/site/LinkScaleSettings.h"
#include "db/site/TextRules.h"
#include "db/text/RecordFields.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

enum class MessageForm : std::uint8_t { Text, Binary, Csv, File, DataSave, PopBinary };

// What a layout's conditions look at.
struct MessageRecordSite {
    std::uint16_t family = 0;
    std::uint16_t market = 0;
    std::uint32_t slot = 0;
    // Digits of the number field: 2, 4 or 6 in text records, 8, 6, 4 or 2 in file records, 4 or 2 in
    // Data Save records.
    std::uint8_t numberDigits = 0;
    // Text records: the family writes the "01"/"02" slot tag.
    bool slotTag = false;
    // How the site's texts are cut, converted and coded.
    TextRules text{};
};

struct MessageRecordSource {
    const CLinkScaleSettings& scale;
    MessageRecordSite site;
    std::uint16_t code;  // the record code that Text records open with
    std::uint32_t number;
    std::string_view text;  // escape-coded
    std::size_t textLimit;  // bytes of the text as the scale takes it
};

struct MessageRecordTarget {
    const CLinkScaleSettings& scale;
    MessageRecordSite site;
    std::optional<std::uint32_t>& number;
    std::string& text;      // escape-coded
    std::size_t textLimit;  // bytes of escape-coded text kept
};

void WriteMessageRecord(MessageForm form, const MessageRecordSource& source, RecordFields& out);
// False when the record holds no number.
bool ReadMessageRecord(MessageForm form, const MessageRecordTarget& target, std::span<const std::uint8_t> record);

}  // namespace varnel
