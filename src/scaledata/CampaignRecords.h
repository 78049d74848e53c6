// The records of a campaign and its lines, each form declared once as a layout (RecordLayout.h) that
// one writer and one reader walk: a head, then the lines in one line layout.
//
//   form      families    head                                           line
//   Text      0 to 5      an opening ("62", "33", "3302", "80"), the     PLU, sales mode, price (and old
//                         number (2 digits; none for family 2), start    price in market 14); family 1 PLU
//                         and end in the site's date form                and price; families 2, 3 "0", PLU
//                                                                        and price in 5 digits
//   Binary    6, 8, file  number BCD 2, 0 0 0, start year BCD 4, month,  PLU BCD 8, sales mode BCD 2,
//                         day, hour, minute BCD 2, four 0, the end, 0,    price BCD 8
//                         the line count as a byte
//   Csv       9, 11       "number,YYYYMMDD,HHMM,YYYYMMDD,HHMM,count,"     "PLU,scale mode,price,"
//   Mixed     10, 12      "number,year,month,day,hour,minute," twice,    as Binary with the scale mode;
//                         "count,"                                       always 100 lines, zeros after
//                                                                        the last
//   DataSave  Data Save   number BCD 2, 0, start minute, hour, day,      PLU BCD 6, sales mode BCD 1,
//                         month (bytes), year (16 bits, little-endian),  price BCD 7
//                         four 0, the end likewise, three 0, the count
//
// The comma-separated and mixed forms carry the scale's sales modes: where the family is 9 or the
// market 0, modes 3 to 8 go as 1 to 6 (every other as 0) and come back as scale modes 0 to 6 plus 2;
// elsewhere modes 0 to 5 go as they are (every other as 0) and come back as they stand. Family 9 in
// market 0 takes a percentage in whole percent (the database keeps tenths there); every other form
// carries the price as stored. A value wider than its field refuses the record.
#pragma once

#include "db/text/RecordFields.h"
#include "platform/OleDate.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace varnel {

// The sales modes of a campaign line; 4 and 7 are percentages.
enum CampaignSalesMode : std::uint16_t {
    CampUnitPrice = 0,
    CampFixedPrice = 1,
    CampMarkdownPrice = 2,
    CampMinusPrice = 3,
    CampMinusPercent = 4,
    CampDiscountPerWeight = 5,
    CampMinusUnitPrice = 6,
    CampMinusPercentUnitPrice = 7,
    CampPrice = 8,
};
constexpr bool IsPercentSalesMode(std::uint32_t mode) { return mode == CampMinusPercent || mode == CampMinusPercentUnitPrice; }

enum class CampaignForm : std::uint8_t { Text, Binary, Csv, Mixed, DataSave };

// How a text record opens and gives its dates.
enum class CampaignOpening : std::uint8_t { Code62, Code33, Code3302, Code80 };
enum class CampaignDates : std::uint8_t {
    MonthDayYear,  // MMDDYYYYhhmm
    YearMonthDay,  // YYYYMMDDhhmm
    ShortYear,     // YYMMDDhhmm
    DayOfWeek,     // the day (one digit), then the start's and the end's hhmm
};

struct CampaignRecordSite {
    std::uint16_t family = 0;
    std::uint16_t market = 0;
    // Text records only.
    CampaignOpening opening = CampaignOpening::Code62;
    bool numbered = true;
    CampaignDates dates = CampaignDates::MonthDayYear;
};

struct CampaignLine {
    std::uint32_t plu = 0;
    std::uint32_t salesMode = 0;
    std::uint32_t price = 0;
    std::uint32_t oldPrice = 0;
};

struct CampaignRecord {
    std::uint32_t number = 0;
    // No date until one is given or read: a field a reader could not read leaves it invalid.
    DateTimeParts start{0, 0, 0, 0, 0, 0};
    DateTimeParts end{0, 0, 0, 0, 0, 0};
    std::uint16_t dayOfWeek = 0;
    std::vector<CampaignLine> lines;
};

// The lines each form carries at most.
constexpr std::size_t kCampaignLinesMax = 100;
constexpr std::size_t kCampaignCsvLinesMax = 200;

// Writes the head and at most the form's count of the record's lines.
void WriteCampaignRecord(CampaignForm form, const CampaignRecordSite& site, const CampaignRecord& record,
                         RecordFields& out);

// The record read back (not the Text form, which no scale sends); none when the record is shorter
// than its head or than the lines its count names, names more lines than its form carries, or has no
// count. Data Save records take at most 100 lines, as far as the record goes, up to a PLU of 0. The
// number and dates are as read: the caller checks them.
std::optional<CampaignRecord> ReadCampaignRecord(CampaignForm form, const CampaignRecordSite& site,
                                                 std::span<const std::uint8_t> bytes);

}  // namespace varnel
