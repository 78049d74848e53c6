// The national character tables and the byte translation over them.
#include "db/text/NationalChars.h"

#include "db/text/BoundedText.h"
#include "db/text/EscapeCodes.h"
#include "db/text/EscapeTextWalk.h"
#include "db/site/GeneralSetup.h"
#include "db/text/TextBytes.h"

#include <optional>
#include <string>

namespace varnel {
namespace {

struct MarketChars {
    std::uint16_t market;
    NationalCharTable table;
};

// The scale side is the at sign, brackets, backslash, caret, grave accent, braces, vertical bar and
// tilde of ASCII (and the dollar sign first in Sweden and Norway).
constexpr MarketChars kScaleCharsets[] = {
    {MarketIceland, {"\xC1\xD0\xC9\xCD\xD3\xDA\xDD\xDE\xC6\xD6", "@[\\]^`{|}~"}},
    {MarketSouthAmerica, {"\xD1\xF1", "^~"}},
    {MarketSweden, {"\xA4\xC9\xC4\xD6\xC5\xDC\xE9\xE4\xF6\xE5\xFC", "$@[\\]^`{|}~"}},
};
constexpr NationalCharTable kNorwayChars{"\xA4\xC9\xC6\xD8\xC5\xDC\xE9\xE6\xF8\xE5\xFC", "$@[\\]^`{|}~"};

constexpr std::size_t kNul = 1;

bool KeptByTranslation(const EscCode& code)
{
    return code.letter == 'C' || (code.letter == 'D' && code.operand <= '3');
}

}  // namespace

const NationalCharTable* ScaleCharsetTableOf(std::uint16_t market)
{
    for (const MarketChars& entry : kScaleCharsets)
        if (entry.market == market) return &entry.table;
    return nullptr;
}

const NationalCharTable& NorwayChars() { return kNorwayChars; }

char TranslateChar(char byte, std::string_view from, std::string_view to)
{
    const std::size_t found = from.find(byte);
    return found != std::string_view::npos && found < to.size() ? to[found] : byte;
}

void TranslateNationalBytes(std::span<std::uint8_t> bytes, std::uint16_t market, bool toScale)
{
    const NationalCharTable* table = ScaleCharsetTableOf(market);
    if (!table) return;
    const std::string_view from = toScale ? table->database : table->scale;
    const std::string_view to = toScale ? table->scale : table->database;
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(TranslateChar(static_cast<char>(byte), from, to));
}

std::size_t TranslateText(std::span<char> out, std::string_view in, std::string_view from, std::string_view to)
{
    BoundedText text(out);
    for (const char byte : TextBeforeNul(in))
        if (!text.Append(TranslateChar(byte, from, to), kNul)) break;
    text.Terminate();
    return text.Size();
}

std::size_t TranslateTextKeepEscapes(std::span<char> out, std::string_view in, std::string_view from,
                                     std::string_view to)
{
    EscapeTextRules rules;
    rules.code = [](const EscCode& code) -> std::optional<std::string> {
        if (!KeptByTranslation(code)) return std::nullopt;
        return MakeEscCode(code.letter, code.operand);
    };
    rules.from = from;
    rules.to = to;
    BoundedText text(out);
    WalkEscapeText(TextBeforeNul(in), text, rules);
    text.Terminate();
    return text.Size();
}

}  // namespace varnel
