// Full-width conversion of label text.
#include "pluedit/LabelTextConversion.h"

#include "db/text/EscapeCodes.h"
#include "db/text/FullWidthChars.h"

#include <algorithm>

namespace varnel {
namespace {

using CharConverter = std::size_t (*)(std::uint8_t, DoubleByteChar&);

std::string ToFullWidthText(std::string_view text, const CharRule& chars, CharConverter convert)
{
    text = text.substr(0, text.find('\0'));
    std::string converted;
    converted.reserve(std::min(text.size() * 2, kConvertedTextLimit + 2));
    std::size_t position = 0;
    while (position < text.size() && converted.size() < kConvertedTextLimit) {
        if (text[position] == kEsc) {
            const std::size_t length = std::min<std::size_t>(3, text.size() - position);
            converted.append(text.substr(position, length));
            position += length;
            continue;
        }
        const std::size_t length = GetCharLength(text.substr(position), chars);
        if (length == 0) break;  // a lead byte with nothing after it
        if (length == 2) {
            converted.append(text.substr(position, 2));
        } else {
            DoubleByteChar form{};
            const std::size_t formLength = convert(static_cast<std::uint8_t>(text[position]), form);
            converted.append(reinterpret_cast<const char*>(form.data()), formLength);
        }
        position += length;
    }
    return converted;
}

}  // namespace

std::string ToBig5Text(std::string_view text, const CharRule& chars)
{
    return ToFullWidthText(text, chars, AsciiToBig5Char);
}

std::string ToGb2312Text(std::string_view text, const CharRule& chars)
{
    return ToFullWidthText(text, chars, AsciiToGb2312Char);
}

std::string ToMarketText(std::string_view text, const LabelTextSettings& settings)
{
    if (!settings.ConvertsToFullWidth()) return std::string(text);
    return settings.IsChina() ? ToGb2312Text(text, settings.chars) : ToBig5Text(text, settings.chars);
}

}  // namespace varnel
