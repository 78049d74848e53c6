// "Scales Comms Link (QD47)" (dialog 111) without its window: the file link's serial settings and
// scale type, each chosen from a fixed list; stored (CQd47ComLink::EditSettings) after OK when the
// user may change the setup, parity kept as its letter ("EVEN" E, "ODD" O, anything else N).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnel {

class CQd47ComLink;

class Qd47LinkForm {
public:
    explicit Qd47LinkForm(const CQd47ComLink& link);

    static std::vector<std::string> PortChoices();
    static std::vector<std::string> BaudRateChoices();
    static std::vector<std::string> DataBitsChoices();
    static std::vector<std::string> StopBitsChoices();
    static std::vector<std::string> ParityChoices();
    static std::vector<std::string> ScaleTypeChoices();

    std::string port;
    std::string baudRate;
    std::string dataBits;
    std::string stopBits;
    std::string parity;  // as shown: "NONE", "EVEN" or "ODD"
    std::size_t scaleType = 0;

    void StoreInto(CQd47ComLink& link) const;
};

}  // namespace varnel
