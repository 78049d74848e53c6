// Any bytes, as a scale sends them or as the database holds them, under any market, family and
// output room, through every scale text conversion: never a crash or a write past the output (the
// output is a heap buffer of exactly the room given), every output ends with its 0 byte, and the
// quoted-field reader always moves on until it reaches the end of the text.
#include "FuzzMainFrame.h"
#include "FuzzRequire.h"

#include "db/site/MainFrame.h"
#include "db/text/LineText.h"
#include "db/text/QuotedScaleText.h"
#include "db/text/ScaleCharset.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace {

using varnel::fuzz::Require;

constexpr std::size_t kSettingsBytes = 3;

// Whether the text written into `out` ends with a 0 byte within it.
bool IsTerminated(const std::vector<char>& out)
{
    return std::string_view(out.data(), out.size()).find('\0') != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kSettingsBytes) return 0;
    varnel::fuzz::FuzzMainFrame frame(data[0]);
    // Second byte: the family (low 4 bits, 13 to 15 for families without a conversion), the
    // nutrition layout (bit 4) and Taiwan's extended-character switch (bit 5).
    varnel::CLinkScaleSettings scale;
    scale.m_scaleType = data[1] & 0x0F;
    frame.m_setup.m_nutritionInUse = (data[1] >> 4) & 1;
    frame.m_setup.m_taiwanExtendedChars = (data[1] >> 5) & 1;
    const varnel::TextRules rules = varnel::CurrentTextRules();
    const std::size_t room = data[2];
    const std::string_view text(reinterpret_cast<const char*>(data + kSettingsBytes), size - kSettingsBytes);

    std::vector<char> out(room);
    const bool empty = room == 0;

    static_cast<void>(varnel::LineTextToEscapeText(rules, out, text));
    Require(empty || IsTerminated(out));

    const std::size_t lineLength = varnel::EscapeTextToLineText(rules, out, text);
    Require(lineLength <= room && lineLength % 2 == 0);

    const std::size_t fieldLength = varnel::EncodeQuotedScaleText(rules, scale, out, text, room);
    Require(fieldLength < room || (empty && fieldLength == 0));

    Require(varnel::ConvertTextToScaleCharset(rules, scale, text, out) <= room);
    Require(varnel::ConvertTextFromScaleCharset(rules, scale, out, text) <= room);

    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t before = position;
        static_cast<void>(varnel::DecodeQuotedScaleText(rules, scale, out, text, position));
        Require(empty || IsTerminated(out));
        if (position == before) break;  // a 0 byte ends the text
        Require(position > before && position <= text.size());
    }
    return 0;
}
