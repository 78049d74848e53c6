// The row of the advertising message table (table 3, "ScrollMsg"): one of nine messages that scales
// show on their customer display. 516 data bytes, always stored whole:
//   offset  column        meaning
//   0       MessageData   the text, at most 100 bytes and a 0 byte (a 102-byte area)
//   102     IsScroll      1: a scrolling message (the simple editor, the text records)
//   104     DispMode      0 display off, 1 to 3 scroll 1 to 3, 4 to 6 flash 1 to 3
//   106     DispDate      0 every day, 1 Sunday to 7 Saturday
//   108     DispTime      start hour × 100 + end hour
//   110     ConseqMsg     1: a consecutive message
//   112     IntervalMode  1: the text shown inverted
//   114     Size          0 standard, 1 enlarged
//   116     Speed         0 fast, 1 medium, 2 slow
//   118     Flash         0 flash, 1 scroll
//   120     FlashSpeed    times to flash: 0 none, 1 once, 2 to 9
// Every column after the text is 16 bits.
#pragma once

#include "scaledata/MessageRow.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varnel {

namespace scroll_columns {
inline constexpr ColumnDef kColumns[] = {
    {"Message_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"IsScroll", DaoShort, 2, 102, 0},
    {"DispMode", DaoShort, 2, 104, 0},
    {"DispDate", DaoShort, 2, 106, 0},
    {"DispTime", DaoShort, 2, 108, 0},
    {"ConseqMsg", DaoShort, 2, 110, 0},
    {"Size", DaoShort, 2, 114, 0},
    {"Speed", DaoShort, 2, 116, 0},
    {"Flash", DaoShort, 2, 118, 0},
    {"FlashSpeed", DaoShort, 2, 120, 0},
    {"IntervalMode", DaoShort, 2, 112, 0},
    {"MessageData", DaoLongBinary, 101, 0, 0},
};
constexpr TextColumn kText = AsText(FindColumn(kColumns, "MessageData"));
constexpr ShortColumn kIsScroll = AsShort(FindColumn(kColumns, "IsScroll"));
constexpr ShortColumn kDispMode = AsShort(FindColumn(kColumns, "DispMode"));
constexpr ShortColumn kDispDate = AsShort(FindColumn(kColumns, "DispDate"));
constexpr ShortColumn kDispTime = AsShort(FindColumn(kColumns, "DispTime"));
constexpr ShortColumn kConseqMsg = AsShort(FindColumn(kColumns, "ConseqMsg"));
constexpr ShortColumn kIntervalMode = AsShort(FindColumn(kColumns, "IntervalMode"));
constexpr ShortColumn kSize = AsShort(FindColumn(kColumns, "Size"));
constexpr ShortColumn kSpeed = AsShort(FindColumn(kColumns, "Speed"));
constexpr ShortColumn kFlash = AsShort(FindColumn(kColumns, "Flash"));
constexpr ShortColumn kFlashSpeed = AsShort(FindColumn(kColumns, "FlashSpeed"));
}  // namespace scroll_columns

class CScrollMsgRec final : public CFixedScaleDataRow {
public:
    static constexpr std::size_t kSize = 516;
    static constexpr std::size_t kTextMax = 100;

    CScrollMsgRec() : CFixedScaleDataRow(kSize) {}

    std::string_view GetText() const { return Get(scroll_columns::kText); }
    void SetText(std::string_view text);
};

}  // namespace varnel
