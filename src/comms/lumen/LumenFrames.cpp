#include "comms/lumen/LumenFrames.h"

#include <algorithm>
#include <cctype>

namespace varnel::lumen {
namespace {

constexpr char kLetters[] = "IMSPFCNTKHGLE0";
constexpr std::uint32_t kMarketVersion5Command = 6;
constexpr std::uint8_t kAccepted = '1';
constexpr std::uint8_t kRejected = '0';
constexpr std::uint8_t kLowestCommandLetter = 'A';

bool SentInLowerCase(std::uint32_t command) { return command <= 3 || command == 6; }

Bytes Framed(Bytes body)
{
    Bytes frame{kStx};
    body.push_back(kEtx);
    body.push_back(BlockCheck(body));
    frame.insert(frame.end(), body.begin(), body.end());
    return frame;
}

}  // namespace

CommandLetters CommandLetters::ForMarketVersion(std::uint16_t marketVersion)
{
    CommandLetters table{};
    std::copy_n(kLetters, table.letters.size(), table.letters.begin());
    if (marketVersion == 5) table.letters[kMarketVersion5Command] = 'O';
    return table;
}

std::uint8_t CommandLetters::LetterToSend(std::uint32_t command, bool addMode) const
{
    const auto letter = static_cast<unsigned char>(letters[std::min<std::size_t>(command, kNoCommand)]);
    return static_cast<std::uint8_t>(!addMode && SentInLowerCase(command) ? std::tolower(letter) : letter);
}

std::optional<std::uint32_t> CommandLetters::IndexOf(std::uint8_t letter) const
{
    const auto upper = static_cast<char>(std::toupper(letter));
    for (std::uint32_t index = 0; index < kNoCommand; ++index)
        if (letters[index] == upper) return index;
    return std::nullopt;
}

std::uint8_t BlockCheck(std::span<const std::uint8_t> afterStx)
{
    std::uint8_t check = 0;
    for (const std::uint8_t byte : afterStx) check ^= byte;
    return check;
}

Bytes CommandFrame(std::uint8_t letter) { return Framed({kLinkDigit, letter}); }

Bytes ReplyFrame(bool accepted, std::uint8_t letter)
{
    return Framed({kLinkDigit, accepted ? kAccepted : kRejected, accepted ? letter : kRejected});
}

Bytes DataBlockFrame(std::uint8_t number, std::span<const std::uint8_t> data)
{
    Bytes body{kLinkDigit, number, static_cast<std::uint8_t>(data.size())};
    body.insert(body.end(), data.begin(), data.end());
    return Framed(std::move(body));
}

std::size_t BlockCount(std::size_t dataLength) { return (dataLength + kMaxBlockData - 1) / kMaxBlockData; }

FrameShape ShapeOf(std::span<const std::uint8_t> start)
{
    if (start[3] == kEtx && start[2] >= kLowestCommandLetter) return {true, kCommandFrameSize};
    return {false, std::size_t{start[3]} + kFrameOverhead};
}

bool HasGoodBlockCheck(std::span<const std::uint8_t> frame)
{
    if (frame.size() < 3 || frame[frame.size() - 2] != kEtx) return false;
    return BlockCheck(frame.subspan(1, frame.size() - 2)) == frame.back();
}

}  // namespace varnel::lumen
