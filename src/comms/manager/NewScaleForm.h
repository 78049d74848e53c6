// "Specify New Scale" (dialog 146) without its window: the kind of the link that "&Add" makes, with
// its scale's network address or serial port. Only the chosen kind's address or port is enabled.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class NewScaleForm {
public:
    enum class Kind {
        NetworkTcp,    // "LumenXT/VM/QF/5400 Series   (TCP/IP)": the block link
        MasterTcp,     // "TR-5300  (TCP/IP)": an ID-ENQ socket link
        MasterSerial,  // "TR-5300/5200  (RS-232C)": an ID-ENQ serial link
        HbkuSerial,    // "HBKU  (RS-232C)": an ID-ENQ serial link
    };
    using Address = std::array<std::uint16_t, 4>;

    // The kind preselected by the default family: 1 and 3 HBKU, 6 and 8 to 12 the block link, others
    // the TR-5300 over TCP/IP.
    explicit NewScaleForm(std::uint16_t defaultFamily);

    static const char* KindText(Kind kind);
    Kind GetKind() const { return m_kind; }
    void SetKind(Kind kind) { m_kind = kind; }
    // The address of the TCP/IP kind's own field (each kind has one), or a serial kind's port.
    Address& AddressOf(Kind kind) { return kind == Kind::NetworkTcp ? m_networkAddress : m_masterAddress; }
    std::string& PortOf(Kind kind) { return kind == Kind::HbkuSerial ? m_hbkuPort : m_masterPort; }
    bool IsEnabled(Kind field) const { return field == m_kind; }
    static bool IsSerial(Kind kind) { return kind == Kind::MasterSerial || kind == Kind::HbkuSerial; }
    static std::vector<std::string> PortChoices();

    // What OK gives: the chosen kind's address, or its port.
    Address GetAddress() const { return m_kind == Kind::NetworkTcp ? m_networkAddress : m_masterAddress; }
    std::string GetPort() const { return m_kind == Kind::HbkuSerial ? m_hbkuPort : m_masterPort; }

private:
    Kind m_kind;
    Address m_networkAddress{};
    Address m_masterAddress{};
    std::string m_masterPort = "COM1";
    std::string m_hbkuPort = "COM1";
};

}  // namespace varnel
