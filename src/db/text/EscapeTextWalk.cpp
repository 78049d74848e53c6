// The shared walk over escape-coded text.
#include "db/text/EscapeTextWalk.h"

#include "db/text/NationalChars.h"
#include "db/text/TaiwanExtendedChars.h"
#include "db/text/DoubleByteText.h"

namespace varnel {

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
