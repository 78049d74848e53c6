// Writing one line of label text in its stored form: escapes only where the format changes, whole
// escapes and whole characters within the limit, the text cut at the label width.
#include "pluedit/LabelTextEscapes.h"
#include "pluedit/LabelTextLine.h"

#include "db/text/EscapeCodes.h"

#include <algorithm>
#include <cstring>
#include <numeric>

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
    void Rewind() { m_position = 0; }

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

// The escapes that take `state` to `format`.
std::size_t EscapesToFormat(const LabelTextFormat& state, const LabelTextFormat& format)
{
    std::size_t escapes = 0;
    for (std::size_t e = 0; e < kLabelEffects; ++e) escapes += format.effects[e] != state.effects[e] ? 1 : 0;
    escapes += format.font != state.font ? 1 : 0;
    for (std::size_t e = 0; e < kLabelExtraEffects; ++e) escapes += format.extraEffects[e] != state.extraEffects[e] ? 1 : 0;
    for (std::size_t slot = 0; slot < kLabelColourSlots; ++slot)
        escapes += format.colours[slot] != state.colours[slot] && static_cast<std::size_t>(format.colours[slot]) < kLabelColours ? 1 : 0;
    return escapes;
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

std::vector<std::size_t> CLabelTextLine::LabelWidthCut(const LabelTextContext& context)
{
    const LabelTextSettings& settings = *context.settings;
    const bool thai = settings.IsThai();
    if (thai) Layout(context, m_top);
    const std::size_t thaiEntries = m_xPositions.size();
    const int widthDots = context.WidthDots();
    std::vector<std::size_t> cut;
    cut.reserve(m_runs.size());
    std::size_t textBytes = 0;
    int width = 0;
    for (const CLabelTextRun& run : m_runs) {
        std::size_t n = run.m_text.size();
        bool endsLine = false;
        const int charWidth = context.CharWidth(run);
        if (thai) {
            if (textBytes + n >= thaiEntries) {
                n = thaiEntries - textBytes - 1;
                endsLine = true;
            }
        } else if (context.HasWidth() && charWidth != 0 && width + static_cast<int>(n) * charWidth > widthDots) {
            // A font of no width takes no room; any other never divides by 0.
            n = static_cast<std::size_t>(std::max(0, widthDots - width) / charWidth);
            endsLine = true;
        }
        const std::size_t bytes = WholeCharBytes(run.m_text, n, settings.chars);
        cut.push_back(bytes);
        textBytes += bytes;
        width += static_cast<int>(bytes) * charWidth;
        if (endsLine) break;
    }
    return cut;
}

std::vector<std::size_t> CLabelTextLine::DropPastLabelWidth(const LabelTextContext& context)
{
    for (;;) {
        std::vector<std::size_t> printed = LabelWidthCut(context);
        bool dropped = printed.size() < m_runs.size();
        for (std::size_t i = 0; i < printed.size(); ++i) dropped = dropped || printed[i] < m_runs[i].m_text.size();
        if (!dropped) return printed;
        // The model keeps what the label prints, so it is what the written line reads back to; its
        // line font may then change, and with it (in the Thai version) what fits.
        m_runs.resize(printed.size());
        for (std::size_t i = 0; i < printed.size(); ++i) m_runs[i].m_text.resize(printed[i]);
        MergeEqualRuns();
        FitTallestFont(*context.settings);
    }
}

void CLabelTextLine::UpperCaseForItsFont(const std::vector<std::size_t>& printed, const LabelTextSettings& settings)
{
    // The line's font as its written form reads back: the tallest font of the runs written. Where
    // the label width leaves the tallest run out, that is not the model's line font, and the text
    // would change each time it is read and written.
    std::optional<std::size_t> font;
    for (std::size_t i = 0; i < printed.size(); ++i) {
        if (printed[i] == 0) continue;
        const std::size_t runFont = m_runs[i].m_format.font;
        if (!font || settings.PrintHeight(runFont) > settings.PrintHeight(*font)) font = runFont;
    }
    if (!font || !settings.fonts.IsUpperCaseOnly(*font)) return;
    for (std::size_t i = 0; i < printed.size(); ++i) UpperCase(m_runs[i].m_text, settings.chars);
}

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
        // Short by what the label prints of it, so that a line cut at the label width is written the
        // same way again when it is read back.
        const std::vector<std::size_t> printed = LabelWidthCut(context);
        if (std::accumulate(printed.begin(), printed.end(), std::size_t{0}) < kTaiwanShortLineBytes)
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
    const std::vector<std::size_t> printed = DropPastLabelWidth(context);
    UpperCaseForItsFont(printed, settings);
    std::size_t textWritten = 0;
    for (std::size_t i = 0; i < printed.size() && writer.Position() < limit; ++i) {
        const CLabelTextRun& run = m_runs[i];
        if (run.m_text.empty()) continue;
        std::size_t n = printed[i];
        if (n == 0) break;  // nothing of it fits the label: no escapes either
        // Escapes are written only with at least one character of the run after them.
        const std::size_t firstChar = std::max<std::size_t>(1, GetCharLength(run.m_text, settings.chars));
        if (writer.Position() + EscapesToFormat(state, run.m_format) * kEscapeLength + firstChar > limit ||
            !WriteFormatChange(writer, state, run.m_format, settings)) {
            truncated = true;
            break;
        }
        if (n > limit - writer.Position()) {
            n = WholeCharBytes(run.m_text, limit - writer.Position(), settings.chars);
            truncated = true;
        }
        writer.Put(std::string_view(run.m_text).substr(0, n));
        textWritten += n;
    }
    if (textWritten == 0 && !IsEmpty()) {
        // Not one character of the line fits: it is left out whole rather than written empty.
        truncated = true;
        writer.Rewind();
        writer.Terminate();
        return 0;
    }
    if (!WriteEffectsOff(writer, state)) truncated = true;
    writer.Terminate();
    return writer.Position();
}

}  // namespace varnel
