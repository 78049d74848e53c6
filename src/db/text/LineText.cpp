// Conversions between line-coded and escape-coded text.
#include "db/text/LineText.h"

#include "db/text/BoundedText.h"
#include "db/text/EscapeCodes.h"
#include "db/text/EscapeTextWalk.h"
#include "db/text/NationalChars.h"
#include "db/text/ScaleFontCodes.h"
#include "db/text/TextBytes.h"

#include <array>
#include <optional>
#include <string>

namespace varnel {
namespace {

constexpr std::size_t kEscCodeSize = 3;
constexpr std::size_t kNul = 1;

// The effects 1 to 4 that line-coded text toggles, open or not.
class OpenEffects {
public:
    bool IsOpen(char digit) const { return m_open[Index(digit)]; }
    void Toggle(char digit) { m_open[Index(digit)] = !m_open[Index(digit)]; }
    std::size_t Count() const
    {
        std::size_t count = 0;
        for (const bool open : m_open) count += open ? 1 : 0;
        return count;
    }
    // The codes that close every open effect, in effect order.
    std::string ClosingCodes() const
    {
        std::string codes;
        for (std::size_t i = 0; i < m_open.size(); ++i)
            if (m_open[i]) codes += MakeEscCode('D', static_cast<char>('1' + i));
        return codes;
    }
    void CloseAll() { m_open.fill(false); }

private:
    static std::size_t Index(char digit) { return static_cast<std::size_t>(digit - '1'); }
    std::array<bool, 4> m_open{};
};

// Room kept free after a piece: the codes that close `openEffects` effects and the 0 byte.
std::size_t ClosingRoom(std::size_t openEffects) { return openEffects * kEscCodeSize + kNul; }

// Whether ESC 'D' `digit` becomes an attribute byte in a line whose font number is `lineFont`.
bool WritesEffect(bool baltic, char digit, bool keepEffect1, bool keepEffect3, std::uint8_t lineFont)
{
    if (digit >= '5') return false;
    if (digit == '1') return keepEffect1;
    if (digit == '3') return keepEffect3 && !(baltic && lineFont == 1);
    return true;
}

}  // namespace

bool LineTextToEscapeText(const TextRules& rules, std::span<char> out, std::string_view in)
{
    const bool norway = rules.market == MarketNorway;
    BoundedText text(out);
    OpenEffects effects;
    std::size_t position = 0;
    while (position < in.size()) {
        const auto byte = static_cast<std::uint8_t>(in[position]);
        if (byte == kCr) {
            if (position + 1 >= in.size()) break;  // no font byte
            bool effect2 = false;
            const char code = FontToScaleFontCode(rules, static_cast<std::uint8_t>(in[position + 1]), effect2);
            std::string piece = effects.ClosingCodes() + MakeEscCode('C', code);
            if (effect2) piece += MakeEscCode('D', '2');
            if (!text.Append(piece, ClosingRoom(effect2 ? 1 : 0))) break;
            effects.CloseAll();
            if (effect2) effects.Toggle('2');
            position += 2;
            continue;
        }
        const char digit = byte <= 19 ? AttrToEffectDigit(byte) : '\0';
        if (digit != '\0') {
            const std::size_t openAfter = effects.IsOpen(digit) ? effects.Count() - 1 : effects.Count() + 1;
            if (!text.Append(MakeEscCode('D', digit), ClosingRoom(openAfter))) break;
            effects.Toggle(digit);
            ++position;
            continue;
        }
        if (byte < 32) break;
        if (norway) {
            if (!text.Append(TranslateChar(in[position], NorwayChars().scale, NorwayChars().database),
                             ClosingRoom(effects.Count())))
                break;
            ++position;
        } else if (!text.AppendChar(in, position, ClosingRoom(effects.Count()), rules.chars)) {
            break;
        }
    }
    // The room for these was kept free by every piece written.
    static_cast<void>(text.Append(effects.ClosingCodes(), kNul));
    text.Terminate();
    return position == in.size();
}

std::size_t EscapeTextToLineTextEx(const TextRules& rules, bool keepEffect1, bool keepEffect3, std::span<char> out,
                                   std::string_view in)
{
    // A 0 byte ends the text, and an odd length takes one more.
    constexpr std::size_t kEndRoom = 2;
    std::uint8_t lineFont = 0;
    const bool baltic = rules.market == MarketBaltic;
    EscapeTextRules walk;
    walk.code = [&lineFont, &rules, baltic, keepEffect1,
                 keepEffect3](const EscCode& code) -> std::optional<std::string> {
        if (code.letter == 'C') {
            lineFont = ScaleFontCodeToFont(rules, code.operand);
            return std::string{kCr, static_cast<char>(lineFont)};
        }
        if (code.letter == 'D' && WritesEffect(baltic, code.operand, keepEffect1, keepEffect3, lineFont))
            return std::string(1, static_cast<char>(EffectDigitToAttr(code.operand)));
        return std::nullopt;
    };
    if (rules.market == MarketNorway) {
        walk.from = NorwayChars().database;
        walk.to = NorwayChars().scale;
    }
    walk.dropExtendedLines = rules.dropTaiwanExtendedLines;
    walk.chars = rules.chars;
    walk.reserve = kEndRoom;
    BoundedText text(out);
    WalkEscapeText(TextBeforeNul(in), text, walk);
    std::size_t length = text.Size();
    if (length % 2 != 0) {
        static_cast<void>(text.Append('\0', kNul));
        ++length;
    }
    text.Terminate();
    return length;
}

std::size_t EscapeTextToLineText(const TextRules& rules, std::span<char> out, std::string_view in)
{
    return EscapeTextToLineTextEx(rules, true, true, out, in);
}

std::size_t EscapeTextToLineTextForType(const TextRules& rules, std::uint16_t family, std::span<char> out,
                                        std::string_view in)
{
    const bool dropEffects1And3 = (family == 6 && rules.IsThai()) || rules.IsDoubleByteMarket();
    return EscapeTextToLineTextEx(rules, !dropEffects1And3, !dropEffects1And3, out, in);
}

}  // namespace varnel
