// The four width tables of the Thai scale fonts: a wide and a narrow pair, each with a plain table
// and one for Bold or Italic. The scales' tables are known only at telling places (the letters and
// digits measured on labels, the codes with no glyph, the one mark whose bold form is narrower).
//
// Rule for the rest: every printable code not named below takes the width of the pair's typical
// capital 'D' (14 in the wide pair, 7 in the narrow one). A character of unknown width then prints
// as wide as an ordinary letter, so a line is never laid out narrower than the scale prints it by
// more than the spread between letters.
#include "pluedit/ThaiPrintWidths.h"

#include <array>

namespace varnel {
namespace {

constexpr std::size_t kFirstCode = 32;
constexpr std::size_t kTableSize = 224;
using WidthTable = std::array<std::uint8_t, kTableSize>;

enum class Pair { Wide, Narrow };

struct KnownWidth {
    char ch;
    std::uint8_t wide;
    std::uint8_t narrow;
};

constexpr KnownWidth kKnownWidths[] = {
    {'A', 15, 7}, {'B', 14, 7}, {'C', 13, 6}, {'D', 14, 7}, {'E', 14, 7}, {'M', 15, 7}, {'W', 15, 7}, {' ', 12, 6},
};
constexpr std::uint8_t kDigitWide = 13;
constexpr std::uint8_t kDigitNarrow = 6;
constexpr std::uint8_t kTypicalWide = 14;   // 'D'
constexpr std::uint8_t kTypicalNarrow = 7;  // 'D'
// Mai ek prints wider than its base in the wide plain font and narrower in its bold form.
constexpr std::uint8_t kMaiEk = 0xE8;
constexpr std::uint8_t kMaiEkWidePlain = 16;
constexpr std::uint8_t kMaiEkWideBold = 11;

// Codes with no glyph in either pair, and those missing from the wide pair only.
constexpr bool HasNoGlyph(std::size_t code) { return (code >= 0x7F && code <= 0x9D) || code == 0xA0 || code == 0xFF; }
constexpr bool HasNoWideGlyph(std::size_t code)
{
    return code == 0xA3 || code == 0xA5 || code == 0xDA || code == 0xDB || code == 0xE5;
}

constexpr WidthTable BuildTable(Pair pair, bool boldOrItalic)
{
    const bool wide = pair == Pair::Wide;
    WidthTable table{};
    for (std::size_t code = kFirstCode; code < kFirstCode + kTableSize; ++code) {
        std::uint8_t width = wide ? kTypicalWide : kTypicalNarrow;
        if (code >= '0' && code <= '9') width = wide ? kDigitWide : kDigitNarrow;
        for (const KnownWidth& known : kKnownWidths)
            if (code == static_cast<std::size_t>(known.ch)) width = wide ? known.wide : known.narrow;
        if (wide && code == kMaiEk) width = boldOrItalic ? kMaiEkWideBold : kMaiEkWidePlain;
        if (HasNoGlyph(code) || (wide && HasNoWideGlyph(code))) width = 0;
        table[code - kFirstCode] = width;
    }
    return table;
}

constexpr WidthTable kWidePlain = BuildTable(Pair::Wide, false);
constexpr WidthTable kWideBold = BuildTable(Pair::Wide, true);
constexpr WidthTable kNarrowPlain = BuildTable(Pair::Narrow, false);
constexpr WidthTable kNarrowBold = BuildTable(Pair::Narrow, true);

// Fonts at positions 2 and 3 of every group of four print at double width.
constexpr bool IsDoubleWidth(std::size_t lineFont) { return lineFont % 4 >= 2; }

}  // namespace

std::uint8_t ThaiWidthEntry(std::uint8_t ch, std::size_t lineFont, bool boldOrItalic)
{
    if (ch < kFirstCode) return 0;
    const bool wide = lineFont % 8 < 4;
    const WidthTable& table = wide ? (boldOrItalic ? kWideBold : kWidePlain)
                                   : (boldOrItalic ? kNarrowBold : kNarrowPlain);
    return table[ch - kFirstCode];
}

std::uint16_t ThaiPrintWidth(std::uint8_t ch, std::size_t lineFont, bool boldOrItalic)
{
    if (ch < kFirstCode) return 0;
    const auto width = static_cast<std::uint16_t>(ThaiWidthEntry(ch, lineFont, boldOrItalic) + 2);
    return IsDoubleWidth(lineFont) ? static_cast<std::uint16_t>(width * 2) : width;
}

bool IsThaiCombiningMark(std::uint8_t ch) { return ch == 0xD1 || (ch >= 0xD4 && ch <= 0xDA) || (ch >= 0xE7 && ch <= 0xEE); }

}  // namespace varnel
