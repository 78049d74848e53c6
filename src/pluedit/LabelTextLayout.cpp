// Laying a line out at the label width: screen positions of its bytes, where it breaks, and the
// column under a screen x. Outside the Thai version a character is its bytes times the run's
// character width; in the Thai version the screen measures the text and the scales' width tables
// decide what fits, a combining mark sharing the display cell of the character before it.
#include "pluedit/LabelTextLine.h"

#include "pluedit/ThaiPrintWidths.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr int kLineGap = 4;
constexpr int kBoldWeightDoubleByte = 700;
constexpr int kPlainWeightDoubleByte = 600;
constexpr int kBoldWeight = 800;
constexpr int kPlainWeight = 550;

bool BreaksAfter(char ch) { return ch == ' ' || ch == ',' || ch == ';'; }

// Screen x of each byte boundary of a Thai line, ending where the printed width of its display cells
// reaches the label width; a cell that would reach it is left out whole, with its marks.
std::vector<int> ThaiPositions(const CLabelTextLine& line, const LabelTextContext& context)
{
    const int widthDots = context.WidthDots();
    std::vector<int> positions{context.labelLeft};
    int printed = 0;
    int cellWidest = 0;
    std::size_t cellStart = 0;
    for (const CLabelTextRun& run : line.m_runs) {
        const LabelScreenFont font = context.ScreenFont(run);
        const bool boldOrItalic = run.m_format.effects[Bold] || run.m_format.effects[Italic];
        const int runLeft = positions.back();
        for (std::size_t i = 0; i < run.m_text.size(); ++i) {
            const auto ch = static_cast<std::uint8_t>(run.m_text[i]);
            const int x = runLeft + context.measure->TextWidth(font, std::string_view(run.m_text).substr(0, i + 1));
            const int width = ThaiPrintWidth(ch, line.m_lineFont, boldOrItalic);
            const bool newCell = x != positions.back() || positions.size() == 1;
            const int widest = newCell ? width : std::max(cellWidest, width);
            const int total = newCell ? printed + width : printed - cellWidest + widest;
            if (newCell) cellStart = positions.size() - 1;
            if (context.HasWidth() && total >= widthDots) {
                positions.resize(cellStart + 1);
                return positions;
            }
            printed = total;
            cellWidest = widest;
            positions.push_back(x);
        }
    }
    return positions;
}

// A centred line starts half the room it leaves on the label further right.
int CentringShift(int textWidth, int widthDots) { return textWidth < widthDots ? (widthDots - textWidth) / 2 : 0; }

// Into the positions the line had, so that laying a line out again allocates nothing.
void FixedPositions(const CLabelTextLine& line, const LabelTextContext& context, bool centred,
                    std::vector<int>& positions)
{
    positions.resize(line.GetTextLength() + 1);
    int x = context.labelLeft;
    if (centred) {
        int textWidth = 0;
        for (const CLabelTextRun& run : line.m_runs) textWidth += static_cast<int>(run.m_text.size()) * context.CharWidth(run);
        x += CentringShift(textWidth, context.WidthDots());
    }
    positions[0] = x;
    std::size_t column = 0;
    for (const CLabelTextRun& run : line.m_runs) {
        const int charWidth = context.CharWidth(run);
        for (std::size_t i = 0; i < run.m_text.size(); ++i) positions[++column] = x += charWidth;
    }
}

}  // namespace

LabelScreenFont LabelTextContext::ScreenFont(const CLabelTextRun& run) const
{
    const LabelTextSettings& s = *settings;
    LabelScreenFont font;
    font.height = s.DisplayHeight(run.m_format.font);
    font.width = CharWidth(run);
    const bool doubleByteMarket = s.IsHongKongTaiwan() || s.IsChina();
    if (doubleByteMarket)
        font.weight = run.IsBold() ? kBoldWeightDoubleByte : kPlainWeightDoubleByte;
    else
        font.weight = run.IsBold() ? kBoldWeight : kPlainWeight;
    font.italic = run.m_format.effects[Italic];
    if (s.IsThai() || s.IsHongKongTaiwan()) {
        font.face = screenFace;
    } else {
        font.fixedPitch = true;
    }
    return font;
}

std::size_t CLabelTextLine::FittingBytes(const LabelTextContext& context) const
{
    const LabelTextSettings& settings = *context.settings;
    if (settings.IsThai()) return ThaiPositions(*this, context).size() - 1;
    const int widthDots = context.WidthDots();
    int width = 0;
    std::size_t column = 0;
    for (const CLabelTextRun& run : m_runs) {
        const int charWidth = context.CharWidth(run);
        for (std::size_t i = 0; i < run.m_text.size();) {
            const std::size_t length = std::max<std::size_t>(1, GetCharLength(std::string_view(run.m_text).substr(i), settings.chars));
            const int charTotal = static_cast<int>(length) * charWidth;
            if (context.HasWidth() && width + charTotal >= widthDots) return column;
            width += charTotal;
            i += length;
            column += length;
        }
    }
    return column;
}

std::size_t CLabelTextLine::FindBreak(const LabelTextContext& context) const
{
    const LabelTextSettings& settings = *context.settings;
    const std::string text = Text();
    const std::size_t fitting = FittingBytes(context);
    if (fitting >= text.size()) return 0;
    std::optional<std::size_t> lastBreakable;
    for (std::size_t i = 0; i < fitting;) {
        const std::size_t next = NextChar(text, i, settings.chars);
        if (next == i) break;
        if (next - i == 1 && BreaksAfter(text[i])) lastBreakable = i;
        i = next;
    }
    if (!lastBreakable) return fitting;
    std::size_t breakColumn = *lastBreakable + 1;
    while (settings.IsThai() && breakColumn < fitting && IsThaiCombiningMark(static_cast<std::uint8_t>(text[breakColumn])))
        ++breakColumn;
    return breakColumn;
}

void CLabelTextLine::Layout(const LabelTextContext& context, int top) const
{
    const bool centred = context.settings->fonts.GetLayoutFlag(m_lineFont);
    if (context.settings->IsThai()) {
        m_xPositions = ThaiPositions(*this, context);
        const int shift = centred ? CentringShift(m_xPositions.back() - m_xPositions.front(), context.WidthDots()) : 0;
        for (int& x : m_xPositions) x += shift;
    } else {
        FixedPositions(*this, context, centred, m_xPositions);
    }
    m_top = top;
    m_bottom = top + Height(context);
}

int CLabelTextLine::Height(const LabelTextContext& context) const
{
    return context.settings->DisplayHeight(m_lineFont) + (context.settings->IsThai() ? 0 : kLineGap);
}

std::size_t CLabelTextLine::ColumnFromX(int x, const CharRule& chars) const
{
    if (m_xPositions.empty()) return 0;
    const std::size_t laidOut = m_xPositions.size() - 1;
    const std::string text = Text();
    for (std::size_t column = 0; column < laidOut;) {
        std::size_t end = std::min(NextChar(text, column, chars), laidOut);
        if (end == column) break;
        // Characters that do not move the x (combining marks) belong to the cell before them.
        while (end < laidOut && m_xPositions[end + 1] == m_xPositions[end]) ++end;
        if (2 * x < m_xPositions[column] + m_xPositions[end]) return column;
        column = end;
    }
    return laidOut;
}

int CLabelTextLine::XFromColumn(std::size_t column) const
{
    if (m_xPositions.empty()) return 0;
    return m_xPositions[std::min(column, m_xPositions.size() - 1)];
}

}  // namespace varnel
