#include "db/text/RecordHeader.h"

#include "db/text/Bcd.h"
#include "platform/ByteOrder.h"

#include <algorithm>

namespace varnel {
namespace {
constexpr std::size_t kLengthOffset = 6;

std::uint16_t NumberOfHeader(std::uint32_t number) { return static_cast<std::uint16_t>(number % 65536); }
}  // namespace

std::size_t MakeRecordHeader(RecordHeader header, std::uint32_t number, std::uint16_t length)
{
    std::fill(header.begin(), header.end(), std::uint8_t{0});
    // Only the low 4 digits are kept, as PackBcdShort keeps them when higher ones are lost.
    static_cast<void>(PackBcdShort(header.first(2), NumberOfHeader(number), 4));
    StoreBe16(header.data() + kLengthOffset, length);
    return kRecordHeaderSize;
}

std::size_t MakeShortRecordHeader(RecordHeader header, std::uint32_t number, std::uint16_t length)
{
    std::fill(header.begin(), header.end(), std::uint8_t{0});
    static_cast<void>(PackBcdShort(header.first(1), NumberOfHeader(number), 2));
    StoreLe16(header.data() + kLengthOffset, length);
    return kRecordHeaderSize;
}

}  // namespace varnel
