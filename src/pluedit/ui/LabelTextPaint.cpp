// Painting label text.
#include "pluedit/ui/LabelTextPaint.h"

#include "platform/ui/CodePageText.h"
#include "pluedit/LabelTextEditForm.h"
#include "pluedit/ui/ScreenFont.h"

#include <QPainter>
#include <QPalette>

namespace varnel {
namespace {

const QColor kLabelEdge(200, 200, 200);

QColor ScreenColour(LabelColour colour) { return QColor::fromRgb(ScreenRgb(colour)); }

bool Before(const LabelTextPosition& a, const LabelTextPosition& b)
{
    return a.line < b.line || (a.line == b.line && a.column < b.column);
}

bool IsSelected(const std::optional<LabelTextSelection>& selection, std::size_t line, std::size_t column)
{
    if (!selection) return false;
    const LabelTextPosition at{line, column};
    return !Before(at, selection->start) && Before(at, selection->end);
}

class LinePainter {
public:
    LinePainter(QPainter& painter, const LabelTextEditForm& form, CodePage codePage, const QPalette& palette)
        : m_painter(painter), m_form(form), m_codePage(codePage), m_palette(palette),
          m_selection(form.GetSelection())
    {
    }

    void Paint(const CLabelTextLine& line, std::size_t number)
    {
        const LabelTextSettings& settings = m_form.GetSettings();
        const int top = line.m_top - m_form.GetVScroll();
        const int height = settings.DisplayHeight(line.m_lineFont);
        const int shift = -m_form.GetHScroll();
        const std::size_t laidOut = line.m_xPositions.empty() ? 0 : line.m_xPositions.size() - 1;
        std::size_t column = 0;
        for (const CLabelTextRun& run : line.m_runs) {
            const LabelTextFormat& format = run.m_format;
            const bool reverse = format.effects[Reverse];
            const QColor text = ScreenColour(format.colours[reverse ? BackgroundColour : TextColour]);
            const QColor background = ScreenColour(format.colours[reverse ? TextColour : BackgroundColour]);
            m_painter.setFont(ToQFont(m_form.GetContext().ScreenFont(run)));
            const std::size_t runStart = column;
            for (std::size_t i = 0; i < run.m_text.size() && column < laidOut;) {
                const std::size_t length = std::max<std::size_t>(
                    1, GetCharLength(std::string_view(run.m_text).substr(i), settings.chars));
                const std::size_t end = std::min(column + length, laidOut);
                const QRect cell(line.m_xPositions[column] + shift, top,
                                 line.m_xPositions[end] - line.m_xPositions[column], height);
                const bool selected = IsSelected(m_selection, number, column);
                m_painter.fillRect(cell, selected ? m_palette.color(QPalette::Highlight) : background);
                m_painter.setPen(selected ? m_palette.color(QPalette::HighlightedText) : text);
                m_painter.drawText(cell, Qt::AlignLeft | Qt::AlignBottom | Qt::TextDontClip,
                                   ToDisplayText(std::string_view(run.m_text).substr(i, length), m_codePage));
                i += length;
                column += length;
            }
            if (column > runStart) PaintLines(line, runStart, column, top, height, shift, format, text);
        }
    }

private:
    void PaintLines(const CLabelTextLine& line, std::size_t from, std::size_t to, int top, int height, int shift,
                    const LabelTextFormat& format, const QColor& colour)
    {
        const int left = line.m_xPositions[from] + shift;
        const int right = line.m_xPositions[to] + shift - 1;
        m_painter.setPen(colour);
        if (format.effects[Underline]) m_painter.drawLine(left, top + height - 1, right, top + height - 1);
        if (format.effects[Boxed]) m_painter.drawRect(QRect(QPoint(left, top), QPoint(right, top + height - 1)));
    }

    QPainter& m_painter;
    const LabelTextEditForm& m_form;
    CodePage m_codePage;
    const QPalette& m_palette;
    std::optional<LabelTextSelection> m_selection;
};

}  // namespace

void PaintLabelText(QPainter& painter, const LabelTextEditForm& form, CodePage codePage, const QPalette& palette,
                    bool caretShown)
{
    const QRect area(0, 0, form.GetViewWidth(), form.GetViewHeight());
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, Qt::white);
    const int labelLeft = form.GetContext().labelLeft - form.GetHScroll();
    painter.setPen(kLabelEdge);
    painter.drawLine(labelLeft, 0, labelLeft, area.bottom());
    const int labelRight = labelLeft + form.GetContext().WidthDots();
    painter.drawLine(labelRight, 0, labelRight, area.bottom());

    LinePainter lines(painter, form, codePage, palette);
    for (std::size_t i = 0; i < form.GetLineCount(); ++i) {
        const CLabelTextLine& line = form.GetLine(i);
        if (line.m_bottom <= form.GetVScroll()) continue;
        if (line.m_top >= form.GetVScroll() + area.height()) break;
        lines.Paint(line, i);
    }
    if (caretShown) {
        const CaretRect caret = form.GetCaretRect();
        painter.fillRect(QRect(caret.left, caret.top, caret.right - caret.left, caret.bottom - caret.top), Qt::black);
    }
    painter.restore();
}

}  // namespace varnel
