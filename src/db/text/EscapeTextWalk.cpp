// The shared walk over escape-coded text.
#include "db/text/EscapeTextWalk.h"

#include "db/text/NationalChars.h"
#include "db/text/TaiwanExtendedChars.h"
#include "db/text/DoubleByteText.h"

#include <cstdint>

namespace varnel {
namespace {

// The length of the run of ASCII characters other than ESC at the start: a byte below 128 is a
// character of its own under every character rule, and no code starts with it.
std::size_t AsciiRunLength(std::string_view text)
{
    std::size_t run = 0;
    while (run < text.size()) {
        const auto byte = static_cast<std::uint8_t>(text[run]);
        if (byte == 0 || byte >= 128 || byte == static_cast<std::uint8_t>(kEsc)) break;
        ++run;
    }
    return run;
}

}  // namespace

void WalkEscapeText(std::string_view source, BoundedText& text, const EscapeTextRules& rules)
{
    std::size_t lineStart = 0;
    std::size_t position = 0;
    while (position < source.size()) {
        if (source[position] == kEsc) {
            const EscCode code = ReadEscCode(source, position);
            if (!code.Complete()) return;
            if (const std::optional<std::string> written = rules.code(code)) {
                if (!text.Append(*written, rules.reserve)) return;
                if (code.letter == 'C') lineStart = text.Size() - written->size();
            }
            position += code.length;
            continue;
        }
        // Without a character table, a run of ASCII characters goes in one copy, as far as it fits.
        if (const std::size_t run = rules.from.empty() ? AsciiRunLength(source.substr(position)) : 0; run > 0) {
            const std::size_t written = text.AppendBytesThatFit(source.substr(position, run), rules.reserve);
            position += written;
            if (written < run) return;
            continue;
        }
        if (rules.dropExtendedLines && IsTaiwanExtendedChar(source, position)) {
            text.Truncate(lineStart);
            position = FindLineStart(source, position);
            continue;
        }
        if (!rules.from.empty() && GetCharLength(source.substr(position), rules.chars) == 1) {
            if (!text.Append(TranslateChar(source[position], rules.from, rules.to), rules.reserve)) return;
            ++position;
        } else if (!text.AppendChar(source, position, rules.reserve, rules.chars)) {
            return;
        }
    }
}

}  // namespace varnel
