// CLumenRs232Link: the Lumen link over a serial line, the one the main frame keeps and saves with the
// general setup. The port is opened for one transfer and closed after it; its reads return within
// 10 ms, so the protocol's 1000-read limits last about 10 s.
//
// Archive form: the link base's (LumenLink.h), then Port, BaudRate, Parity, DataBits, StopBits and
// u16 use RTS/CTS.
#pragma once

#include "comms/lumen/LumenLink.h"
#include "platform/SerialPort.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace varnel {

// The serial line's settings, copied and assigned whole with the link.
struct LumenSerialSettings {
    std::string m_port = "COM1";
    std::string m_baudRate = "38400";
    std::string m_parity = "N";
    std::string m_dataBits = "8";
    std::string m_stopBits = "1";
    std::uint16_t m_useRtsCts = 0;
};

class CLumenRs232Link : public CLumenLink, public LumenSerialSettings {
    VARNEL_DECLARE_SERIAL(CLumenRs232Link)

public:
    static constexpr std::chrono::milliseconds kReadTime{10};

    CLumenRs232Link() : CLumenRs232Link(SystemClock(), RealFileSystem()) {}
    CLumenRs232Link(IClock& clock, IFileSystem& fs);
    // Copies are of the settings (see CLumenLink).
    CLumenRs232Link(const CLumenRs232Link& other);
    CLumenRs232Link& operator=(const CLumenRs232Link& other);
    ~CLumenRs232Link() override;

    void Serialize(CArchive& ar) override;

    bool Open() override;
    bool Close() override;
    bool Send(std::span<const std::uint8_t> bytes, std::size_t& sent) override;
    bool Receive(std::span<std::uint8_t> into, std::size_t& got) override;

    // The serial settings dialog: true when OK stored its values.
    bool Setup();

private:
    SerialPort m_serial;
};

}  // namespace varnel
