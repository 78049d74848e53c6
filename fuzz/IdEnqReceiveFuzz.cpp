// Any bytes from a scale, through the in-memory line, to the receiving side of ID-ENQ: the scale's
// enquiry, then packets until the scale's EOT or a failure. Every run ends with a result code; no
// crash, no hang (the line's virtual time runs the time-outs out at once) and no packet longer than
// the link's buffer. The first byte chooses the link's 8-bit data flag.
#include "InMemoryLine.h"
#include "MemoryLink.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void Require(bool condition)
{
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace varnel;
    using namespace varnel::test;
    if (size == 0) return 0;
    FakeClock clock;
    InMemoryLine line(clock);
    MemoryLink link(line);
    link.m_eightBitData = data[0] & 1;
    CLinkScale scale;
    link.SetCurrentScale(&scale);

    Require(link.Open());
    const InMemoryLine::ConnectionPtr connection = line.Accept();
    Require(line.ScaleWrite(connection, std::span(data + 1, size - 1)));
    line.AttachScale(false);  // nothing more comes: waits end by their time-outs

    if (link.WaitScaleEnquiry() != 0) return 0;
    for (;;) {
        bool done = false;
        const MessageId result = link.ReceivePacket(done);
        if (result != 0) {
            Require(result == CIdEnqLink::kMsgCommsError || result == CIdEnqLink::kMsgCancelled);
            return 0;
        }
        if (done) return 0;
        Require(link.Data().size() <= CIdEnqLink::kDataBufferSize);
    }
}
