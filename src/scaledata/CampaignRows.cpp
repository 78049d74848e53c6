#include "scaledata/CampaignRows.h"

#include "platform/ByteOrder.h"
#include "platform/LocalTime.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>

namespace varnel {
namespace {

using campaign_columns::kColumns;

constexpr auto kName = AsText(FindColumn(kColumns, "Name"));
constexpr std::size_t kStartOffset = FindColumn(kColumns, "StartTime").offset;
constexpr std::size_t kEndOffset = FindColumn(kColumns, "EndTime").offset;
constexpr auto kDayOfWeek = AsShort(FindColumn(kColumns, "DayOfWeek"));

constexpr auto kCampaignNo = AsLong(FindColumn(campdata_columns::kColumns, "CampaignNo"));
constexpr auto kPluNo = AsLong(FindColumn(campdata_columns::kColumns, "PluNo"));
constexpr auto kPrice = AsLong(FindColumn(campdata_columns::kColumns, "Price"));
constexpr auto kSalesMode = AsShort(FindColumn(campdata_columns::kColumns, "SalesMode"));
constexpr auto kOldPrice = AsLong(FindColumn(campdata_columns::kColumns, "OldPrice"));

// A date-time column: the day count, then its status (0 valid).
std::optional<DateTimeParts> ReadDate(const std::uint8_t* data, std::size_t offset)
{
    double value = 0;
    std::memcpy(&value, data + offset, sizeof value);
    return OleDateToParts(value);
}
void WriteDate(std::uint8_t* data, std::size_t offset, double value)
{
    std::memcpy(data + offset, &value, sizeof value);
    StoreLe32(data + offset + sizeof value, static_cast<std::uint32_t>(DateTimeStatus::Valid));
}

// The old record.
constexpr std::size_t kOldNameSize = 40;
constexpr std::size_t kOldStart = 40;
constexpr std::size_t kOldEnd = 46;
constexpr std::size_t kOldLines = 64;
constexpr std::size_t kOldLineSize = 16;
constexpr std::size_t kOlderLineSize = 12;

CTable5Rec::When ReadOldWhen(const std::uint8_t* p)
{
    return {LoadLe16(p + 4), p[3] + 1, p[0], p[1], p[2]};
}

}  // namespace

void CCampaignRec::InitNew(std::uint32_t)
{
    SetName({});
    const double now = ToLocalOleDate(std::chrono::system_clock::now());
    SetStartValue(now);
    SetEndValue(now);
    SetDayOfWeek(0);
}

std::string_view CCampaignRec::GetName() const { return Get(kName); }
void CCampaignRec::SetName(std::string_view name) { Set(kName, name.substr(0, std::min(name.size(), kNameMax))); }
std::optional<DateTimeParts> CCampaignRec::GetStart() const { return ReadDate(CDBRecord::GetData(), kStartOffset); }
std::optional<DateTimeParts> CCampaignRec::GetEnd() const { return ReadDate(CDBRecord::GetData(), kEndOffset); }
void CCampaignRec::SetStartValue(double oleDate) { WriteDate(GetData(), kStartOffset, oleDate); }
void CCampaignRec::SetEndValue(double oleDate) { WriteDate(GetData(), kEndOffset, oleDate); }

bool CCampaignRec::SetStart(const DateTimeParts& parts)
{
    const std::optional<double> value = PartsToOleDate(parts);
    if (value) SetStartValue(*value);
    return value.has_value();
}

bool CCampaignRec::SetEnd(const DateTimeParts& parts)
{
    const std::optional<double> value = PartsToOleDate(parts);
    if (value) SetEndValue(*value);
    return value.has_value();
}

std::uint16_t CCampaignRec::GetDayOfWeek() const { return Get(kDayOfWeek); }
void CCampaignRec::SetDayOfWeek(std::uint16_t day) { Set(kDayOfWeek, day); }

std::uint32_t CCampDataRec::GetCampaignNo() const { return static_cast<std::uint32_t>(Get(kCampaignNo)); }
void CCampDataRec::SetCampaignNo(std::uint32_t number) { Set(kCampaignNo, static_cast<std::int32_t>(number)); }
std::uint32_t CCampDataRec::GetPluNo() const { return static_cast<std::uint32_t>(Get(kPluNo)); }
void CCampDataRec::SetPluNo(std::uint32_t plu) { Set(kPluNo, static_cast<std::int32_t>(plu)); }
std::uint32_t CCampDataRec::GetPrice() const { return static_cast<std::uint32_t>(Get(kPrice)); }
void CCampDataRec::SetPrice(std::uint32_t price) { Set(kPrice, static_cast<std::int32_t>(price)); }
std::uint16_t CCampDataRec::GetSalesMode() const { return Get(kSalesMode); }
void CCampDataRec::SetSalesMode(std::uint16_t mode) { Set(kSalesMode, mode); }
std::uint32_t CCampDataRec::GetOldPrice() const { return static_cast<std::uint32_t>(Get(kOldPrice)); }
void CCampDataRec::SetOldPrice(std::uint32_t price) { Set(kOldPrice, static_cast<std::int32_t>(price)); }

std::string_view CTable5Rec::GetName() const { return Get(TextColumn{0, kOldNameSize}); }
CTable5Rec::When CTable5Rec::GetStart() const { return ReadOldWhen(CDBRecord::GetData() + kOldStart); }
CTable5Rec::When CTable5Rec::GetEnd() const { return ReadOldWhen(CDBRecord::GetData() + kOldEnd); }

CTable5Rec::Line CTable5Rec::GetLine(std::size_t index) const
{
    if (index >= kLines) return {};
    const std::uint8_t* p = CDBRecord::GetData() + kOldLines + index * kOldLineSize;
    return {LoadLe32(p), LoadLe32(p + 4), LoadLe16(p + 8)};
}

void CTable5Rec::ConvertOldLayout()
{
    // A record already of the current size has its lines in their places.
    if (GetLength() >= kSize) return;
    std::uint8_t* lines = GetData() + kOldLines;
    std::array<std::uint8_t, kLines * kOlderLineSize> older{};
    std::copy_n(lines, older.size(), older.begin());
    std::fill_n(lines, kLines * kOldLineSize, std::uint8_t{0});
    for (std::size_t i = 0; i < kLines; ++i)
        std::copy_n(older.begin() + static_cast<std::ptrdiff_t>(i * kOlderLineSize), kOlderLineSize,
                    lines + i * kOldLineSize);
    SetCapacity(static_cast<std::uint16_t>(kSize));
    SetLength(static_cast<std::uint16_t>(kSize));
}

}  // namespace varnel
