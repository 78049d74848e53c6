// The rows of the campaign tables: a campaign (table 10), a line of a campaign (table 11) and the
// old campaign record of the oldest databases (table 5), which holds its lines inside it.
//
// Campaign row, 66 data bytes:
//   offset  size  column
//   0       40    Name: at most 39 characters and a 0 byte
//   40      12    StartTime: the date as a day count (double), then a 32-bit validity status
//   52      12    EndTime: likewise
//   64      2     DayOfWeek: 0 every day, 1 Monday to 7 Sunday
//
// Campaign line row, 20 data bytes, keyed campaign × 2^24 + the line's place in the campaign:
//   0 CampaignNo (32 bits), 4 PluNo, 8 Price, 12 SalesMode (16 bits, two bytes unused), 16 OldPrice
//
// Old campaign record, 3280 data bytes, keyed by the campaign number:
//   0 the name (40), 40 start day, hour, minute, month less 1 (one byte each), 44 start year (16
//   bits), 46 the end likewise, 52 unused (12), 64 100 lines of 16 bytes (PLU 32 bits, price 32 bits,
//   sales mode 16 bits, 6 unused; a PLU of 0 ends them), 1664 unused. Records of still older files
//   hold the lines 12 bytes apart (2 unused after the sales mode); ConvertOldLayout spreads them out.
#pragma once

#include "platform/OleDate.h"
#include "scaledata/MessageRow.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace varnel {

namespace campaign_columns {
inline constexpr ColumnDef kColumns[] = {
    {"Campaign_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"Name", DaoText, 40, 0, 0},
    {"StartTime", DaoDate, 12, 40, 0},
    {"EndTime", DaoDate, 12, 52, 0},
    {"DayOfWeek", DaoShort, 2, 64, 0},
};
}  // namespace campaign_columns

namespace campdata_columns {
inline constexpr ColumnDef kColumns[] = {
    {"Record_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"CampaignNo", DaoLong, 4, 0, 0},
    {"PluNo", DaoLong, 4, 4, 0},
    {"Price", DaoLong, 4, 8, 0},
    {"SalesMode", DaoShort, 2, 12, 0},
    {"OldPrice", DaoLong, 4, 16, 0},
};
}  // namespace campdata_columns

class CCampaignRec final : public CFixedScaleDataRow {
public:
    static constexpr std::size_t kSize = 66;
    static constexpr std::size_t kNameMax = 39;

    CCampaignRec() : CFixedScaleDataRow(kSize) {}

    // An empty name, start and end now, every day.
    void InitNew(std::uint32_t key) override;

    std::string_view GetName() const;
    void SetName(std::string_view name);
    // The dates as their parts; none for a value outside the years 100 to 9999.
    std::optional<DateTimeParts> GetStart() const;
    std::optional<DateTimeParts> GetEnd() const;
    // False, changing nothing, for parts that name no date.
    bool SetStart(const DateTimeParts& parts);
    bool SetEnd(const DateTimeParts& parts);
    void SetStartValue(double oleDate);
    void SetEndValue(double oleDate);
    std::uint16_t GetDayOfWeek() const;
    void SetDayOfWeek(std::uint16_t day);
};

class CCampDataRec final : public CFixedScaleDataRow {
public:
    static constexpr std::size_t kSize = 20;

    CCampDataRec() : CFixedScaleDataRow(kSize) {}

    std::uint32_t GetCampaignNo() const;
    void SetCampaignNo(std::uint32_t number);
    std::uint32_t GetPluNo() const;
    void SetPluNo(std::uint32_t plu);
    std::uint32_t GetPrice() const;
    void SetPrice(std::uint32_t price);
    std::uint16_t GetSalesMode() const;
    void SetSalesMode(std::uint16_t mode);
    std::uint32_t GetOldPrice() const;
    void SetOldPrice(std::uint32_t price);
};

// Keys of campaign lines, in 64 bits so that a range's end never wraps.
constexpr std::uint64_t FirstCampaignLineKey(std::uint64_t campaign) { return campaign << 24; }
constexpr std::uint64_t LastCampaignLineKey(std::uint64_t campaign) { return FirstCampaignLineKey(campaign + 1) - 1; }

class CTable5Rec final : public CFixedScaleDataRow {
public:
    static constexpr std::size_t kSize = 3280;
    static constexpr std::size_t kLines = 100;

    struct Line {
        std::uint32_t plu = 0;
        std::uint32_t price = 0;
        std::uint16_t salesMode = 0;
    };
    struct When {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0;  // month 1 to 12 as read (stored less 1)
    };

    CTable5Rec() : CFixedScaleDataRow(kSize) {}

    std::string_view GetName() const;
    When GetStart() const;
    When GetEnd() const;
    Line GetLine(std::size_t index) const;

    // Spreads the lines of the 12-byte layout out to 16 bytes each; the row takes its whole size.
    void ConvertOldLayout() override;
};

}  // namespace varnel
