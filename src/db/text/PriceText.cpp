// Price parsing.
#include "db/text/PriceText.h"

#include "db/text/TextBytes.h"

#include <limits>

namespace varnel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool ParseAnyPrice(std::string_view text, unsigned decimals, char decimalChar, bool allowMinus, std::int32_t& value)
{
    text = TextBeforeNul(text);
    std::size_t at = 0;
    bool negative = false;
    for (; at < text.size() && (text[at] == ' ' || text[at] == '$' || (allowMinus && text[at] == '-')); ++at) {
        negative = negative || text[at] == '-';
    }

    std::int64_t number = 0;
    bool sawDigit = false;
    const auto addDigit = [&number](char digit) {
        number = number * 10 + (digit - '0');
        return number <= std::numeric_limits<std::int32_t>::max();
    };
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        sawDigit = true;
        if (!addDigit(text[at])) return false;
    }
    if (decimals > 0 && decimalChar != '\0' && at < text.size() && text[at] == decimalChar) {
        ++at;
        unsigned taken = 0;
        for (; at < text.size() && IsDigit(text[at]); ++at) {
            sawDigit = true;
            if (taken < decimals && !addDigit(text[at])) return false;
            ++taken;
        }
        for (; taken < decimals; ++taken) {
            if (!addDigit('0')) return false;
        }
    }
    if (!sawDigit || text.find_first_not_of(' ', at) != std::string_view::npos) return false;
    value = static_cast<std::int32_t>(negative ? -number : number);
    return true;
}

}  // namespace

bool ParsePrice(std::string_view text, unsigned decimals, char decimalChar, std::int32_t& value)
{
    return ParseAnyPrice(text, decimals, decimalChar, false, value);
}

bool ParseSignedPrice(std::string_view text, unsigned decimals, char decimalChar, std::int32_t& value)
{
    return ParseAnyPrice(text, decimals, decimalChar, true, value);
}

}  // namespace varnel
