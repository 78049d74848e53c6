// Writing one line of label text in its stored form: escapes only where the format changes, whole
// escapes and whole characters within the limit, the text cut at the label width.
#include "pluedit/LabelTextEscapes.h"
#include "pluedit/LabelTextLine.h"

#include "db/EscapeCodes.h"

#include <algorithm>
#include <cstring>

namespace varnel {
namespace {

constexpr std::size_t kEscapeLength = 3;
constexpr std::size_t kShortestWritableLine = 4;
// Taiwan: a short line in the large font '1' prints in font '2'.
constexpr std::uint8_t kTaiwanLargeFont = '1';
constexpr std::uint8_t kTaiwanLineFont = '2';
constexpr std::size_t kTaiwanShortLineBytes = 24;

class LineWriter {
public:
    LineWriter(std::span<char> out, std::size_t limit) : m_out(out), m_limit(limit) {}

    std::size_t Position() const { return m_position; }
    bool HasRoomForEscape() const { return m_position + kEscapeLength <= m_limit; }
    void Escape(char letter, char operand)
    {
        const char escape[] = {kEsc, letter, operand};
        Put(std::string_view(escape, kEscapeLength));
    }
    void Put(std::string_view bytes)
    {
        std::memcpy(m_out.data() + m_position, bytes.data(), bytes.size());
        m_position += bytes.size();
    }
    void Terminate() { m_out[m_position] = '\0'; }

private:
    std::span<char> m_out;
    std::size_t m_limit;
    std::size_t m_position = 0;
};

char Digit(std::size_t index) { return static_cast<char>('1' + index); }

// Writes the escapes that take `state` to `format`; false, with the line to end there, when one of
// them does not fit (the run's text would otherwise be written in the wrong format).
bool WriteFormatChange(LineWriter& writer, LabelTextFormat& state, const LabelTextFormat& format,
                       const LabelTextSettings& settings)
{
    const auto change = [&writer](char letter, char operand) {
        if (!writer.HasRoomForEscape()) return false;
        writer.Escape(letter, operand);
        return true;
    };
    for (std::size_t e = 0; e < kLabelEffects; ++e) {
        if (format.effects[e] == state.effects[e]) continue;
        if (!change(kEffectToggle, Digit(e))) return false;
        state.effects[e] = format.effects[e];
    }
    if (format.font != state.font) {
        if (!change(kFontChange, static_cast<char>(settings.Code(format.font)))) return false;
        state.font = format.font;
    }
    for (std::size_t e = 0; e < kLabelExtraEffects; ++e) {
        if (format.extraEffects[e] == state.extraEffects[e]) continue;
        if (!change(kExtraEffectToggle, Digit(e))) return false;
        state.extraEffects[e] = format.extraEffects[e];
    }
    for (std::size_t slot = 0; slot < kLabelColourSlots; ++slot) {
        if (format.colours[slot] == state.colours[slot]) continue;
        const auto value = static_cast<std::size_t>(format.colours[slot]);
        if (value >= kLabelColours) continue;  // not a colour the stored form can name
        if (!change(static_cast<char>(kFirstColour + value), Digit(slot))) return false;
        state.colours[slot] = format.colours[slot];
    }
    return true;
}

// Switches off the effects left on at the end of the line; false when one did not fit.
bool WriteEffectsOff(LineWriter& writer, const LabelTextFormat& state)
{
    for (std::size_t e = 0; e < kLabelEffects; ++e) {
        if (!state.effects[e]) continue;
        if (!writer.HasRoomForEscape()) return false;
        writer.Escape(kEffectToggle, Digit(e));
    }
    for (std::size_t e = 0; e < kLabelExtraEffects; ++e) {
        if (!state.extraEffects[e]) continue;
        if (!writer.HasRoomForEscape()) return false;
        writer.Escape(kExtraEffectToggle, Digit(e));
    }
    return true;
}

void UpperCase(std::string& text, const CharRule& chars)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = std::max<std::size_t>(1, GetCharLength(std::string_view(text).substr(i), chars));
        if (length == 1 && text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
        i += length;
    }
}

// The bytes of the whole characters of `text` that fit in `room` bytes.
std::size_t WholeCharBytes(std::string_view text, std::size_t room, const CharRule& chars)
{
    std::size_t bytes = 0;
    while (bytes < text.size()) {
        const std::size_t length = GetCharLength(text.substr(bytes), chars);
        if (length == 0 || bytes + length > room) break;
        bytes += length;
    }
    return bytes;
}

}  // namespace

std::size_t CLabelTextLine::Write(std::span<char> out, std::size_t limit, const LabelTextContext& context,
                                  bool& truncated)
{
    const LabelTextSettings& settings = *context.settings;
    LineWriter writer(out, limit);
    if (limit < kShortestWritableLine) {
        truncated = true;
        writer.Terminate();
        return 0;
    }
    if (settings.IsTaiwan() && settings.Code(m_lineFont) == kTaiwanLargeFont) {
        m_lineFont = settings.FontOfCode(kTaiwanLineFont);
        if (GetTextLength() < kTaiwanShortLineBytes)
            for (CLabelTextRun& run : m_runs)
                if (settings.Code(run.m_format.font) == kTaiwanLargeFont) run.m_format.font = m_lineFont;
    }

    writer.Escape(kLineOpener, static_cast<char>(settings.Code(m_runs.empty() ? m_lineFont : m_runs.front().m_format.font)));
    if (m_runs.empty()) {
        writer.Terminate();
        return writer.Position();
    }
    LabelTextFormat state;
    state.font = m_runs.front().m_format.font;

    const bool thai = settings.IsThai();
    const std::size_t thaiEntries = thai ? (Layout(context, m_top), m_xPositions.size()) : 0;
    const int widthDots = context.WidthDots();
    const bool upperCaseOnly = settings.fonts.IsUpperCaseOnly(m_lineFont);
    std::size_t textBytes = 0;
    int width = 0;
    bool lineEnded = false;
    for (CLabelTextRun& run : m_runs) {
        if (writer.Position() >= limit || lineEnded) break;
        if (run.m_text.empty()) continue;
        if (upperCaseOnly) UpperCase(run.m_text, settings.chars);
        std::size_t n = run.m_text.size();
        const int charWidth = context.CharWidth(run);
        if (thai) {
            if (textBytes + n >= thaiEntries) {
                n = thaiEntries - textBytes - 1;
                lineEnded = true;
            }
        } else if (charWidth != 0 && width + static_cast<int>(n) * charWidth > widthDots) {
            n = static_cast<std::size_t>(std::max(0, widthDots - width) / charWidth);
            lineEnded = true;
        }
        // A run of which nothing fits the label adds no escapes either.
        if (WholeCharBytes(run.m_text, n, settings.chars) == 0) break;
        if (!WriteFormatChange(writer, state, run.m_format, settings)) {
            truncated = true;
            break;
        }
        if (n > limit - writer.Position()) {
            n = limit - writer.Position();
            truncated = true;
        }
        const std::size_t copied = WholeCharBytes(run.m_text, n, settings.chars);
        writer.Put(std::string_view(run.m_text).substr(0, copied));
        textBytes += copied;
        width += static_cast<int>(copied) * charWidth;
    }
    if (!WriteEffectsOff(writer, state)) truncated = true;
    writer.Terminate();
    return writer.Position();
}

}  // namespace varnel
