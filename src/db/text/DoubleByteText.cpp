// Character lengths under a character rule.
#include "db/text/DoubleByteText.h"

#include <cstdint>

namespace varnel {
namespace {

bool BeginsTwoByteChar(std::uint8_t byte, const CharRule& rule)
{
    switch (rule.leadBytes) {
    case CharRule::LeadBytes::From128: return byte >= 128 && byte <= 254;
    case CharRule::LeadBytes::From160: return byte >= 160 && byte <= 254;
    case CharRule::LeadBytes::OfCodePage: break;
    }
    return IsLeadByte(rule.codePage, byte);
}

}  // namespace

std::size_t GetCharLength(std::string_view text, const CharRule& rule)
{
    if (text.empty() || text[0] == '\0') return 0;
    if (!BeginsTwoByteChar(static_cast<std::uint8_t>(text[0]), rule)) return 1;
    return text.size() >= 2 && text[1] != '\0' ? 2 : 0;
}

std::size_t CopyOneChar(std::string& out, std::string_view text, const CharRule& rule)
{
    const std::size_t length = GetCharLength(text, rule);
    out.append(text.substr(0, length));
    return length;
}

std::size_t NextChar(std::string_view text, std::size_t position, const CharRule& rule)
{
    return position < text.size() ? position + GetCharLength(text.substr(position), rule) : position;
}

}  // namespace varnel
