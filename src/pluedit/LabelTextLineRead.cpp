// Reading one line of stored label text into runs.
#include "pluedit/LabelTextEscapes.h"
#include "pluedit/LabelTextLine.h"

#include "db/text/EscapeCodes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace varnel {
namespace {

// A one-byte character that is no escape: no character rule takes a byte below 128 for a lead byte.
bool IsPlainByte(char byte) { return static_cast<std::uint8_t>(byte) < 0x80 && byte != kEsc; }

// Where the plain bytes from `from` end, at most at `to`: eight at a time while none of the eight
// has its high bit set or is the escape, then byte by byte.
std::size_t PlainBytesEnd(std::string_view text, std::size_t from, std::size_t to)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    while (from + sizeof(std::uint64_t) <= to) {
        std::uint64_t bytes = 0;
        std::memcpy(&bytes, text.data() + from, sizeof bytes);
        const std::uint64_t escapesZeroed = bytes ^ (kOnes * static_cast<std::uint8_t>(kEsc));
        const std::uint64_t zeroBytes = (escapesZeroed - kOnes) & ~escapesZeroed;
        if (((bytes | zeroBytes) & kHighBits) != 0) break;
        from += sizeof bytes;
    }
    while (from < to && IsPlainByte(text[from])) ++from;
    return from;
}

}  // namespace

bool ApplyLabelEscape(char letter, char operand, LabelTextFormat& format, const LabelTextSettings& settings)
{
    switch (letter) {
    case kEffectToggle:
        if (operand >= '1' && operand < static_cast<char>('1' + kLabelEffects))
            format.effects[static_cast<std::size_t>(operand - '1')] ^= true;
        return true;
    case kFontChange: format.font = settings.FontOfCode(static_cast<std::uint8_t>(operand)); return true;
    case kExtraEffectToggle:
        if (operand >= '1' && operand < static_cast<char>('1' + kLabelExtraEffects))
            format.extraEffects[static_cast<std::size_t>(operand - '1')] ^= true;
        return true;
    case kFirstColour:
    case kFirstColour + 1:
    case kFirstColour + 2:
        if (operand >= '1' && operand < static_cast<char>('1' + kLabelColourSlots))
            format.colours[static_cast<std::size_t>(operand - '1')] = static_cast<LabelColour>(letter - kFirstColour);
        return true;
    default: return false;
    }
}

void CLabelTextLine::Restart(std::size_t lineFont, std::size_t number)
{
    m_lineFont = lineFont;
    m_number = number;
    m_runs.clear();
    ForgetLayout();
}

void CLabelTextLine::ForgetLayout()
{
    m_xPositions.clear();
    m_top = 0;
    m_bottom = 0;
}

std::size_t CLabelTextLine::Read(std::string_view text, const LabelTextSettings& settings)
{
    constexpr std::size_t kEscapeLength = 3;
    text = text.substr(0, text.find('\0'));  // a 0 ends the stored text
    if (text.size() < kEscapeLength) return 0;
    m_lineFont = settings.FontOfCode(static_cast<std::uint8_t>(text[2]));
    ForgetLayout();
    LabelTextFormat format;
    format.font = m_lineFont;
    std::size_t runs = 0;  // runs read so far, each into a run the line held when there is one
    const auto addRun = [this, &runs, &format](std::string_view bytes) {
        if (runs == m_runs.size()) m_runs.emplace_back();
        CLabelTextRun& run = m_runs[runs++];
        run.m_format = format;
        run.m_text.assign(bytes);
    };

    // The pending run is the text from `runStart` to `position`: characters stand between escapes.
    std::size_t runStart = kEscapeLength;
    std::size_t position = kEscapeLength;
    bool lineEnded = false;
    while (position < text.size() && !lineEnded) {
        if (text[position] != kEsc) {
            const std::size_t length =
                IsPlainByte(text[position]) ? 1 : GetCharLength(text.substr(position), settings.chars);
            if (length == 0) text = text.substr(0, position);  // a lead byte with nothing after it is dropped
            position += length;
            position = PlainBytesEnd(text, position, std::min(text.size(), runStart + kMaxRunBytes));
        }
        const std::size_t pending = position - runStart;
        if (position < text.size() && text[position] != kEsc && pending < kMaxRunBytes) continue;
        if (pending != 0) addRun(text.substr(runStart, pending));
        while (position < text.size() && text[position] == kEsc) {
            if (text.size() - position < kEscapeLength) {
                position = text.size();  // an escape cut by the end of the text is dropped
                break;
            }
            if (!ApplyLabelEscape(text[position + 1], text[position + 2], format, settings)) {
                lineEnded = true;
                break;
            }
            position += kEscapeLength;
        }
        runStart = position;
    }
    if (runs == 0) addRun({});
    m_runs.resize(runs);
    FitTallestFont(settings);
    return position;
}

}  // namespace varnel
