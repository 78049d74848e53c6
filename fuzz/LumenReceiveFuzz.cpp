// Any bytes from a Lumen scale, to the receiving side of a Lumen transfer run as the user runs it: the
// worker reads the bytes in the pieces it asks for, answers each frame and asks the progress dialog
// (run on this thread) to store each record. Once the bytes run out the line brings nothing for 1500
// reads, then fails, so every wait ends: the first frame's by the failure, the others by their read
// limit. Every run ends with a result message; no record handed to the document is longer than the
// link's buffer or has a command index outside 0 to 11.
#include "FuzzRequire.h"
#include "LumenTestDocument.h"
#include "ScriptedLumenUi.h"
#include "comms/lumen/LumenLink.h"
#include "db/site/GeneralSetup.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace {

using namespace varnel;

constexpr int kEmptyReadsAtTheEnd = 1500;

// A line that hands out the input and takes every reply.
class FuzzLumenLink final : public CLumenLink {
public:
    explicit FuzzLumenLink(std::span<const std::uint8_t> input) : CLumenLink(SystemClock(), RealFileSystem()), m_input(input) {}
    ~FuzzLumenLink() override { CancelWorker(); }
    const CRuntimeClass* GetRuntimeClass() const override { return nullptr; }

    bool Open() override { return true; }
    bool Close() override
    {
        EndWorker();
        return true;
    }
    bool Send(std::span<const std::uint8_t> bytes, std::size_t& sent) override
    {
        sent = bytes.size();
        return true;
    }
    bool Receive(std::span<std::uint8_t> into, std::size_t& got) override
    {
        got = std::min(into.size(), m_input.size());
        std::copy_n(m_input.begin(), got, into.begin());
        m_input = m_input.subspan(got);
        return got > 0 || m_emptyReads++ < kEmptyReadsAtTheEnd;
    }

private:
    std::span<const std::uint8_t> m_input;
    int m_emptyReads = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using fuzz::Require;
    FuzzLumenLink link(std::span(data, size));
    test::LumenTestDocument document;
    test::ScriptedLumenUi ui;
    const MessageId result = link.ReceiveFromScale(document, CGeneralSetup{}.m_market, ui);
    Require(result == 0 || result == CLumenLink::kMsgTimeout || result == CLumenLink::kMsgCommsAborted);
    for (const test::LumenTestDocument::Record& record : document.stored) {
        Require(record.data.size() <= CLumenLink::kBufferSize);
        Require(record.kind < IDocument::kLumenEnd);
    }
    return 0;
}
