// Hex escapes and ESC codes. The copying routines walk whole characters, so the second byte of a
// double-byte character is never taken for a backslash.
#include "db/text/TextEscapes.h"

#include "db/text/DoubleByteText.h"
#include "db/text/TextBytes.h"

#include <algorithm>
#include <array>

namespace varnel {
namespace {

constexpr char kEsc = 27;
constexpr std::size_t kHexEscapeLength = 4;  // backslash, 'x', two hex digits

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The leading hex digits of `digits` as a number; 0 when it starts with none.
std::uint8_t ReadHex(std::string_view digits)
{
    int value = 0;
    for (const char c : digits) {
        if (HexValue(c) < 0) break;
        value = value * 16 + HexValue(c);
    }
    return static_cast<std::uint8_t>(value);
}

// Copies the text by whole characters, dropping each code that `codeLength` finds at a character's
// start (it returns the code's length in bytes, or 0 for an ordinary character).
template <class CodeLength>
std::string CopyWithoutCodes(std::string_view text, const CharRule& chars, CodeLength codeLength)
{
    text = TextBeforeNul(text);
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        if (const std::size_t code = codeLength(text.substr(at)); code > 0) {
            at = std::min(text.size(), at + code);
            continue;
        }
        const std::size_t next = NextChar(text, at, chars);
        if (next == at) break;
        out.append(text.substr(at, next - at));
        at = next;
    }
    return out;
}

}  // namespace

std::string_view HexEscape(std::uint8_t byte)
{
    // Every escape made once: encoders write them for every control byte of every record.
    static constexpr auto kEscapes = [] {
        constexpr char kHexDigits[] = "0123456789ABCDEF";
        std::array<std::array<char, 4>, 256> escapes{};
        for (std::size_t b = 0; b < escapes.size(); ++b) escapes[b] = {'\\', 'x', kHexDigits[b >> 4], kHexDigits[b & 0x0F]};
        return escapes;
    }();
    return {kEscapes[byte].data(), kEscapes[byte].size()};
}

std::size_t AppendEscapedChar(std::string& buffer, std::size_t position, std::uint8_t byte)
{
    if (byte < 32 || byte == 127 || byte == '\\') {
        WriteAtPosition(buffer, position, HexEscape(byte));
    } else {
        WriteAtPosition(buffer, position, std::string_view(reinterpret_cast<const char*>(&byte), 1));
    }
    return position;
}

std::uint8_t ReadEscapedChar(std::string_view text, std::size_t& position)
{
    const std::string_view rest = TextFrom(text, position);
    if (rest.empty()) return 0;
    if (rest[0] != '\\') {
        ++position;
        return static_cast<std::uint8_t>(rest[0]);
    }
    const std::string_view escape = rest.substr(0, kHexEscapeLength);
    position += escape.size();
    return escape.size() > 2 ? ReadHex(escape.substr(2)) : 0;
}

std::string RemoveHexEscapes(std::string_view text, const CharRule& chars)
{
    return CopyWithoutCodes(text, chars, [](std::string_view rest) {
        return rest.size() >= 2 && rest[0] == '\\' && (rest[1] == 'x' || rest[1] == 'X') ? kHexEscapeLength : 0;
    });
}

std::string StripEscCodes(std::string_view text, const CharRule& chars)
{
    return CopyWithoutCodes(text, chars, [](std::string_view rest) { return rest[0] == kEsc ? std::size_t{3} : 0; });
}

}  // namespace varnel
