// The layout of an extra price record (a row of the price master tables "RuxPrice1" to "RuxPrice5"):
// 132 data bytes after the record header, keyed by the PLU number, in catalogue order.
//
//   OFFSET  CONTENT
//     0     PriceNo, the record's price number; a record with 0 is not in use
//     2     texts: PosCode, RegCode, PackType
//    32     longs: UnitPrice .. LowerLimit          72-79 unused
//    56     shorts: Tare .. No2Tare
//    80     bytes: SalesMode .. Ean128Flag          98-99 unused
//   100     Coupon, then the shorts Logo3, PropTare, SafeHandlingNo; 110-131 unused
#pragma once

#include "db/store/ColumnLayout.h"

#include <cstddef>

namespace varnel {

constexpr std::size_t kRuxPriceRecordSize = 132;

inline constexpr ColumnDef kRuxPriceColumns[] = {
    {"Plu_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"PriceNo", DaoShort, 2, 0, 0},
    {"PosCode", DaoText, 12, 2, 1218},
    {"RegCode", DaoText, 5, 14, 1219},
    {"PackType", DaoText, 6, 20, 1220},
    {"UnitPrice", DaoLong, 4, 32, 1200},
    {"FixedPrice", DaoLong, 4, 36, 0},
    {"MarkPrice", DaoLong, 4, 40, 1201},
    {"Weight", DaoLong, 4, 44, 1202},
    {"UpperLimit", DaoLong, 4, 48, 1203},
    {"LowerLimit", DaoLong, 4, 52, 1204},
    {"Coupon", DaoLong, 4, 100, 1234},
    {"Tare", DaoShort, 2, 56, 1205},
    {"Message1", DaoShort, 2, 58, 1206},
    {"Comment", DaoShort, 2, 60, 1207},
    {"Logo1", DaoShort, 2, 62, 1208},
    {"Logo2", DaoShort, 2, 64, 1209},
    {"TrayNo", DaoShort, 2, 66, 1210},
    {"PackQuant", DaoShort, 2, 68, 1228},
    {"No2Tare", DaoShort, 2, 70, 1233},
    {"Logo3", DaoShort, 2, 104, 1235},
    {"PropTare", DaoShort, 2, 106, 1236},
    {"SafeHandlingNo", DaoShort, 2, 108, 1237},
    {"SalesMode", DaoByte, 1, 80, 1211},
    {"MarkFlag", DaoByte, 1, 81, 1212},
    {"Unit", DaoByte, 1, 82, 1213},
    {"PosSelect", DaoByte, 1, 83, 1214},
    {"BarCodeNum", DaoByte, 1, 84, 1215},
    {"PosFlagSelect", DaoByte, 1, 85, 1216},
    {"PosFlag", DaoByte, 1, 86, 1217},
    {"WrappingMode", DaoByte, 1, 87, 1221},
    {"FeedRate", DaoByte, 1, 88, 1222},
    {"ServeHeight", DaoByte, 1, 89, 1223},
    {"LabellingPos", DaoByte, 1, 90, 1224},
    {"LabellingMode", DaoByte, 1, 91, 1225},
    {"Wrapping", DaoByte, 1, 92, 1226},
    {"PopFlag", DaoByte, 1, 93, 1227},
    {"ItfCodeType", DaoByte, 1, 94, 1229},
    {"ItfFlag", DaoByte, 1, 95, 1230},
    {"Ean128CodeType", DaoByte, 1, 96, 1231},
    {"Ean128Flag", DaoByte, 1, 97, 1232},
};

}  // namespace varnel
