#include "db/text/WrapDescText.h"

#include "db/text/DoubleByteText.h"

#include <algorithm>
#include <string_view>

namespace varnel {
namespace {

constexpr char kEsc = '\x1B';
constexpr std::size_t kCodeLength = 3;

bool IsBreakChar(char c) { return c == ' ' || c == ',' || c == ')'; }

// The bytes of the piece at `position`: a whole ESC code or a whole character; 0 where the text ends.
std::size_t PieceLength(std::string_view text, std::size_t position, const CharRule& chars)
{
    if (text[position] == kEsc) return std::min(kCodeLength, text.size() - position);
    return GetCharLength(text.substr(position), chars);
}

class LineWriter {
public:
    LineWriter(std::span<char> out, std::size_t maxLength) : m_out(out.first(std::min(out.size(), maxLength))) {}

    bool Append(std::string_view piece)
    {
        if (piece.size() > m_out.size() - m_length) return false;
        std::copy(piece.begin(), piece.end(), m_out.begin() + static_cast<std::ptrdiff_t>(m_length));
        m_length += piece.size();
        return true;
    }
    std::size_t Length() const { return m_length; }

private:
    std::span<char> m_out;
    std::size_t m_length = 0;
};

// Where the line that starts at `start` ends.
std::size_t LineEnd(std::string_view text, std::size_t start, std::size_t lineWidth, const CharRule& chars)
{
    std::size_t width = 0;
    std::size_t position = start;
    std::size_t lastBreak = 0;
    while (position < text.size()) {
        const std::size_t length = PieceLength(text, position, chars);
        if (length == 0) return position;
        const std::size_t columns = text[position] == kEsc ? 0 : length;
        if (width + columns > lineWidth) break;
        width += columns;
        position += length;
        if (length == 1 && IsBreakChar(text[position - 1])) lastBreak = position;
    }
    if (position >= text.size()) return text.size();
    if (lastBreak > start) return lastBreak;
    // A character wider than the whole line still gets a line of its own.
    return position > start ? position : start + PieceLength(text, start, chars);
}

}  // namespace

std::size_t WrapDescText(char lineCode, std::size_t lineWidth, std::size_t maxLength, std::span<char> out,
                         std::string_view text, const CharRule& chars)
{
    text = text.substr(0, text.find('\0'));
    const char code[] = {kEsc, 'C', lineCode};
    const std::string_view lineCodeText(code, kCodeLength);
    LineWriter writer(out, maxLength);
    if (!writer.Append(lineCodeText)) return 0;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t end = LineEnd(text, position, std::max<std::size_t>(lineWidth, 1), chars);
        if (end == position) break;  // a lead byte with nothing after it
        for (std::size_t piece = position; piece < end;) {
            const std::size_t length = PieceLength(text, piece, chars);
            if (!writer.Append(text.substr(piece, length))) return writer.Length();
            piece += length;
        }
        position = end;
        if (position < text.size() && !writer.Append(lineCodeText)) break;
    }
    return writer.Length();
}

}  // namespace varnel
