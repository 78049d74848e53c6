#include "app/DateTimeRecord.h"

#include "db/text/Bcd.h"
#include "db/text/RecordHeader.h"
#include "platform/TextFormat.h"

#include <algorithm>
#include <string>

namespace varnel {
namespace {

constexpr std::size_t kMinimumRoom = 14;
constexpr std::size_t kBcdRecordSize = 8;

bool BuildBcd(const DateTimeParts& when, ScaleRecordOut& out)
{
    const std::span<std::uint8_t> record = out.buffer.first(kBcdRecordSize);
    std::ranges::fill(record, std::uint8_t{0});
    bool packed = PackBcd(record.subspan(0, 2), static_cast<std::uint32_t>(when.year), 4);
    const int fields[] = {when.month, when.day, when.hour, when.minute};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        packed &= PackBcd(record.subspan(2 + i, 1), static_cast<std::uint32_t>(fields[i]), 2);
    if (!packed) return false;
    out.length = static_cast<std::uint16_t>(kBcdRecordSize);
    out.code = 90;
    return true;
}

bool BuildText(std::uint16_t code, const DateTimeParts& when, ScaleRecordOut& out)
{
    const std::string text =
        FormatText("%04.4d%02.2d%02.2d%02.2d%02.2d,", when.year, when.month, when.day, when.hour, when.minute);
    if (kRecordHeaderSize + text.size() > out.buffer.size()) return false;
    MakeRecordHeader(out.buffer.first<kRecordHeaderSize>(), code, static_cast<std::uint16_t>(text.size()));
    std::ranges::copy(text, out.buffer.begin() + kRecordHeaderSize);
    out.length = static_cast<std::uint16_t>(kRecordHeaderSize + text.size());
    out.code = code;
    return true;
}

}  // namespace

bool BuildDateTimeRecord(std::uint16_t family, const DateTimeParts& when, ScaleRecordOut& out)
{
    out.length = 0;
    out.code = 0;
    if (out.buffer.size() < kMinimumRoom) return false;
    switch (family) {
    case 6:
    case 8: return BuildBcd(when, out);
    case 10:
    case 12: return BuildText(3012, when, out);
    case 11: return BuildText(1081, when, out);
    default: return false;
    }
}

}  // namespace varnel
