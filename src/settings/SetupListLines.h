// Lines of the setup list that the settings blocks share: "  Label<padding>: value" with the colons
// of a block in one column, and the Yes/No of a switch.
#pragma once

#include "platform/TextFormat.h"

#include <string>

namespace varnel {

inline const char* YesNo(unsigned flag) { return flag != 0 ? "Yes" : "No"; }

inline void SetupLine(std::string& out, const char* label, const std::string& value, int width = 38)
{
    out += FormatText("%-*s: %s\r\n", width, label, value.c_str());
}

}  // namespace varnel
