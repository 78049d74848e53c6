// A Lumen link over the in-memory line, standing in for the serial and socket links where the
// protocol's read limits run their course: each read that finds nothing while the scale is idle
// moves the line's clock on by a second.
#pragma once

#include "InMemoryLine.h"
#include "comms/lumen/LumenLink.h"

namespace varnel::test {

class MemoryLumenLink final : public CLumenLink {
    VARNEL_DECLARE_SERIAL(MemoryLumenLink)
public:
    MemoryLumenLink() : CLumenLink(SystemClock(), RealFileSystem()) {}  // for archives: a link with no line
    explicit MemoryLumenLink(InMemoryLine& line, IFileSystem& fs = RealFileSystem())
        : CLumenLink(line.Clock(), fs), m_line(&line)
    {
    }
    ~MemoryLumenLink() override { CancelWorker(); }

    bool Open() override { return m_line && m_line->Connect(); }
    bool Close() override
    {
        EndWorker();
        if (m_line) m_line->Disconnect();
        return true;
    }
    bool Send(std::span<const std::uint8_t> bytes, std::size_t& sent) override
    {
        return m_line && m_line->LinkSend(bytes, sent);
    }
    bool Receive(std::span<std::uint8_t> into, std::size_t& got) override
    {
        return m_line && m_line->LinkReceive(into, got);
    }

private:
    InMemoryLine* m_line = nullptr;
};

}  // namespace varnel::test
