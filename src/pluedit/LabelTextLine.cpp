// The runs of a line: finding, splitting and merging them, and the editing operations over columns.
#include "pluedit/LabelTextLine.h"

#include "pluedit/ThaiPrintWidths.h"

#include <algorithm>
#include <numeric>

namespace varnel {
namespace {

constexpr std::uint8_t kFirstPrintable = 0x20;
// Under the Korean font option the fonts from this position on hold the double-byte characters.
constexpr std::size_t kFirstKoreanFont = 14;

// The whole characters of `text` without control bytes.
std::string PrintableChars(std::string_view text, const CharRule& chars)
{
    std::string printable;
    printable.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = GetCharLength(text.substr(i), chars);
        if (length == 0) {
            ++i;  // a 0, or a lead byte with nothing after it
            continue;
        }
        if (length == 2 || static_cast<std::uint8_t>(text[i]) >= kFirstPrintable) printable.append(text.substr(i, length));
        i += length;
    }
    return printable;
}

void DropEmptyRunsBesideText(std::vector<CLabelTextRun>& runs)
{
    if (std::all_of(runs.begin(), runs.end(), [](const CLabelTextRun& r) { return r.m_text.empty(); })) {
        if (runs.size() > 1) runs.erase(runs.begin() + 1, runs.end());
        return;
    }
    std::erase_if(runs, [](const CLabelTextRun& r) { return r.m_text.empty(); });
}

}  // namespace

std::size_t CLabelTextLine::GetTextLength() const
{
    return std::accumulate(m_runs.begin(), m_runs.end(), std::size_t{0},
                           [](std::size_t sum, const CLabelTextRun& r) { return sum + r.m_text.size(); });
}

bool CLabelTextLine::IsEmpty() const
{
    return std::all_of(m_runs.begin(), m_runs.end(), [](const CLabelTextRun& r) { return r.m_text.empty(); });
}

std::string CLabelTextLine::Text() const
{
    std::string text;
    text.reserve(GetTextLength());
    for (const CLabelTextRun& run : m_runs) text += run.m_text;
    return text;
}

std::optional<CLabelTextLine::RunPlace> CLabelTextLine::RunAtColumn(std::size_t column) const
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < m_runs.size(); ++i) {
        const std::size_t end = start + m_runs[i].m_text.size();
        if (end >= column) return RunPlace{i, column - start};
        start = end;
    }
    return std::nullopt;
}

std::array<bool, kLabelEffects> CLabelTextLine::FormatAt(std::size_t column) const
{
    const std::optional<RunPlace> place = RunAtColumn(column);
    return place ? m_runs[place->run].m_format.effects : std::array<bool, kLabelEffects>{};
}

std::size_t CLabelTextLine::SplitRunAt(std::size_t column)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < m_runs.size(); ++i) {
        const std::size_t end = start + m_runs[i].m_text.size();
        if (column <= start) return i;
        if (column < end) {
            CLabelTextRun right(m_runs[i].m_format, m_runs[i].m_text.substr(column - start));
            m_runs[i].m_text.resize(column - start);
            m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(right));
            return i + 1;
        }
        start = end;
    }
    return m_runs.size();
}

