// The block protocol's bytes on the wire, as pure functions: the 8-byte block header, commands,
// request blocks, delete-totals messages, the 12-byte reply body and the record headers inside a
// received block. The protocol has two forms of one layout:
//
//   offset  long form (families 9-12)                 short form (other families)
//   0       code, 4 packed-BCD digits (2 bytes)       code, 2 packed-BCD digits
//   1       (part of the code)                        0
//   2       BCD(2) 0 when sent; a sub-code read back  0
//   3       flag: 0 data or success, else refusal     the same
//   4       u32 big-endian: length with the header    u32 little-endian: length after the header
//
// Read back, both forms give the length of what follows the header.
//
//   reply body (12 bytes after a header of length 12)
//   offset  long form        short form      meaning
//   0       BCD(2)           byte            not used
//   4       BCD(4)           u16 LE          first count
//   6       BCD(4)           u16 LE          second count
//   8       BCD(4)           u16 LE          third count (not used)
//   10      u16 BE           u16 LE          error code
#pragma once

#include "platform/Messages.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace varnel::sorrel {

enum class Form { Short, Long };

// The long form is the comma-separated families'.
Form FormOfFamily(std::uint16_t family);

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kReplyBodySize = 12;

using Header = std::array<std::uint8_t, kHeaderSize>;
using Bytes = std::vector<std::uint8_t>;

// Command codes.
constexpr std::uint16_t kStartOfTransfer = 80;
constexpr std::uint16_t kEndOfTransfer = 81;
constexpr std::uint16_t kStatusPoll = 91;
constexpr std::uint16_t kMasterSatelliteEnd = 3019;  // long form only

// A command: the header alone (short form length 0, long form length 8).
Header CommandHeader(Form form, std::uint16_t code);
// The header of a block of records whose encoded length (record headers included) is `recordsLength`.
Header BlockHeader(Form form, std::uint16_t blockCode, std::uint32_t recordsLength);
// A request for a data kind: header, then (long form) an inner header, then the request data.
Bytes RequestBlock(Form form, std::uint16_t blockCode, std::span<const std::uint8_t> data);
// The message that clears production totals after they were read.
Bytes DeleteTotalsMessage(Form form, std::uint16_t code);

struct ParsedHeader {
    std::uint16_t code = 0;
    std::uint8_t subCode = 0;
    std::uint8_t flag = 0;
    std::uint32_t length = 0;  // what follows the header
};
ParsedHeader ParseHeader(Form form, std::span<const std::uint8_t, kHeaderSize> header);

struct ReplyBody {
    std::uint16_t firstCount = 0;
    std::uint16_t secondCount = 0;
    std::uint16_t thirdCount = 0;
    std::uint16_t errorCode = 0;
};
ReplyBody ParseReplyBody(Form form, std::span<const std::uint8_t, kReplyBodySize> body);

// What a refusal (flag set) means: 61456 when the scale took some of the records (a first count
// that is not 0 and differs from the second), else 31457.
MessageId RefusalResult(const ReplyBody& body);

struct RecordHeaderFields {
    std::uint16_t code = 0;
    std::uint16_t length = 0;  // of the body after the header
};
RecordHeaderFields ParseRecordHeader(Form form, std::span<const std::uint8_t, kHeaderSize> header);

}  // namespace varnel::sorrel
