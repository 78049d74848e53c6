#include "db/text/DescText.h"

#include "db/text/DoubleByteText.h"
#include "db/text/TextBytes.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr char kEscape = '\x1B';
constexpr std::size_t kCodeLength = 3;

bool IsCode(std::string_view text, std::size_t position, char letter)
{
    return position + 1 < text.size() && text[position] == kEscape && text[position + 1] == letter;
}

bool IsControl(char byte) { return static_cast<unsigned char>(byte) < 32; }

// The position of the byte that ends the line the walk stands in: the next control byte that does not
// open an effect code. The text's end when there is none.
std::size_t EndOfLine(std::string_view text, std::size_t position, const CharRule& chars)
{
    while (position < text.size()) {
        if (IsCode(text, position, 'D'))
            position += kCodeLength;
        else if (IsControl(text[position]))
            return position;
        else if (const std::size_t next = NextChar(text, position, chars); next != position)
            position = next;
        else
            break;
    }
    return text.size();
}

}  // namespace

std::size_t GetDescLine(std::string_view desc, std::size_t position, std::size_t maxLength, DescLine& line,
                        const CharRule& chars)
{
    line = DescLine{};
    desc = TextBeforeNul(desc);
    if (maxLength == 0 || position + kCodeLength > desc.size()) return 0;
    line.font = desc[position + 2];
    std::size_t p = position + kCodeLength;
    for (; IsCode(desc, p, 'D') && p + kCodeLength <= desc.size(); p += kCodeLength) {
        const char effect = desc[p + 2];
        if (effect >= '1' && effect <= '5') line.attributes[effect - '1'] = !line.attributes[effect - '1'];
    }
    while (p < desc.size()) {
        if (IsCode(desc, p, 'D')) {
            p += kCodeLength;
            continue;
        }
        if (IsControl(desc[p])) return p;
        const std::size_t length = GetCharLength(desc.substr(p), chars);
        if (length == 0) return 0;  // a lead byte without its second byte ends the text
        // A line longer than the maximum is cut; the walk goes on from the line that follows.
        if (line.text.size() + length > maxLength) {
            p = EndOfLine(desc, p, chars);
            break;
        }
        line.text.append(desc.substr(p, length));
        p += length;
    }
    return p < desc.size() ? p : 0;
}

std::size_t CountDescLines(std::string_view desc)
{
    desc = TextBeforeNul(desc);
    std::size_t count = 0;
    for (std::size_t p = desc.find(kEscape); p != std::string_view::npos; p = desc.find(kEscape, p + 1))
        if (IsCode(desc, p, 'C')) ++count;
    return count;
}

std::string ExtractDescLineEx(std::string_view desc, std::size_t n, std::size_t maxLength, const CharRule& chars,
                              std::size_t& stop)
{
    desc = TextBeforeNul(desc);
    std::string out;
    std::size_t lines = 0;  // the lines opened so far; line n is lines - 1 == n
    std::size_t p = 0;
    while (p < desc.size()) {
        if (desc[p] == kEscape) {
            if (IsCode(desc, p, 'C') && ++lines > n + 1) break;
            p = std::min(p + kCodeLength, desc.size());
            continue;
        }
        const std::size_t length = GetCharLength(desc.substr(p), chars);
        if (length == 0) break;
        if (lines == n + 1) {
            if (out.size() + length > maxLength) break;
            out.append(desc.substr(p, length));
        }
        p += length;
    }
    stop = p;
    return out;
}

std::string ExtractDescLine(std::string_view desc, std::size_t n, std::size_t maxLength, const CharRule& chars)
{
    std::size_t stop = 0;
    return ExtractDescLineEx(desc, n, maxLength, chars, stop);
}

std::size_t GetDescTextLength(std::string_view desc, std::uint16_t defaultScaleFamily)
{
    desc = TextBeforeNul(desc);
    const std::size_t codeLength = defaultScaleFamily >= 6 ? 2 : 3;
    std::size_t length = 0;
    for (std::size_t p = 0; p < desc.size();) {
        if (desc[p] == kEscape) {
            length += codeLength;
            p += kCodeLength;
        } else {
            ++length;
            ++p;
        }
    }
    return length;
}

std::string NameFromDesc(std::string_view desc, std::size_t limit, const CharRule& chars)
{
    desc = TextBeforeNul(desc);
    std::string name;
    if (desc.size() < kCodeLength) return name;
    for (std::size_t p = kCodeLength; p < desc.size();) {
        if (desc[p] == kEscape && p + 1 < desc.size() && static_cast<unsigned char>(desc[p + 1]) >= 'D') {
            p += kCodeLength;
            continue;
        }
        if (IsControl(desc[p])) break;
        const std::size_t length = GetCharLength(desc.substr(p), chars);
        if (length == 0 || name.size() + length > limit) break;
        name.append(desc.substr(p, length));
        p += length;
    }
    return name;
}

}  // namespace varnel
