#include "comms/idenq/IdEnqFrame.h"

#include <cassert>

namespace varnel::idenq {

std::optional<Enquiry> MakeEnquiry(std::uint16_t machineId)
{
    if (machineId > kHighestMachineId) return std::nullopt;
    const SequenceDigits digits = MakeSequenceDigits(machineId);
    return Enquiry{kEot, 'K', 'T', digits[0], digits[1], kEnq};
}

SequenceDigits MakeSequenceDigits(std::uint16_t sequence)
{
    assert(sequence < kSequenceModulus);
    return {static_cast<std::uint8_t>('0' + sequence / 10), static_cast<std::uint8_t>('0' + sequence % 10)};
}

std::uint8_t BlockCheck(const SequenceDigits& digits, std::span<const std::uint8_t> data, std::uint8_t terminator,
                        bool eightBitData)
{
    std::uint8_t check = 0x7F ^ digits[0] ^ digits[1] ^ terminator;
    for (const std::uint8_t byte : data) check ^= byte;
    return eightBitData ? check : static_cast<std::uint8_t>(check & 0x7F);
}

bool EndsInCandidate(std::span<const std::uint8_t> body)
{
    return body.size() >= kFrameTrailerSize && IsTerminator(body[body.size() - 2]);
}

bool IsCheckedFrameEnd(const SequenceDigits& digits, std::span<const std::uint8_t> body, bool eightBitData)
{
    if (!EndsInCandidate(body)) return false;
    const std::size_t dataSize = body.size() - kFrameTrailerSize;
    return body.back() == BlockCheck(digits, body.first(dataSize), body[dataSize], eightBitData);
}

}  // namespace varnel::idenq
