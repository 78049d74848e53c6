// One scale the department dialog offers: a scale of a link, its label, and whether the department
// holds it. The main frame builds the choices from its links (BuildScaleChoices).
#pragma once

#include <cstdint>
#include <string>

namespace varnel {

struct CScaleChoice {
    std::uint16_t linkId = 0;
    std::uint16_t scaleId = 0;
    std::string label;
    bool selected = false;
    bool operator==(const CScaleChoice&) const = default;
};

}  // namespace varnel
