// The row of the store settings table (table 71, "StoreInfo"): a store's settings for the scales of
// families 9 to 12. 424 data bytes, zeroed and then given the defaults when made:
//   offset  column (field number)       default      offset  column (field number)   default
//   0       Name (1800), 120 bytes      empty        248     PosFlagNon13 (1809)     2
//   120     Address (1801), 120 bytes   empty        250     PosFlagNon8 (1810)      2
//   240     PriceId (1802), 16 bits     1            252     PosFlagPlu13 (1811)     49
//   242     PrintFlag (1803)            1            254     PosFlagPlu8 (1812)      49
//   243     BottomPrintFlag (1804)      1            256     RegCode (1813), 16 bits 0
//   244     TopFormat (1805)            0            258     PosCodeType (1814)      0
//   245     BottomFormat (1806)         0            259     BottomType (1815)       1
//   246     PrinterSel (1807)           1            260     TopBar (1816)           2
//   247     PosFlagSel (1808)           0
// Name and Address hold escape-coded label text of at most 119 bytes; the other columns are bytes
// unless marked 16 bits. PriceId is the price master's index (0 for "Price Master #1").
#pragma once

#include "scaledata/MessageRow.h"

#include <cstddef>
#include <cstdint>

namespace varnel {

namespace store_setup_columns {
inline constexpr ColumnDef kColumns[] = {
    {"Store_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"Name", DaoText, 120, 0, 1800},
    {"Address", DaoText, 120, 120, 1801},
    {"PriceId", DaoShort, 2, 240, 1802},
    {"PrintFlag", DaoByte, 1, 242, 1803},
    {"BottomPrintFlag", DaoByte, 1, 243, 1804},
    {"TopFormat", DaoByte, 1, 244, 1805},
    {"BottomFormat", DaoByte, 1, 245, 1806},
    {"PrinterSel", DaoByte, 1, 246, 1807},
    {"PosFlagSel", DaoByte, 1, 247, 1808},
    {"PosFlagNon13", DaoShort, 2, 248, 1809},
    {"PosFlagNon8", DaoShort, 2, 250, 1810},
    {"PosFlagPlu13", DaoShort, 2, 252, 1811},
    {"PosFlagPlu8", DaoShort, 2, 254, 1812},
    {"RegCode", DaoShort, 2, 256, 1813},
    {"PosCodeType", DaoByte, 1, 258, 1814},
    {"BottomType", DaoByte, 1, 259, 1815},
    {"TopBar", DaoByte, 1, 260, 1816},
};
constexpr TextColumn kName = AsText(FindColumn(kColumns, "Name"));
constexpr TextColumn kAddress = AsText(FindColumn(kColumns, "Address"));
constexpr ShortColumn kPriceId = AsShort(FindColumn(kColumns, "PriceId"));
constexpr ByteColumn kPrintFlag = AsByte(FindColumn(kColumns, "PrintFlag"));
constexpr ByteColumn kBottomPrintFlag = AsByte(FindColumn(kColumns, "BottomPrintFlag"));
constexpr ByteColumn kTopFormat = AsByte(FindColumn(kColumns, "TopFormat"));
constexpr ByteColumn kBottomFormat = AsByte(FindColumn(kColumns, "BottomFormat"));
constexpr ByteColumn kPrinterSel = AsByte(FindColumn(kColumns, "PrinterSel"));
constexpr ByteColumn kPosFlagSel = AsByte(FindColumn(kColumns, "PosFlagSel"));
constexpr ShortColumn kPosFlagNon13 = AsShort(FindColumn(kColumns, "PosFlagNon13"));
constexpr ShortColumn kPosFlagNon8 = AsShort(FindColumn(kColumns, "PosFlagNon8"));
constexpr ShortColumn kPosFlagPlu13 = AsShort(FindColumn(kColumns, "PosFlagPlu13"));
constexpr ShortColumn kPosFlagPlu8 = AsShort(FindColumn(kColumns, "PosFlagPlu8"));
constexpr ShortColumn kRegCode = AsShort(FindColumn(kColumns, "RegCode"));
constexpr ByteColumn kPosCodeType = AsByte(FindColumn(kColumns, "PosCodeType"));
constexpr ByteColumn kBottomType = AsByte(FindColumn(kColumns, "BottomType"));
constexpr ByteColumn kTopBar = AsByte(FindColumn(kColumns, "TopBar"));
}  // namespace store_setup_columns

class CStoreSetupRec final : public CFixedScaleDataRow {
public:
    static constexpr std::size_t kSize = 424;
    static constexpr std::size_t kTextMax = 119;

    // A row with the defaults.
    CStoreSetupRec();
};

}  // namespace varnel
