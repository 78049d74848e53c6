// Any bytes as a block scale's answer, read as the block link reads it: the 8-byte reply header, then
// the 12-byte reply body when the header announces one (a refusal is 31457 or 61456), else the block
// of records its length announces, record by record through the record-block reader. The first byte
// chooses the form and the paged receive. The reader always ends (done, overlong, or the bytes run
// out as a time-out would end the link's read), never asks for a body longer than its room or than
// what is left of the block, and never takes more than the block announced.
#include "FuzzRequire.h"
#include "comms/sorrel/RecordBlockReader.h"
#include "comms/sorrel/SorrelWire.h"

#include <cstdint>
#include <span>

namespace {

constexpr std::size_t kBodyRoom = 16384;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace varnel;
    using namespace varnel::sorrel;
    using fuzz::Require;
    if (size < 1 + kHeaderSize) return 0;
    const Form form = (data[0] & 1) != 0 ? Form::Long : Form::Short;
    const bool paged = (data[0] & 2) != 0;
    std::span<const std::uint8_t> bytes(data + 1, size - 1);
    const ParsedHeader header = ParseHeader(form, bytes.first<kHeaderSize>());
    bytes = bytes.subspan(kHeaderSize);

    if (header.length == kReplyBodySize && bytes.size() >= kReplyBodySize) {
        const ReplyBody body = ParseReplyBody(form, bytes.first<kReplyBodySize>());
        const MessageId refusal = RefusalResult(body);
        Require(refusal == 31457 || refusal == 61456);
    }

    RecordBlockReader reader(form, paged, header.length, kBodyRoom);
    std::uint64_t taken = 0;
    for (std::size_t steps = 0;; ++steps) {
        Require(steps <= size);
        const std::uint32_t wanted = reader.GetWanted();
        switch (reader.GetStep()) {
        case RecordBlockReader::Step::RecordHeader:
            Require(wanted == kHeaderSize);
            if (bytes.size() < kHeaderSize) return 0;
            reader.TakeHeader(bytes.first<kHeaderSize>());
            break;
        case RecordBlockReader::Step::RecordBody:
            Require(wanted > 0 && wanted <= kBodyRoom && wanted == reader.GetRecordHeader().length);
            [[fallthrough]];
        case RecordBlockReader::Step::Drop:
            if (bytes.size() < wanted) return 0;
            reader.TakeWanted();
            break;
        case RecordBlockReader::Step::Done:
        case RecordBlockReader::Step::Overlong:
            return 0;
        }
        taken += wanted;
        Require(taken <= header.length);
        bytes = bytes.subspan(wanted);
    }
}
