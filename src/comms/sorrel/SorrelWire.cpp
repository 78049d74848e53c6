#include "comms/sorrel/SorrelWire.h"

#include "comms/idenq/ScaleFamily.h"
#include "db/text/Bcd.h"
#include "platform/ByteOrder.h"

namespace varnel::sorrel {
namespace {

constexpr MessageId kMsgRecordsRefused = 61456;
constexpr MessageId kMsgScaleMemoryFull = 31457;
// The code 11 of the short form clears with four bytes, every other with two.
constexpr std::uint16_t kWideDeleteCode = 11;
constexpr std::uint8_t kInnerHeaderMark = 1;

// Writes the code in the form's digits at the start of the header.
void PutCode(Form form, std::span<std::uint8_t> header, std::uint16_t code)
{
    if (form == Form::Long)
        (void)PackBcdShort(header.first(2), code, 4);
    else
        (void)PackBcdShort(header.first(1), code, 2);
}

// A BCD field read as a number; a field that does not start with a digit reads as 0.
std::uint16_t BcdValue(std::span<const std::uint8_t> field, std::size_t digits)
{
    std::uint16_t value = 0;
    return UnpackBcdShort(value, field, digits) ? value : 0;
}

// The header of everything the link writes: the code, a BCD(2) 0 sub-code in the long form, flag 0,
// and the length (long form: of the whole message; short form: of what follows the header).
Header MakeHeader(Form form, std::uint16_t code, std::uint32_t lengthAfterHeader)
{
    Header header{};
    PutCode(form, header, code);
    if (form == Form::Long)
        StoreBe32(&header[4], lengthAfterHeader + static_cast<std::uint32_t>(kHeaderSize));
    else
        StoreLe32(&header[4], lengthAfterHeader);
    return header;
}

}  // namespace

Form FormOfFamily(std::uint16_t family) { return IsType9To12(family) ? Form::Long : Form::Short; }

Header CommandHeader(Form form, std::uint16_t code) { return MakeHeader(form, code, 0); }

Header BlockHeader(Form form, std::uint16_t blockCode, std::uint32_t recordsLength)
{
    return MakeHeader(form, blockCode, recordsLength);
}

Bytes RequestBlock(Form form, std::uint16_t blockCode, std::span<const std::uint8_t> data)
{
    const auto dataLength = static_cast<std::uint32_t>(data.size());
    Bytes block;
    if (form == Form::Short) {
        const Header header = MakeHeader(form, blockCode, dataLength);
        block.assign(header.begin(), header.end());
    } else {
        const Header header = MakeHeader(form, blockCode, dataLength + static_cast<std::uint32_t>(kHeaderSize));
        block.assign(header.begin(), header.end());
        Header inner{};
        PutCode(form, inner, blockCode);
        inner[2] = kInnerHeaderMark;
        StoreBe16(&inner[6], static_cast<std::uint16_t>(dataLength));
        block.insert(block.end(), inner.begin(), inner.end());
    }
    block.insert(block.end(), data.begin(), data.end());
    return block;
}

Bytes DeleteTotalsMessage(Form form, std::uint16_t code)
{
    if (form == Form::Short) {
        const std::uint32_t zeros = code == kWideDeleteCode ? 4 : 2;
        const Header header = MakeHeader(form, code, zeros);
        Bytes message(header.begin(), header.end());
        message.resize(message.size() + zeros, 0);
        return message;
    }
    static constexpr std::uint8_t kStartRecord[] = {'0', ','};
    const Header header = MakeHeader(form, code, kHeaderSize + sizeof kStartRecord);
    Bytes message(header.begin(), header.end());
    Header inner{};
    PutCode(form, inner, code);
    StoreBe16(&inner[6], sizeof kStartRecord);
    message.insert(message.end(), inner.begin(), inner.end());
    message.insert(message.end(), std::begin(kStartRecord), std::end(kStartRecord));
    return message;
}

ParsedHeader ParseHeader(Form form, std::span<const std::uint8_t, kHeaderSize> header)
{
    ParsedHeader parsed;
    parsed.flag = header[3];
    if (form == Form::Long) {
        parsed.code = BcdValue(header.first(2), 4);
        parsed.subCode = static_cast<std::uint8_t>(BcdValue(header.subspan(2, 1), 2));
        const std::uint32_t length = LoadBe32(&header[4]);
        parsed.length = length >= kHeaderSize ? length - static_cast<std::uint32_t>(kHeaderSize) : length;
    } else {
        parsed.code = BcdValue(header.first(1), 2);
        parsed.length = LoadLe32(&header[4]);
    }
    return parsed;
}

ReplyBody ParseReplyBody(Form form, std::span<const std::uint8_t, kReplyBodySize> body)
{
    ReplyBody parsed;
    if (form == Form::Long) {
        parsed.firstCount = BcdValue(body.subspan(4, 2), 4);
        parsed.secondCount = BcdValue(body.subspan(6, 2), 4);
        parsed.thirdCount = BcdValue(body.subspan(8, 2), 4);
        parsed.errorCode = LoadBe16(&body[10]);
    } else {
        parsed.firstCount = LoadLe16(&body[4]);
        parsed.secondCount = LoadLe16(&body[6]);
        parsed.thirdCount = LoadLe16(&body[8]);
        parsed.errorCode = LoadLe16(&body[10]);
    }
    return parsed;
}

MessageId RefusalResult(const ReplyBody& body)
{
    const bool someTaken = body.firstCount != 0 && body.firstCount != body.secondCount;
    return someTaken ? kMsgRecordsRefused : kMsgScaleMemoryFull;
}

RecordHeaderFields ParseRecordHeader(Form form, std::span<const std::uint8_t, kHeaderSize> header)
{
    if (form == Form::Long) return {BcdValue(header.first(2), 4), LoadBe16(&header[6])};
    return {BcdValue(header.first(1), 2), LoadLe16(&header[6])};
}

}  // namespace varnel::sorrel
