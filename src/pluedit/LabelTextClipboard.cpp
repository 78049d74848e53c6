// Writing and reading the label text clipboard block.
#include "pluedit/LabelTextClipboard.h"

#include "platform/ByteOrder.h"

#include <array>
#include <cstdint>

namespace varnel {
namespace {

constexpr std::uint8_t kLineMark = 0xFF;
constexpr std::size_t kFlagBytes = 5;
constexpr std::size_t kMarkBytes = 4;
constexpr std::size_t kAlignment = 4;
constexpr std::uint8_t kFirstPrintable = 0x20;

std::size_t Aligned(std::size_t offset) { return (offset + kAlignment - 1) / kAlignment * kAlignment; }

void PadToAlignment(std::string& block) { block.resize(Aligned(block.size()), '\0'); }

void WriteRun(std::string& block, const LabelTextFormat& format, std::string_view text)
{
    for (const bool on : format.effects) block.push_back(on ? '\1' : '\0');
    block.append(text);
    block.push_back('\0');
    PadToAlignment(block);
}

// Pieces of at most the block's run size, cut between whole characters.
std::vector<std::string_view> RunPieces(std::string_view text, const CharRule& chars)
{
    std::vector<std::string_view> pieces;
    while (!text.empty()) {
        std::size_t length = 0;
        while (length < text.size()) {
            const std::size_t next = NextChar(text, length, chars);
            if (next == length || next > CLabelTextLine::kMaxRunBytes) break;
            length = next;
        }
        if (length == 0) length = std::min(text.size(), CLabelTextLine::kMaxRunBytes);
        pieces.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return pieces;
}

// Whole printable characters only: a control byte would break the stored form, a cut character
// the text after it.
bool IsPastableText(std::string_view text, const CharRule& chars)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = GetCharLength(text.substr(i), chars);
        if (length == 0) return false;
        if (length == 1 && static_cast<std::uint8_t>(text[i]) < kFirstPrintable) return false;
        i += length;
    }
    return true;
}

class BlockReader {
public:
    BlockReader(std::string_view block, const LabelTextSettings& settings) : m_block(block), m_settings(settings) {}

    std::optional<std::vector<CLabelTextLine>> Read()
    {
        if (m_block.size() < 2) return std::nullopt;
        const std::size_t count = LoadLe16(Bytes(0));
        // Every line takes at least its mark.
        if (count > (m_block.size() - 2) / kMarkBytes) return std::nullopt;
        std::vector<CLabelTextLine> lines;
        lines.reserve(count);
        m_offset = 2;
        for (std::size_t i = 0; i < count; ++i) {
            std::optional<CLabelTextLine> line = ReadLine(i);
            if (!line) return std::nullopt;
            lines.push_back(std::move(*line));
        }
        return lines;
    }

private:
    const std::uint8_t* Bytes(std::size_t offset) const
    {
        return reinterpret_cast<const std::uint8_t*>(m_block.data()) + offset;
    }

    std::optional<CLabelTextLine> ReadLine(std::size_t number)
    {
        std::vector<CLabelTextRun> runs;
        while (true) {
            if (m_offset >= m_block.size()) return std::nullopt;  // a line without its mark
            if (*Bytes(m_offset) == kLineMark) break;
            std::optional<CLabelTextRun> run = ReadRun();
            if (!run) return std::nullopt;
            if (!run->m_text.empty()) runs.push_back(std::move(*run));
        }
        if (m_block.size() - m_offset < kMarkBytes) return std::nullopt;
        const std::size_t font = LoadLe16(Bytes(m_offset + 2));
        if (!m_settings.CanName(font)) return std::nullopt;
        m_offset += kMarkBytes;
        CLabelTextLine line(font, number);
        for (CLabelTextRun& run : runs) run.m_format.font = font;
        if (runs.empty()) runs.emplace_back(font);
        line.m_runs = std::move(runs);
        return line;
    }

    std::optional<CLabelTextRun> ReadRun()
    {
        if (m_block.size() - m_offset < kFlagBytes + 1) return std::nullopt;
        LabelTextFormat format;
        for (std::size_t effect = 0; effect < kLabelEffects; ++effect) {
            const std::uint8_t flag = *Bytes(m_offset + effect);
            if (flag > 1) return std::nullopt;
            format.effects[effect] = flag == 1;
        }
        const std::string_view rest = m_block.substr(m_offset + kFlagBytes);
        const std::size_t end = rest.find('\0');
        if (end == std::string_view::npos || end > CLabelTextLine::kMaxRunBytes) return std::nullopt;
        const std::string_view text = rest.substr(0, end);
        if (!IsPastableText(text, m_settings.chars)) return std::nullopt;
        // The filler after the text may be cut by the end of the block only where a mark could not follow.
        m_offset = Aligned(m_offset + kFlagBytes + end + 1);
        return CLabelTextRun(format, std::string(text));
    }

    std::string_view m_block;
    const LabelTextSettings& m_settings;
    std::size_t m_offset = 0;
};

}  // namespace

std::string WriteDescFieldBlock(const std::vector<CLabelTextLine>& lines, const CharRule& chars)
{
    std::string block(2, '\0');
    StoreLe16(reinterpret_cast<std::uint8_t*>(block.data()), static_cast<std::uint16_t>(lines.size()));
    for (const CLabelTextLine& line : lines) {
        for (const CLabelTextRun& run : line.m_runs)
            for (const std::string_view piece : RunPieces(run.m_text, chars)) WriteRun(block, run.m_format, piece);
        std::array<std::uint8_t, kMarkBytes> mark{kLineMark, 0, 0, 0};
        StoreLe16(mark.data() + 2, static_cast<std::uint16_t>(line.m_lineFont));
        block.append(reinterpret_cast<const char*>(mark.data()), mark.size());
    }
    return block;
}

std::string PlainTextOf(const std::vector<CLabelTextLine>& lines)
{
    std::string text;
    for (const CLabelTextLine& line : lines) text += line.Text() + "\r\n";
    return text;
}

std::optional<std::vector<CLabelTextLine>> ReadDescFieldBlock(std::string_view block, const LabelTextSettings& settings)
{
    return BlockReader(block, settings).Read();
}

}  // namespace varnel
