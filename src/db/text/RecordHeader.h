// The 8-byte header that opens a record sent to a scale.
//
//   offset  MakeRecordHeader (families 9 to 12)        MakeShortRecordHeader
//   0       record number, BCD digits 1-2              record number, BCD digits 1-2 (its low two)
//   1       record number, BCD digits 3-4              0
//   2-5     0                                          0
//   6-7     record length, big-endian                  record length, little-endian
//
// The number is taken modulo 65536 and then keeps its low 4 (or 2) decimal digits; record numbers
// are the builders' own codes, never data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace varnel {

constexpr std::size_t kRecordHeaderSize = 8;
using RecordHeader = std::span<std::uint8_t, kRecordHeaderSize>;

// Both return kRecordHeaderSize.
std::size_t MakeRecordHeader(RecordHeader header, std::uint32_t number, std::uint16_t length);
std::size_t MakeShortRecordHeader(RecordHeader header, std::uint32_t number, std::uint16_t length);

}  // namespace varnel
