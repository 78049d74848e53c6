// Whole-character substrings and searches.
#include "db/text/DbcsString.h"

#include "db/text/DoubleByteText.h"
#include "db/text/TextBytes.h"

namespace varnel {
namespace {

// The last boundary between whole characters that lies at or before byte `limit`.
std::size_t LastBoundaryUpTo(std::string_view text, std::size_t limit, const CharRule& chars)
{
    std::size_t boundary = 0;
    for (std::size_t next = NextChar(text, 0, chars); next != boundary && next <= limit;
         next = NextChar(text, boundary, chars)) {
        boundary = next;
    }
    return boundary;
}

}  // namespace

std::string_view DbcsLeft(std::string_view text, std::size_t n, const CharRule& chars)
{
    text = TextBeforeNul(text);
    return text.substr(0, LastBoundaryUpTo(text, n, chars));
}

std::string_view DbcsMid(std::string_view text, std::size_t start, std::size_t count, const CharRule& chars)
{
    text = TextBeforeNul(text);
    return DbcsLeft(text.substr(LastBoundaryUpTo(text, start, chars)), count, chars);
}

std::size_t DbcsReverseFind(std::string_view text, char ch, const CharRule& chars)
{
    text = TextBeforeNul(text);
    std::size_t found = std::string_view::npos;
    for (std::size_t at = 0, next = NextChar(text, 0, chars); next != at; at = next, next = NextChar(text, at, chars)) {
        if (next - at == 1 && text[at] == ch) found = at;
    }
    return found;
}

std::size_t SkipChars(std::string_view text, std::size_t position, std::size_t n, const CharRule& chars)
{
    text = TextBeforeNul(text);
    for (; n > 0; --n) {
        const std::size_t next = NextChar(text, position, chars);
        if (next == position) break;
        position = next;
    }
    return position;
}

}  // namespace varnel
