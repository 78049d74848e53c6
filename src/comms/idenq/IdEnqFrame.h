// The bytes of the ID-ENQ line protocol: control bytes, the enquiry, and the data frame with its
// block check. Pure: no I/O and no clock.
//
// Enquiry (6 bytes):
//   OFFSET  SIZE  FIELD
//     0       1   EOT 0x04
//     1       2   'K' 'T'
//     3       2   the scale's machine id, two ASCII decimal digits with a leading zero ("07")
//     5       1   ENQ 0x05
//
// Data frame (at most 256 bytes):
//   OFFSET  SIZE  FIELD
//     0       1   STX 0x02
//     1       2   sequence number, two ASCII decimal digits, 00 to 99
//     3       n   data, 1 to 251 bytes
//   3+n       1   ETX 0x03 when the frame ends its packet, ETB 0x17 when more frames follow
//   4+n       1   block check: 0x7F XOR the sequence digits, the data and the terminator (STX is not
//                 covered), ANDed with 0x7F on a line without 8-bit data
//
// A packet is the data of one or more frames, of which only the last ends in ETX.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace varnel::idenq {

constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kEtx = 0x03;
constexpr std::uint8_t kEot = 0x04;
constexpr std::uint8_t kEnq = 0x05;
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint8_t kEtb = 0x17;
constexpr std::uint8_t kEsc = 0x1B;

constexpr std::size_t kEnquirySize = 6;
constexpr std::size_t kFrameHeaderSize = 3;   // STX and the two sequence digits
constexpr std::size_t kFrameTrailerSize = 2;  // terminator and block check
constexpr std::size_t kMaxFrameData = 251;
constexpr std::size_t kMaxFrameBody = kMaxFrameData + kFrameTrailerSize;  // what follows the header
constexpr std::uint16_t kSequenceModulus = 100;
constexpr std::uint16_t kHighestMachineId = 99;

using Enquiry = std::array<std::uint8_t, kEnquirySize>;
using SequenceDigits = std::array<std::uint8_t, 2>;

// The enquiry that claims the line to the scale of `machineId`; none above 99, which the two digits
// cannot name (another scale would answer).
std::optional<Enquiry> MakeEnquiry(std::uint16_t machineId);

// The two ASCII digits of a sequence number 0 to 99.
SequenceDigits MakeSequenceDigits(std::uint16_t sequence);

std::uint8_t BlockCheck(const SequenceDigits& digits, std::span<const std::uint8_t> data, std::uint8_t terminator,
                        bool eightBitData);

constexpr bool IsTerminator(std::uint8_t byte) { return byte == kEtx || byte == kEtb; }

// Whether the body bytes received after a frame's header end in a terminator and a block check
// (a candidate end); whether that block check is the right one for the bytes before it.
bool EndsInCandidate(std::span<const std::uint8_t> body);
bool IsCheckedFrameEnd(const SequenceDigits& digits, std::span<const std::uint8_t> body, bool eightBitData);

}  // namespace varnel::idenq
