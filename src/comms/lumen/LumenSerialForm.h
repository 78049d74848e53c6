// The Lumen serial link's settings dialog without its window (CLumenRs232Link::Setup): the port's
// settings shown but not changed here, the family "Lumen/LumenXT", and the trace: logging on or off
// and the trace file ("Change File...", also asked for when logging is switched on without one).
// OK stores everything back, parity as its letter ("EVEN" E, "ODD" O, anything else N).
#pragma once

#include <cstddef>
#include <string>

namespace varnel {

class CLumenRs232Link;

class LumenSerialForm {
public:
    static constexpr std::size_t kShownPathLength = 40;
    static constexpr const char* kFamilyText = "Lumen/LumenXT";

    explicit LumenSerialForm(const CLumenRs232Link& link);

    std::string port;
    std::string baudRate;
    std::string parity;  // shown: "EVEN", "ODD" or "N"
    std::string dataBits;
    std::string stopBits;
    bool rtsCts = false;

    bool IsLogging() const { return m_logging; }
    // Switching logging on without a file asks for one.
    void SetLogging(bool on);
    bool ChangeFile();
    const std::string& GetLogFile() const { return m_logFile; }
    // The file's path as shown: its last 40 characters at most.
    std::string GetShownLogFile() const;

    void StoreInto(CLumenRs232Link& link) const;

private:
    bool m_logging;
    std::string m_logFile;
};

}  // namespace varnel