void CLabelTextLine::MergeEqualRuns()
{
    DropEmptyRunsBesideText(m_runs);
    for (std::size_t i = 1; i < m_runs.size();) {
        if (m_runs[i].FormatDiffers(m_runs[i - 1])) {
            ++i;
            continue;
        }
        m_runs[i - 1].m_text += m_runs[i].m_text;
        m_runs.erase(m_runs.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

std::size_t CLabelTextLine::InsertText(std::size_t column, std::string_view text, std::size_t repeat, bool overwrite,
                                       const LabelTextContext& context)
{
    const LabelTextSettings& settings = *context.settings;
    const std::string piece = PrintableChars(text, settings.chars);
    std::string inserted;
    inserted.reserve(piece.size() * repeat);
    for (std::size_t i = 0; i < repeat; ++i) inserted += piece;
    if (inserted.empty()) return column;

    if (overwrite) {
        std::size_t characters = 0;
        for (std::size_t i = 0; i < inserted.size(); i = NextChar(inserted, i, settings.chars)) ++characters;
        const std::string lineText = Text();
        std::size_t end = column;
        for (std::size_t i = 0; i < characters && end < lineText.size(); ++i) end = NextChar(lineText, end, settings.chars);
        // A Thai character is overwritten together with its marks.
        while (settings.IsThai() && end < lineText.size() && IsThaiCombiningMark(static_cast<std::uint8_t>(lineText[end])))
            ++end;
        DeleteRange(column, end, settings.chars);
    }
    if (const std::optional<RunPlace> place = RunAtColumn(column)) {
        m_runs[place->run].m_text.insert(place->offset, inserted);
    } else {
        CLabelTextRun run(m_lineFont);
        run.m_text = inserted;
        m_runs.push_back(std::move(run));
    }
    return column + inserted.size();
}

std::size_t CLabelTextLine::DeleteRange(std::size_t from, std::size_t to, const CharRule& chars)
{
    if (from > to) std::swap(from, to);
    const std::string text = Text();
    to = std::min(to, text.size());
    if (from >= to) return 0;
    // Widen both ends to whole characters.
    std::size_t start = 0;
    for (std::size_t position = 0; position < from;) {
        const std::size_t next = NextChar(text, position, chars);
        if (next == position || next > from) break;
        start = position = next;
    }
    std::size_t end = start;
    while (end < to) {
        const std::size_t next = NextChar(text, end, chars);
        if (next == end) break;
        end = next;
    }
    end = std::max(end, to);
    from = start;

    std::size_t runStart = 0;
    for (CLabelTextRun& run : m_runs) {
        const std::size_t runEnd = runStart + run.m_text.size();
        const std::size_t cutFrom = std::clamp(from, runStart, runEnd);
        const std::size_t cutTo = std::clamp(end, runStart, runEnd);
        run.m_text.erase(cutFrom - runStart, cutTo - cutFrom);
        runStart = runEnd;
    }
    std::erase_if(m_runs, [](const CLabelTextRun& r) { return r.m_text.empty(); });
    MergeEqualRuns();
    return end - from;
}

void CLabelTextLine::SetEffect(std::size_t from, std::size_t to, LabelEffect effect, bool on)
{
    if (from > to) std::swap(from, to);
    const std::size_t first = SplitRunAt(from);
    const std::size_t last = SplitRunAt(to);
    for (std::size_t i = first; i < last; ++i) m_runs[i].m_format.effects[effect] = on;
    MergeEqualRuns();
}

void CLabelTextLine::ApplyFormat(std::size_t from, std::size_t to, const LabelTextFormat& format)
{
    if (from > to) std::swap(from, to);
    const std::size_t first = SplitRunAt(from);
    const std::size_t last = SplitRunAt(to);
    for (std::size_t i = first; i < last; ++i) m_runs[i].m_format = format;
    MergeEqualRuns();
}

void CLabelTextLine::ReplaceByOneRun(const LabelTextFormat& format)
{
    CLabelTextRun run(format, Text());
    m_runs.clear();
    m_runs.push_back(std::move(run));
}

bool CLabelTextLine::SetLineFont(std::size_t font, const LabelTextSettings& settings)
{
    if (settings.IsKoreanFontMode()) {
        const bool doubleByteFont = font >= kFirstKoreanFont;
        const std::string text = Text();
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t next = NextChar(text, i, settings.chars);
            if (next == i) break;
            if ((next - i == 2) != doubleByteFont) return false;
            i = next;
        }
    }
    m_lineFont = font;
    for (CLabelTextRun& run : m_runs) {
        run.m_format.font = font;
        // The Baltic scales print their first font upright only.
        if (settings.market == MarketBaltic && font == 0) run.m_format.effects[Italic] = false;
    }
    MergeEqualRuns();
    return true;
}

void CLabelTextLine::SplitAt(std::size_t column, std::vector<CLabelTextRun>& tail)
{
    const std::optional<RunPlace> place = RunAtColumn(column);
    if (!place) return;
    CLabelTextRun& run = m_runs[place->run];
    tail.emplace_back(run.m_format, run.m_text.substr(place->offset));
    run.m_text.resize(place->offset);
    const auto after = m_runs.begin() + static_cast<std::ptrdiff_t>(place->run) + 1;
    tail.insert(tail.end(), std::make_move_iterator(after), std::make_move_iterator(m_runs.end()));
    m_runs.erase(after, m_runs.end());
}

void CLabelTextLine::FitRunsAt(std::size_t column, std::vector<CLabelTextRun> incoming,
                               std::vector<CLabelTextRun>& overflow, const LabelTextContext& context)
{
    std::vector<CLabelTextRun> tail;
    SplitAt(column, tail);
    m_runs.insert(m_runs.end(), std::make_move_iterator(incoming.begin()), std::make_move_iterator(incoming.end()));
    m_runs.insert(m_runs.end(), std::make_move_iterator(tail.begin()), std::make_move_iterator(tail.end()));
    MergeEqualRuns();
    FitTallestFont(*context.settings);
    const std::size_t breakColumn = FindBreak(context);
    if (breakColumn == 0) return;
    SplitAt(breakColumn, overflow);
    DropEmptyRunsBesideText(overflow);
    if (overflow.size() == 1 && overflow.front().m_text.empty()) overflow.clear();
}

void CLabelTextLine::PrependFlowed(std::vector<CLabelTextRun> runs)
{
    for (CLabelTextRun& run : runs) run.m_format.font = m_lineFont;
    m_runs.insert(m_runs.begin(), std::make_move_iterator(runs.begin()), std::make_move_iterator(runs.end()));
    MergeEqualRuns();
}

void CLabelTextLine::AppendRuns(std::vector<CLabelTextRun> runs)
{
    m_runs.insert(m_runs.end(), std::make_move_iterator(runs.begin()), std::make_move_iterator(runs.end()));
    MergeEqualRuns();
}

void CLabelTextLine::FitTallestFont(const LabelTextSettings& settings)
{
    const auto tallest = std::max_element(m_runs.begin(), m_runs.end(), [&settings](const CLabelTextRun& a, const CLabelTextRun& b) {
        return settings.PrintHeight(a.m_format.font) < settings.PrintHeight(b.m_format.font);
    });
    if (tallest != m_runs.end()) m_lineFont = tallest->m_format.font;
}

}  // namespace varnel
