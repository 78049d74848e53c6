// CLumenRs232Link: the serial line to Lumen scales (families 6 and 7), one kept by the main frame and
// saved with the general setup. This is its stored settings; the transfers over it come with the
// Lumen link itself.
//
// Archive form: u32 format (122), Name, u8 first flag, u8 logging, LogFile, u16 link number, u16 scale
// type; then Port, BaudRate, Parity, DataBits, StopBits and u16 use RTS/CTS. Loading turns logging
// on, and a format below 122 makes the scale type 7 (Lumen).
#pragma once

#include "platform/Serializable.h"

#include <cstdint>
#include <string>

namespace varnel {

class CLumenRs232Link : public CObject {
    VARNEL_DECLARE_SERIAL(CLumenRs232Link)

public:
    static constexpr std::uint32_t kFormat = 122;
    static constexpr std::uint16_t kLumenXt = 6;
    static constexpr std::uint16_t kLumen = 7;

    CLumenRs232Link() = default;
    CLumenRs232Link(const CLumenRs232Link&) = default;
    CLumenRs232Link& operator=(const CLumenRs232Link&) = default;

    void Serialize(CArchive& ar) override;

    std::uint8_t m_firstFlag = 0;  // stored, used for nothing else
    std::string m_name;
    std::uint8_t m_logging = 0;
    std::string m_logFile = "Comms.txt";
    std::uint16_t m_linkNo = 0;
    std::uint16_t m_scaleType = kLumenXt;
    std::string m_port = "COM1";
    std::string m_baudRate = "38400";
    std::string m_parity = "N";
    std::string m_dataBits = "8";
    std::string m_stopBits = "1";
    std::uint16_t m_useRtsCts = 0;
};

}  // namespace varnel
