// The Lumen link's frames, as pure functions. Every frame opens with STX and '1' and ends with ETX
// and a block check (BCC: the XOR of every byte after STX up to and including ETX):
//
//   command     STX '1' letter ETX BCC                       5 bytes
//   reply       STX '1' status letter ETX BCC                6 bytes ('1' accepted; '0' and '0' rejected)
//   data block  STX '1' number n data(n) ETX BCC             n + 6 bytes, n 1 to 250
//
// Commands by index: "IMSPFCNTKHGLE0" (12 'E' ends a transfer, 13 none or rejected); index 6 is 'O'
// in market version 5. Commands 0-3 and 6 go in lower case in overwrite mode; a received letter is
// matched without regard to case. A command's data goes in blocks of 250 bytes numbered down to 0.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace varnel::lumen {

constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kEtx = 0x03;
constexpr std::uint8_t kLinkDigit = '1';
constexpr std::size_t kCommandFrameSize = 5;
constexpr std::size_t kReplyFrameSize = 6;
constexpr std::size_t kFrameOverhead = 6;
constexpr std::size_t kMaxBlockData = 250;

constexpr std::uint32_t kEndOfTransfer = 12;
constexpr std::uint32_t kNoCommand = 13;

using Bytes = std::vector<std::uint8_t>;

// The letters of the commands, by index, for a market version (5 changes index 6).
struct CommandLetters {
    std::array<char, kNoCommand + 1> letters;
    static CommandLetters ForMarketVersion(std::uint16_t marketVersion);
    // The letter sent for a command: lower case for commands 0-3 and 6 unless adding.
    std::uint8_t LetterToSend(std::uint32_t command, bool addMode) const;
    // The index of a received letter (case ignored); none for a letter of no command.
    std::optional<std::uint32_t> IndexOf(std::uint8_t letter) const;
};

std::uint8_t BlockCheck(std::span<const std::uint8_t> afterStx);
Bytes CommandFrame(std::uint8_t letter);
Bytes ReplyFrame(bool accepted, std::uint8_t letter);
Bytes DataBlockFrame(std::uint8_t number, std::span<const std::uint8_t> data);

// The blocks of a command's data: ceil(length / 250), the first numbered count - 1, the last 0.
std::size_t BlockCount(std::size_t dataLength);

// What the bytes in hand make, for the side that receives frames: more bytes needed, a command frame
// (5 bytes: ETX at index 3 and a letter of 'A' or above at index 2), or a data block frame of the
// length its length byte gives.
struct FrameShape {
    bool command = false;
    std::size_t size = 0;  // of the whole frame
};
// Needs at least kCommandFrameSize bytes.
FrameShape ShapeOf(std::span<const std::uint8_t> start);
// Whether a complete frame's block check holds.
bool HasGoodBlockCheck(std::span<const std::uint8_t> frame);

}  // namespace varnel::lumen
