// CIdEnqComLink: the ID-ENQ protocol over an RS-232 port to the scales on that line. The port is
// opened for each operation and closed after it; its settings are read afresh at each open, so a
// change of data bits to "8" gives 8-bit block checks from the next operation on.
//
// Archive form, after the link base's: u16 format 100 (absent in setups of the oldest format), then
// the strings port, baud rate, parity, data bits, stop bits, and u16 use RTS/CTS.
#pragma once

#include "comms/idenq/IdEnqLink.h"
#include "platform/SerialPort.h"

#include <cstdint>
#include <string>

namespace varnel {

class CIdEnqComLink : public CIdEnqLink {
    VARNEL_DECLARE_SERIAL(CIdEnqComLink)
public:
    static constexpr std::uint16_t kFormat = 100;

    CIdEnqComLink() : CIdEnqComLink(SystemClock(), RealFileSystem()) {}
    CIdEnqComLink(IClock& clock, IFileSystem& fs);
    ~CIdEnqComLink() override;

    void Serialize(CArchive& ar) override;

    bool Open() override;
    bool ClosePort() override;
    void Close() override;
    bool Send(std::span<const std::uint8_t> bytes, std::size_t& sent) override;
    bool Receive(std::span<std::uint8_t> into, std::size_t& got) override;
    std::string GetDescription(const CGeneralSetup& setup) const override;
    std::string GetStatusText(const CGeneralSetup& setup) const override;
    const std::array<std::uint16_t, 4>* GetIpAddress() const override { return nullptr; }
    std::uint16_t GetPort() const override { return 0; }
    bool IsSameAddress(const std::array<std::uint16_t, 4>&) const override { return false; }
    void WriteSetupDetails(std::string& out) const override;
    bool EditSettings(const LinkSetupContext& context, ScaleNumberMap& scaleNumbers) override;
    bool EditScales(const LinkSetupContext& context, ScaleNumberMap& scaleNumbers) override;

    std::string m_portName = "COM1";
    std::string m_baudRate = "9600";
    std::string m_parity = "E";
    std::string m_dataBits = "7";
    std::string m_stopBits = "1";
    bool m_useRtsCts = false;

private:
    SerialPort m_port;
};

}  // namespace varnel
