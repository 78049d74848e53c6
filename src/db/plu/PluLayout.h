// The stored layout of a PLU row: the data that follows the record header in the ".pld" file and the
// batch journal, column by column in catalogue order (the order of the ".mdb" table's columns).
//
//   OFFSET  SIZE  CONTENT
//     0       4   Plu_No1, the PLU number again
//     4     256   the fixed PLU fields (offsets below; unbound bytes keep what they hold)
//   260    2051   Desc: escape-coded description, at most 2050 bytes and a 0 byte
//
// A row stores 261 bytes plus the description's length, rounded up to a multiple of 4: 264 to 2312.
// In memory a row holds the same: the description at its length, not its full width.
#pragma once

#include "db/store/ColumnLayout.h"

#include <cstddef>
#include <cstdint>

namespace varnel {

constexpr std::size_t kPluDataRoom = 2312;
constexpr std::size_t kPluEmptyDescRoom = 264;
constexpr std::uint16_t kPluFixedOffset = 4;
constexpr std::size_t kPluFixedSize = 256;
constexpr std::uint16_t kPluDescOffset = 260;
constexpr std::size_t kPluDescMax = 2050;

inline constexpr ColumnDef kPluColumns[] = {
    {"Plu_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"Plu_No1", DaoLong, 4, 0, 0},
    {"Name", DaoText, 30, 4, 0},
    {"PosCode", DaoText, 14, 34, 1026},
    {"RegCode", DaoText, 5, 249, 1011},
    {"PackType", DaoText, 6, 52, 1086},
    {"UnitPrice", DaoLong, 4, 64, 1005},
    {"FixedPrice", DaoLong, 4, 68, 1006},
    {"CostPrice", DaoLong, 4, 72, 1009},
    {"MarkPrice", DaoLong, 4, 76, 1004},
    {"Weight", DaoLong, 4, 80, 1007},
    {"ItemCode", DaoLong, 4, 84, 1016},
    {"CtrlFlag", DaoLong, 4, 88, 1053},
    {"UpperLimit", DaoLong, 4, 92, 1036},
    {"LowerLimit", DaoLong, 4, 96, 1037},
    {"Ingredients", DaoLong, 4, 100, 1054},
    {"Message7", DaoLong, 4, 104, 1018},
    {"Coupon", DaoLong, 4, 108, 1019},
    {"ExMessage2", DaoLong, 4, 112, 1044},
    {"ExMessage3", DaoLong, 4, 116, 1045},
    {"NutritionID", DaoLong, 4, 120, 1048},
    {"OldPrice", DaoLong, 4, 124, 1080},
    {"LabelWidth", DaoShort, 2, 140, 0},
    {"Posflag", DaoShort, 2, 142, 1025},
    {"PackQuant", DaoShort, 2, 144, 1008},
    {"ShelfLife", DaoShort, 2, 146, 1013},
    {"BestBefore", DaoShort, 2, 148, 1050},
    {"PackTime", DaoShort, 2, 150, 1021},
    {"ExpTime", DaoShort, 2, 152, 1023},
    {"Tare", DaoShort, 2, 154, 1010},
    {"Message1", DaoShort, 2, 156, 1017},
    {"Random", DaoShort, 2, 158, 1031},
    {"TaxNo", DaoShort, 2, 160, 1029},
    {"TaxRate", DaoShort, 2, 162, 1056},
    {"Nutrition", DaoShort, 2, 164, 1030},
    {"StorageTemp", DaoShort, 2, 166, 1057},
    {"StorageInstruct", DaoShort, 2, 168, 1058},
    {"Origin", DaoShort, 2, 170, 1059},
    {"Comment", DaoShort, 2, 172, 1082},
    {"FreeMsg1", DaoLong, 4, 60, 1060},
    {"FreeMsg2", DaoLong, 4, 128, 1061},
    {"FreeMsg3", DaoLong, 4, 132, 1062},
    {"FreeMsg4", DaoLong, 4, 176, 1063},
    {"FreeMsg5", DaoLong, 4, 180, 1064},
    {"StoreId", DaoShort, 2, 184, 1065},
    {"TrayNo", DaoShort, 2, 186, 1038},
    {"DescLen", DaoShort, 2, 188, 0},
    {"Dept", DaoShort, 2, 190, 1014},
    {"Group", DaoShort, 2, 192, 1015},
    {"Logo1", DaoShort, 2, 194, 1046},
    {"Logo2", DaoShort, 2, 196, 1047},
    {"Logo3", DaoShort, 2, 136, 1101},
    {"PropTare", DaoShort, 2, 198, 1049},
    {"LabelFormatNo1", DaoShort, 2, 200, 1066},
    {"LabelFormatNo2", DaoShort, 2, 202, 1067},
    {"No2Tare", DaoShort, 2, 138, 1094},
    {"SafeHandlingNo", DaoShort, 2, 204, 1100},
    {"SalesMode", DaoByte, 1, 206, 1002},
    {"MarkFlag", DaoByte, 1, 207, 1003},
    {"PosSelect", DaoByte, 1, 208, 1024},
    {"OpenPrice", DaoByte, 1, 209, 1027},
    {"DateFlag", DaoByte, 1, 210, 1012},
    {"BestBeforeFlag", DaoByte, 1, 213, 1051},
    {"TimeFlag", DaoByte, 1, 214, 1020},
    {"ExpTimeFlag", DaoByte, 1, 215, 1022},
    {"ForcedTare", DaoByte, 1, 216, 1032},
    {"TotalsFlag", DaoByte, 1, 217, 1070},
    {"No2PrintFlag", DaoByte, 1, 218, 1052},
    {"TopPrintFlag", DaoByte, 1, 219, 1071},
    {"BottomPrintFlag", DaoByte, 1, 220, 1072},
    {"EyeCatchPrintFlag", DaoByte, 1, 221, 1073},
    {"TopBarFlag", DaoByte, 1, 222, 1074},
    {"PrintFlag", DaoByte, 1, 223, 1075},
    {"TrayFlag", DaoByte, 1, 224, 1076},
    {"PopFlag", DaoByte, 1, 225, 1077},
    {"TopTypeFlag", DaoByte, 1, 226, 1078},
    {"LabelFormat", DaoByte, 1, 227, 1035},
    {"BarCodeNum", DaoByte, 1, 228, 1043},
    {"Unit", DaoByte, 1, 229, 1028},
    {"WrappingMode", DaoByte, 1, 230, 1039},
    {"WrappingSpeed", DaoByte, 1, 231, 1040},
    {"Volume", DaoByte, 1, 232, 1041},
    {"LabellingPos", DaoByte, 1, 233, 1042},
    {"Rotate", DaoByte, 1, 234, 1034},
    {"CostPriceFlag", DaoByte, 1, 235, 1081},
    {"ServeHeight", DaoByte, 1, 236, 1083},
    {"LabellingMode", DaoByte, 1, 237, 1084},
    {"Wrapping", DaoByte, 1, 238, 1085},
    {"PosFlagSelect", DaoByte, 1, 239, 1087},
    {"SecondBotPrintFlag", DaoByte, 1, 240, 1088},
    {"ItfCodeType", DaoByte, 1, 241, 1089},
    {"ItfFlag", DaoByte, 1, 242, 1090},
    {"Ean128CodeType", DaoByte, 1, 243, 1091},
    {"Ean128Flag", DaoByte, 1, 244, 1092},
    {"FeedRate", DaoByte, 1, 246, 1096},
    {"KgPrint", DaoByte, 1, 247, 1097},
    {"StockFlag", DaoByte, 1, 248, 1098},
    {"SafeHandlingFlag", DaoByte, 1, 245, 1099},
    {"Desc", DaoLongBinary, 2051, 260, 0},
};

// The columns that code names; the rest are reached by field number.
namespace PluCol {
inline constexpr LongColumn PluNo1 = AsLong(FindColumn(kPluColumns, "Plu_No1"));
inline constexpr TextColumn Name = AsText(FindColumn(kPluColumns, "Name"));
inline constexpr TextColumn PosCode = AsText(FindColumn(kPluColumns, "PosCode"));
inline constexpr TextColumn RegCode = AsText(FindColumn(kPluColumns, "RegCode"));
inline constexpr TextColumn PackType = AsText(FindColumn(kPluColumns, "PackType"));
inline constexpr LongColumn UnitPrice = AsLong(FindColumn(kPluColumns, "UnitPrice"));
inline constexpr LongColumn MarkPrice = AsLong(FindColumn(kPluColumns, "MarkPrice"));
inline constexpr LongColumn ItemCode = AsLong(FindColumn(kPluColumns, "ItemCode"));
inline constexpr LongColumn CtrlFlag = AsLong(FindColumn(kPluColumns, "CtrlFlag"));
inline constexpr LongColumn NutritionID = AsLong(FindColumn(kPluColumns, "NutritionID"));
inline constexpr ShortColumn LabelWidth = AsShort(FindColumn(kPluColumns, "LabelWidth"));
inline constexpr ShortColumn DescLen = AsShort(FindColumn(kPluColumns, "DescLen"));
inline constexpr ShortColumn Dept = AsShort(FindColumn(kPluColumns, "Dept"));
inline constexpr ShortColumn Group = AsShort(FindColumn(kPluColumns, "Group"));
inline constexpr ShortColumn ShelfLife = AsShort(FindColumn(kPluColumns, "ShelfLife"));
inline constexpr ByteColumn SalesMode = AsByte(FindColumn(kPluColumns, "SalesMode"));
inline constexpr ByteColumn MarkFlag = AsByte(FindColumn(kPluColumns, "MarkFlag"));
inline constexpr ByteColumn ExpTimeFlag = AsByte(FindColumn(kPluColumns, "ExpTimeFlag"));
inline constexpr TextColumn Desc = AsText(FindColumn(kPluColumns, "Desc"));
inline constexpr LongColumn FixedPrice = AsLong(FindColumn(kPluColumns, "FixedPrice"));
inline constexpr LongColumn CostPrice = AsLong(FindColumn(kPluColumns, "CostPrice"));
inline constexpr LongColumn Weight = AsLong(FindColumn(kPluColumns, "Weight"));
inline constexpr LongColumn UpperLimit = AsLong(FindColumn(kPluColumns, "UpperLimit"));
inline constexpr LongColumn LowerLimit = AsLong(FindColumn(kPluColumns, "LowerLimit"));
inline constexpr LongColumn Ingredients = AsLong(FindColumn(kPluColumns, "Ingredients"));
inline constexpr LongColumn Message7 = AsLong(FindColumn(kPluColumns, "Message7"));
inline constexpr LongColumn Coupon = AsLong(FindColumn(kPluColumns, "Coupon"));
inline constexpr LongColumn ExMessage2 = AsLong(FindColumn(kPluColumns, "ExMessage2"));
inline constexpr LongColumn ExMessage3 = AsLong(FindColumn(kPluColumns, "ExMessage3"));
inline constexpr LongColumn OldPrice = AsLong(FindColumn(kPluColumns, "OldPrice"));
inline constexpr ShortColumn Posflag = AsShort(FindColumn(kPluColumns, "Posflag"));
inline constexpr ShortColumn PackQuant = AsShort(FindColumn(kPluColumns, "PackQuant"));
inline constexpr ShortColumn BestBefore = AsShort(FindColumn(kPluColumns, "BestBefore"));
inline constexpr ShortColumn PackTime = AsShort(FindColumn(kPluColumns, "PackTime"));
inline constexpr ShortColumn ExpTime = AsShort(FindColumn(kPluColumns, "ExpTime"));
inline constexpr ShortColumn Tare = AsShort(FindColumn(kPluColumns, "Tare"));
inline constexpr ShortColumn Message1 = AsShort(FindColumn(kPluColumns, "Message1"));
inline constexpr ShortColumn Random = AsShort(FindColumn(kPluColumns, "Random"));
inline constexpr ShortColumn TaxNo = AsShort(FindColumn(kPluColumns, "TaxNo"));
inline constexpr ShortColumn TaxRate = AsShort(FindColumn(kPluColumns, "TaxRate"));
inline constexpr ShortColumn Nutrition = AsShort(FindColumn(kPluColumns, "Nutrition"));
inline constexpr ShortColumn StorageTemp = AsShort(FindColumn(kPluColumns, "StorageTemp"));
inline constexpr ShortColumn StorageInstruct = AsShort(FindColumn(kPluColumns, "StorageInstruct"));
inline constexpr ShortColumn Origin = AsShort(FindColumn(kPluColumns, "Origin"));
inline constexpr ShortColumn Comment = AsShort(FindColumn(kPluColumns, "Comment"));
inline constexpr LongColumn FreeMsg1 = AsLong(FindColumn(kPluColumns, "FreeMsg1"));
inline constexpr LongColumn FreeMsg2 = AsLong(FindColumn(kPluColumns, "FreeMsg2"));
inline constexpr LongColumn FreeMsg3 = AsLong(FindColumn(kPluColumns, "FreeMsg3"));
inline constexpr LongColumn FreeMsg4 = AsLong(FindColumn(kPluColumns, "FreeMsg4"));
inline constexpr LongColumn FreeMsg5 = AsLong(FindColumn(kPluColumns, "FreeMsg5"));
inline constexpr ShortColumn StoreId = AsShort(FindColumn(kPluColumns, "StoreId"));
inline constexpr ShortColumn TrayNo = AsShort(FindColumn(kPluColumns, "TrayNo"));
inline constexpr ShortColumn Logo1 = AsShort(FindColumn(kPluColumns, "Logo1"));
inline constexpr ShortColumn Logo2 = AsShort(FindColumn(kPluColumns, "Logo2"));
inline constexpr ShortColumn Logo3 = AsShort(FindColumn(kPluColumns, "Logo3"));
inline constexpr ShortColumn PropTare = AsShort(FindColumn(kPluColumns, "PropTare"));
inline constexpr ShortColumn LabelFormatNo1 = AsShort(FindColumn(kPluColumns, "LabelFormatNo1"));
inline constexpr ShortColumn LabelFormatNo2 = AsShort(FindColumn(kPluColumns, "LabelFormatNo2"));
inline constexpr ShortColumn No2Tare = AsShort(FindColumn(kPluColumns, "No2Tare"));
inline constexpr ShortColumn SafeHandlingNo = AsShort(FindColumn(kPluColumns, "SafeHandlingNo"));
inline constexpr ByteColumn PosSelect = AsByte(FindColumn(kPluColumns, "PosSelect"));
inline constexpr ByteColumn OpenPrice = AsByte(FindColumn(kPluColumns, "OpenPrice"));
inline constexpr ByteColumn DateFlag = AsByte(FindColumn(kPluColumns, "DateFlag"));
inline constexpr ByteColumn BestBeforeFlag = AsByte(FindColumn(kPluColumns, "BestBeforeFlag"));
inline constexpr ByteColumn TimeFlag = AsByte(FindColumn(kPluColumns, "TimeFlag"));
inline constexpr ByteColumn ForcedTare = AsByte(FindColumn(kPluColumns, "ForcedTare"));
inline constexpr ByteColumn TotalsFlag = AsByte(FindColumn(kPluColumns, "TotalsFlag"));
inline constexpr ByteColumn No2PrintFlag = AsByte(FindColumn(kPluColumns, "No2PrintFlag"));
inline constexpr ByteColumn TopPrintFlag = AsByte(FindColumn(kPluColumns, "TopPrintFlag"));
inline constexpr ByteColumn BottomPrintFlag = AsByte(FindColumn(kPluColumns, "BottomPrintFlag"));
inline constexpr ByteColumn EyeCatchPrintFlag = AsByte(FindColumn(kPluColumns, "EyeCatchPrintFlag"));
inline constexpr ByteColumn TopBarFlag = AsByte(FindColumn(kPluColumns, "TopBarFlag"));
inline constexpr ByteColumn PrintFlag = AsByte(FindColumn(kPluColumns, "PrintFlag"));
inline constexpr ByteColumn TrayFlag = AsByte(FindColumn(kPluColumns, "TrayFlag"));
inline constexpr ByteColumn PopFlag = AsByte(FindColumn(kPluColumns, "PopFlag"));
inline constexpr ByteColumn TopTypeFlag = AsByte(FindColumn(kPluColumns, "TopTypeFlag"));
inline constexpr ByteColumn LabelFormat = AsByte(FindColumn(kPluColumns, "LabelFormat"));
inline constexpr ByteColumn BarCodeNum = AsByte(FindColumn(kPluColumns, "BarCodeNum"));
inline constexpr ByteColumn Unit = AsByte(FindColumn(kPluColumns, "Unit"));
inline constexpr ByteColumn WrappingMode = AsByte(FindColumn(kPluColumns, "WrappingMode"));
inline constexpr ByteColumn WrappingSpeed = AsByte(FindColumn(kPluColumns, "WrappingSpeed"));
inline constexpr ByteColumn Volume = AsByte(FindColumn(kPluColumns, "Volume"));
inline constexpr ByteColumn LabellingPos = AsByte(FindColumn(kPluColumns, "LabellingPos"));
inline constexpr ByteColumn Rotate = AsByte(FindColumn(kPluColumns, "Rotate"));
inline constexpr ByteColumn CostPriceFlag = AsByte(FindColumn(kPluColumns, "CostPriceFlag"));
inline constexpr ByteColumn ServeHeight = AsByte(FindColumn(kPluColumns, "ServeHeight"));
inline constexpr ByteColumn LabellingMode = AsByte(FindColumn(kPluColumns, "LabellingMode"));
inline constexpr ByteColumn Wrapping = AsByte(FindColumn(kPluColumns, "Wrapping"));
inline constexpr ByteColumn PosFlagSelect = AsByte(FindColumn(kPluColumns, "PosFlagSelect"));
inline constexpr ByteColumn SecondBotPrintFlag = AsByte(FindColumn(kPluColumns, "SecondBotPrintFlag"));
inline constexpr ByteColumn ItfCodeType = AsByte(FindColumn(kPluColumns, "ItfCodeType"));
inline constexpr ByteColumn ItfFlag = AsByte(FindColumn(kPluColumns, "ItfFlag"));
inline constexpr ByteColumn Ean128CodeType = AsByte(FindColumn(kPluColumns, "Ean128CodeType"));
inline constexpr ByteColumn Ean128Flag = AsByte(FindColumn(kPluColumns, "Ean128Flag"));
inline constexpr ByteColumn FeedRate = AsByte(FindColumn(kPluColumns, "FeedRate"));
inline constexpr ByteColumn KgPrint = AsByte(FindColumn(kPluColumns, "KgPrint"));
inline constexpr ByteColumn StockFlag = AsByte(FindColumn(kPluColumns, "StockFlag"));
inline constexpr ByteColumn SafeHandlingFlag = AsByte(FindColumn(kPluColumns, "SafeHandlingFlag"));
}  // namespace PluCol

}  // namespace varnel
