// The row of the store name table (table 7, "Store"): one store's name and address with the font and
// style of each. 260 data bytes, all zero in a new row:
//   offset  size  column
//   0       128   Name (NUL-terminated)
//   128     1     Name_Font: a scale font digit 0 to 7
//   129     1     Name_FontType: style bits 1 bold, 2 italic, 4 reverse
//   130     128   Address (NUL-terminated)
//   258     1     Addr_Font
//   259     1     Addr_FontType
// The database catalogues the texts 62 wide; their columns hold the whole 128 bytes of the row.
#pragma once

#include "scaledata/MessageRow.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varnel {

namespace store_name_columns {
inline constexpr ColumnDef kColumns[] = {
    {"Store_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"Name", DaoText, 128, 0, 0},
    {"Name_Font", DaoByte, 1, 128, 0},
    {"Name_FontType", DaoByte, 1, 129, 0},
    {"Address", DaoText, 128, 130, 0},
    {"Addr_Font", DaoByte, 1, 258, 0},
    {"Addr_FontType", DaoByte, 1, 259, 0},
};
constexpr std::uint16_t kDeclaredTextWidth = 62;
constexpr TextColumn kName = AsText(FindColumn(kColumns, "Name"));
constexpr ByteColumn kNameFont = AsByte(FindColumn(kColumns, "Name_Font"));
constexpr ByteColumn kNameFontType = AsByte(FindColumn(kColumns, "Name_FontType"));
constexpr TextColumn kAddress = AsText(FindColumn(kColumns, "Address"));
constexpr ByteColumn kAddrFont = AsByte(FindColumn(kColumns, "Addr_Font"));
constexpr ByteColumn kAddrFontType = AsByte(FindColumn(kColumns, "Addr_FontType"));
}  // namespace store_name_columns

// Style bits of Name_FontType and Addr_FontType.
enum StoreTextStyle : std::uint8_t { StoreBold = 1, StoreItalic = 2, StoreReverse = 4 };

// One text of a store with its font and style: the name or the address.
struct StoreText {
    std::string_view text;
    std::uint8_t font = 0;
    std::uint8_t style = 0;
};

class CStoreNameRec final : public CFixedScaleDataRow {
public:
    static constexpr std::size_t kSize = 260;
    static constexpr std::size_t kTextMax = 127;

    CStoreNameRec() : CFixedScaleDataRow(kSize) {}

    StoreText GetName() const;
    StoreText GetAddress() const;
    void SetName(std::string_view text, std::uint8_t font, std::uint8_t style);
    void SetAddress(std::string_view text, std::uint8_t font, std::uint8_t style);
};

}  // namespace varnel
