// The conversions to and from the scales' character sets.
#include "db/text/ScaleCharset.h"

#include "db/text/BoundedText.h"
#include "db/text/EscapeCodes.h"
#include "db/text/EscapeTextWalk.h"
#include "db/text/NationalChars.h"
#include "db/text/TaiwanExtendedChars.h"
#include "db/text/TextBytes.h"

#include <iterator>
#include <optional>
#include <string>
#include <utility>

namespace varnel {
namespace {

constexpr std::size_t kNul = 1;
constexpr std::string_view kWdMarkerStart = "<WD-";
constexpr char kWdMarkerEnd = '>';
constexpr std::size_t kWdChars = 4;

enum class Conversion { Charset, WdMarkers, None };

// By family, 0 to 12; later families have none.
constexpr Conversion kConversionOfFamily[] = {
    Conversion::Charset, Conversion::Charset, Conversion::WdMarkers, Conversion::WdMarkers, Conversion::Charset,
    Conversion::Charset, Conversion::Charset, Conversion::None,      Conversion::Charset,   Conversion::None,
    Conversion::None,    Conversion::None,    Conversion::None};

Conversion ConversionOf(std::uint16_t family)
{
    return family < std::size(kConversionOfFamily) ? kConversionOfFamily[family] : Conversion::None;
}

// What a market's scales take of an ESC code: the code to write, or none.
using CodeFilter = decltype(EscapeTextRules::code);

std::optional<std::string> ChinaCode(const EscCode& code)
{
    if (code.letter == 'C') return MakeEscCode('C', code.operand);
    // The China scales number effects 1 and 2 the other way round (see ChinaCodeFromScale).
    if (code.letter == 'D' && code.operand == '2') return MakeEscCode('D', '1');
    if (code.letter == 'D' && code.operand == '4') return MakeEscCode('D', '4');
    return std::nullopt;
}

// Fonts from '4' on do not exist on the Taiwan scales; their lines take the first font.
std::optional<std::string> TaiwanLineCode(const EscCode& code)
{
    return MakeEscCode('C', code.operand >= '4' ? '0' : code.operand);
}

std::optional<std::string> TaiwanExtendedCode(const EscCode& code)
{
    if (code.letter == 'C') return TaiwanLineCode(code);
    if (code.letter == 'D' && code.operand < '5') return MakeEscCode('D', code.operand);
    return std::nullopt;
}

std::optional<std::string> OtherMarketCode(std::uint16_t market, const EscCode& code)
{
    if (code.letter == 'C') return market == MarketTaiwan ? TaiwanLineCode(code) : MakeEscCode('C', code.operand);
    if (code.letter != 'D' || code.operand >= '5') return std::nullopt;
    if (code.operand == '3' && market == MarketThailand) return std::nullopt;
    if (code.operand == '1' && (market == MarketTaiwan || market == MarketHongKong)) return std::nullopt;
    return MakeEscCode('D', code.operand);
}

// Copies text by whole characters and its ESC codes through the filter; with `dropExtendedLines` a
// line holding a Taiwan extended character is left out from its ESC 'C' on.
std::size_t FilterCodes(std::string_view source, std::span<char> out, CodeFilter filter, bool dropExtendedLines,
                        const CharRule& chars)
{
    EscapeTextRules walk;
    walk.code = std::move(filter);
    walk.dropExtendedLines = dropExtendedLines;
    walk.chars = chars;
    BoundedText text(out);
    WalkEscapeText(source, text, walk);
    text.Terminate();
    return text.Size();
}

std::size_t CharsetToScale(const TextRules& rules, std::string_view source, std::span<char> out)
{
    const std::uint16_t market = rules.market;
    if (const NationalCharTable* table = ScaleCharsetTableOf(market))
        return TranslateTextKeepEscapes(out, source, table->database, table->scale);
    if (market == MarketChina) return FilterCodes(source, out, ChinaCode, false, rules.chars);
    if (rules.dropTaiwanExtendedLines) return FilterCodes(source, out, TaiwanExtendedCode, true, rules.chars);
    const auto otherMarketCode = [market](const EscCode& code) { return OtherMarketCode(market, code); };
    return FilterCodes(source, out, otherMarketCode, false, rules.chars);
}

std::size_t WdMarkersToScale(std::string_view source, std::span<char> out, const CharRule& chars)
{
    BoundedText text(out);
    std::size_t position = 0;
    while (position < source.size()) {
        if (source[position] == kEsc) {
            const EscCode code = ReadEscCode(source, position);
            if (!code.Complete() || (code.letter == 'C' && !text.Append(source.substr(position, code.length), kNul)))
                break;
            position += code.length;
            continue;
        }
        if (source.substr(position).starts_with(kWdMarkerStart)) {
            const std::string_view marked = source.substr(position + kWdMarkerStart.size(), kWdChars);
            if (!text.Append(std::string{kEsc, 'W'} + std::string(marked), kNul)) break;
            position += kWdMarkerStart.size() + marked.size();
            if (position < source.size() && source[position] == kWdMarkerEnd) ++position;
            continue;
        }
        if (!text.AppendChar(source, position, kNul, chars)) break;
    }
    text.Terminate();
    return text.Size();
}

// The China scales number effects 1 and 2 the other way round.
std::optional<std::string> ChinaCodeFromScale(const EscCode& code)
{
    const bool swapped = code.letter == 'D' && (code.operand == '1' || code.operand == '2');
    return MakeEscCode(code.letter, swapped ? (code.operand == '1' ? '2' : '1') : code.operand);
}

std::optional<std::string> CodeAsItIs(const EscCode& code) { return MakeEscCode(code.letter, code.operand); }

std::size_t CharsetFromScale(const TextRules& rules, std::string_view source, std::span<char> out)
{
    if (const NationalCharTable* table = ScaleCharsetTableOf(rules.market))
        return TranslateText(out, source, table->scale, table->database);
    return FilterCodes(source, out, rules.market == MarketChina ? ChinaCodeFromScale : CodeAsItIs, false, rules.chars);
}

std::size_t WdMarkersFromScale(std::string_view source, std::span<char> out, const CharRule& chars)
{
    BoundedText text(out);
    std::size_t position = 0;
    while (position < source.size()) {
        if (source[position] == kEsc && position + 1 < source.size() && source[position + 1] == 'W') {
            const std::string_view marked = source.substr(position + 2, kWdChars);
            if (!text.Append(std::string(kWdMarkerStart) + std::string(marked) + kWdMarkerEnd, kNul)) break;
            position += 2 + marked.size();
            continue;
        }
        if (!text.AppendChar(source, position, kNul, chars)) break;
    }
    text.Terminate();
    return text.Size();
}

}  // namespace

std::size_t ConvertTextToScaleCharset(const TextRules& rules, const CLinkScaleSettings& scale, std::string_view in,
                                      std::span<char> out)
{
    const std::string_view source = TextBeforeNul(in);
    switch (ConversionOf(scale.GetScaleType(rules.defaultScaleFamily))) {
    case Conversion::Charset: return CharsetToScale(rules, source, out);
    case Conversion::WdMarkers: return WdMarkersToScale(source, out, rules.chars);
    case Conversion::None: break;
    }
    return 0;
}

std::size_t ConvertTextFromScaleCharset(const TextRules& rules, const CLinkScaleSettings& scale, std::span<char> out,
                                        std::string_view in)
{
    const std::string_view source = TextBeforeNul(in);
    switch (ConversionOf(scale.GetScaleType(rules.defaultScaleFamily))) {
    case Conversion::Charset: return CharsetFromScale(rules, source, out);
    case Conversion::WdMarkers: return WdMarkersFromScale(source, out, rules.chars);
    case Conversion::None: break;
    }
    return 0;
}

}  // namespace varnel
