// The records of a store's name and address, each form declared once as a layout (RecordLayout.h):
//
//   form        families    fields
//   Text        0, 4, 5     "34" ("3401" outside market 0), the number (2 digits), then by market:
//                           3, 5, 10 the styled texts (ESC codes of font and style around each);
//                           7 ESC 'C' '0' or '1', the name, ESC 'C' '0', the address (at most 100
//                           bytes of text together); else an optional ESC 'C' and font digit and the
//                           name padded with blanks to 36 bytes (47 with the font switch), then the
//                           address padded to 47
//   Narrow      1, 2, 3     "34", the number (2 digits), the name padded to 36 bytes (70 with the font
//                           switch), the address padded to 47 (70)
//   Binary      6, 8        the number (BCD 4), then the name and the address block of 101 bytes each:
//                           a 16-bit length of what follows it, 0x0D, the font byte, one attribute
//                           byte per style, the text, zeros (lengths big-endian for the file link)
//   Lumen       file, 7     the number (16 bits), then for the name and the address each: the text's
//                           length + 2, 0x0D, the font digit, the text zero-padded to 97 bytes and a
//                           0 byte that keeps the record's length even (16-bit values big-endian)
//   DataSave    Data Save   the number (BCD 2), 0x0D, font code 3, the address (48 bytes), 0x0D, the
//                           name's font code (8 for font 1, else 3), the name (36 bytes), NUL-padded
//
// A number, name or address wider than its fixed field refuses the record; the styled, China and
// block texts are cut at a whole character where their room ends.
#pragma once

#include "db/site/TextRules.h"
#include "db/text/RecordFields.h"
#include "scaledata/StoreNameRec.h"

#include <cstdint>
#include <optional>
#include <span>

namespace varnel {

enum class StoreForm : std::uint8_t { Text, Narrow, Binary, Lumen, DataSave };

struct StoreRecordSite {
    TextRules rules{};
    // The general setup's left-justified fonts: the large name field.
    bool fontSwitch = false;
    // Binary: the file link's big-endian block lengths.
    bool bigEndian = false;
};

void WriteStoreRecord(StoreForm form, const StoreRecordSite& site, std::uint32_t number, const CStoreNameRec& row,
                      RecordFields& out);

// The number of a record of the Binary, Lumen or DataSave form; none when it cannot be read.
std::optional<std::uint32_t> ReadStoreNumber(StoreForm form, std::span<const std::uint8_t> record);
// Reads what the form carries into the row (the Binary and Lumen forms every column, Data Save the
// texts and the name's font), as far as the record goes.
void ReadStoreRecord(StoreForm form, const StoreRecordSite& site, std::span<const std::uint8_t> record,
                     CStoreNameRec& row);

}  // namespace varnel
