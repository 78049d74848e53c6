// A link over the in-memory line, standing in for the socket and serial links in tests. It makes the
// protocol's exchanges public, so tests drive them directly as well as through the worker.
#pragma once

#include "InMemoryLine.h"
#include "comms/idenq/IdEnqLink.h"

#include <optional>
#include <utility>

namespace varnel::test {

class MemoryLink final : public CIdEnqLink {
    VARNEL_DECLARE_SERIAL(MemoryLink)
public:
    MemoryLink() = default;  // for archives: a link with no line
    MemoryLink(InMemoryLine& line, IFileSystem& fs = RealFileSystem()) : CIdEnqLink(line.Clock(), fs), m_line(&line) {}
    ~MemoryLink() override { StopThread(); }

    bool Open() override { return m_line && m_line->Connect(); }
    bool ClosePort() override
    {
        if (m_line) m_line->Disconnect();
        return true;
    }
    void Close() override
    {
        StopThread();
        ClosePort();
    }
    bool Send(std::span<const std::uint8_t> bytes, std::size_t& sent) override
    {
        return m_line && m_line->LinkSend(bytes, sent);
    }
    bool Receive(std::span<std::uint8_t> into, std::size_t& got) override
    {
        return m_line && m_line->LinkReceive(into, got);
    }
    std::string GetDescription(const CGeneralSetup& /*setup*/) const override { return "Memory link " + m_name; }
    std::string GetStatusText(const CGeneralSetup& /*setup*/) const override { return {}; }
    // A memory link stands in for a socket link once it is given an address.
    const std::array<std::uint16_t, 4>* GetIpAddress() const override { return m_address ? &*m_address : nullptr; }
    std::uint16_t GetPort() const override { return 0; }
    bool IsSameAddress(const std::array<std::uint16_t, 4>&) const override { return false; }
    void WriteSetupDetails(std::string& out) const override
    {
        out += "  Line                                : memory\r\n";
    }

    using CIdEnqLink::BeginTransmission;
    using CIdEnqLink::CapacityCheck;
    using CIdEnqLink::NextRecords;
    using CIdEnqLink::ReceivePacket;
    using CIdEnqLink::SendData;
    using CIdEnqLink::SendEnquiry;
    using CIdEnqLink::StartNextJob;
    using CIdEnqLink::Terminate;
    using CIdEnqLink::WaitScaleEnquiry;

    // The data buffer: what the source placed in it, or the packet last received.
    std::span<const std::uint8_t> Data() const { return std::span(m_data).first(m_dataLength); }
    void SetData(std::span<const std::uint8_t> bytes)
    {
        std::ranges::copy(bytes, m_data.begin());
        m_dataLength = bytes.size();
    }
    void SetCurrentScale(CLinkScale* scale) { m_currentScale = scale; }
    void SetDocument(IDocument* document, const LinkRoles& roles) { AttachDocument(document, roles); }
    // The settings of a pass that the test drives itself, as the worker holds them for its own.
    void PinForPass(SiteSettingsPtr settings) { m_passSettings = std::move(settings); }
    std::uint16_t FrameSequence() const { return m_frameSequence; }
    void SetFrameSequence(std::uint16_t sequence) { m_frameSequence = sequence; }

    std::optional<std::array<std::uint16_t, 4>> m_address;

private:
    InMemoryLine* m_line = nullptr;
};

}  // namespace varnel::test
