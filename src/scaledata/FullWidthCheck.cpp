#include "scaledata/FullWidthCheck.h"

#include "pluedit/LabelTextConversion.h"

#include <cstdint>

namespace varnel {
namespace {

constexpr std::uint8_t kGb2312Lead = 160;
constexpr std::uint8_t kBig5Lead = 128;

// Every second byte from the first is a lead byte of the market's double-byte set, and none is left alone.
bool IsAllDoubleByte(std::string_view text, std::uint8_t lowestLead)
{
    if (text.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < text.size(); i += 2)
        if (static_cast<std::uint8_t>(text[i]) < lowestLead) return false;
    return true;
}

}  // namespace

std::optional<std::string> FullWidthConversion(std::string_view text, const TextRules& rules)
{
    std::string converted;
    if (rules.IsChina() && !IsAllDoubleByte(text, kGb2312Lead))
        converted = ToGb2312Text(text, rules.chars);
    else if (rules.IsHongKongTaiwan() && !IsAllDoubleByte(text, kBig5Lead))
        converted = ToBig5Text(text, rules.chars);
    else
        return std::nullopt;
    // A byte without a full-width form stays as it is: asking again would change nothing.
    if (converted == text) return std::nullopt;
    return converted;
}

}  // namespace varnel
