// Record text fields.
#include "db/text/FieldText.h"

#include "db/text/TextBytes.h"

#include <algorithm>
#include <string_view>

namespace varnel {
namespace {

// The bytes of the field, cut to the record.
std::string_view FieldBytes(std::span<const std::uint8_t> record, std::size_t n, std::size_t offset)
{
    if (offset >= record.size()) return {};
    const std::span<const std::uint8_t> field = record.subspan(offset, std::min(n, record.size() - offset));
    return {reinterpret_cast<const char*>(field.data()), field.size()};
}

}  // namespace

std::size_t CopyFixedText(std::span<const std::uint8_t> record, std::string& out, std::size_t n, std::size_t offset)
{
    out = TextBeforeNul(FieldBytes(record, n, offset));
    return out.size();
}

std::size_t CopyFixedTextTrimmed(std::span<const std::uint8_t> record, std::string& out, std::size_t n,
                                 std::size_t offset)
{
    const std::string_view text = TextBeforeNul(FieldBytes(record, n, offset));
    const std::size_t blanks = std::min(text.find_first_not_of(' '), text.size());
    out = text.substr(blanks);
    return text.size();
}

void StripLeadingChar(std::string& text, char ch) { text.erase(0, text.find_first_not_of(ch)); }

std::uint8_t ToUpperAscii(std::uint8_t byte)
{
    return byte >= 'a' && byte <= 'z' ? static_cast<std::uint8_t>(byte - 'a' + 'A') : byte;
}

}  // namespace varnel
