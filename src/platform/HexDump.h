// The hex dump of the links' traces: 16 bytes a line, "%02.2x " each in a 48-character field, two
// blanks, then the bytes as characters (those the rule does not show as they are, as '.'), CR LF.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace varnel {

enum class HexDumpChars {
    Ascii,       // 0x20 to 0x7F as they are
    NoControls,  // every byte from 0x20 up as it is
};

void AppendHexDump(std::string& out, std::span<const std::uint8_t> data, HexDumpChars chars);

}  // namespace varnel
