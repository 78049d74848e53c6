#include "platform/HexDump.h"

#include "platform/TextFormat.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::size_t kBytesPerLine = 16;

bool ShownAsIs(std::uint8_t byte, HexDumpChars chars)
{
    return byte >= 0x20 && (chars == HexDumpChars::NoControls || byte <= 0x7F);
}

}  // namespace

void AppendHexDump(std::string& out, std::span<const std::uint8_t> data, HexDumpChars chars)
{
    for (std::size_t start = 0; start < data.size(); start += kBytesPerLine) {
        const auto bytes = data.subspan(start, std::min(kBytesPerLine, data.size() - start));
        std::string hex;
        std::string text;
        for (const std::uint8_t byte : bytes) {
            hex += FormatText("%02.2x ", unsigned{byte});
            text += ShownAsIs(byte, chars) ? static_cast<char>(byte) : '.';
        }
        out += FormatText("%-48s", hex.c_str()) + "  " + text + "\r\n";
    }
}

}  // namespace varnel
