// The PLU list panel's drawing: its frame, its rows and its headers placed over their columns.
#include "pluedit/ui/PluListPanel.h"

#include <QLabel>
#include <QPainter>

namespace varnel {

namespace {

constexpr int kTextFlags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;

// Row texts have each "&" doubled, which the mnemonic rule shows as one.
void DrawText(QPainter& painter, int left, int right, int top, int height, const QString& text,
              Qt::Alignment alignment = Qt::AlignLeft)
{
    if (text.isEmpty() || right <= left) return;
    painter.drawText(QRect(left, top, right - left, height), kTextFlags | alignment, text);
}

}  // namespace

void CPluListPanel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const PluListArea& area = m_form.GetArea();
    const QRect list(area.left, area.top, area.right - area.left, area.bottom - area.top);
    painter.fillRect(list, Qt::white);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(list.adjusted(0, 0, -1, -1));
    if (!m_created) return;
    for (const PluListRow& row : m_form.GetRowsInView()) DrawRow(painter, row);
}

void CPluListPanel::DrawRow(QPainter& painter, const PluListRow& row) const
{
    const PluListArea& area = m_form.GetArea();
    const PluListColumns& columns = m_form.GetColumns();
    const int rowHeight = m_form.GetRowGeometry().rowHeight;
    const int priceX = m_form.GetRowGeometry().priceX;
    const QRect band(area.left + 2, row.top, area.right - 4 - (area.left + 2), row.bottom - row.top);
    painter.save();
    painter.setClipRect(band);
    QColor text = Qt::black;
    if (row.current) {
        painter.fillRect(band, palette().highlight());
        text = palette().color(QPalette::HighlightedText);
    }
    if (row.red) text = QColor(255, 0, 0);
    painter.setPen(text);

    // One line of text high; with two-line rows the description's second line goes half a row lower.
    const int line = m_form.GetSettings().twoLines ? (rowHeight - 1) / 2 : rowHeight - 1;
    const int top = row.top + 1;
    const int left = band.left();
    const int nameEnd = priceX > 0 ? priceX : band.right();
    DrawText(painter, left + 1, nameEnd, top, line, Display(row.pluNumber));
    if (columns.posX >= 0) DrawText(painter, left + columns.posX, nameEnd, top, line, Display(row.posCode));
    if (columns.deptGroupX >= 0) DrawText(painter, left + columns.deptGroupX, nameEnd, top, line, Display(row.deptGroup));
    DrawText(painter, left + columns.nameX, nameEnd, top, line, Display(row.name));
    DrawText(painter, left + columns.nameX, nameEnd, row.top + rowHeight / 2, line, Display(row.line2));
    if (priceX > 0) {
        const int right = band.right() - 1;
        if (m_form.GetColumnsShown().costPrice) {
            const int middle = priceX + (right - priceX) / 2;
            DrawText(painter, priceX, middle, top, line, Display(row.costPrice), Qt::AlignRight);
            DrawText(painter, middle, right, top, line, Display(row.unitPrice), Qt::AlignRight);
        } else {
            DrawText(painter, priceX, right, top, line, Display(row.unitPrice), Qt::AlignRight);
        }
    }
    painter.restore();
}

void CPluListPanel::PlaceHeaders()
{
    if (!m_created) return;
    const PluListColumns& columns = m_form.GetColumns();
    const int rowLeft = m_form.GetArea().left + 2;
    const int priceX = m_form.GetRowGeometry().priceX;
    const int priceRight = m_form.GetArea().right - 5;
    // The header's left at panel x, `width` wide (its own width for 0).
    const auto place = [this](const char* id, int x, int width) {
        QLabel* header = HostControl<QLabel>(id);
        if (header == nullptr || header->parentWidget() == nullptr) return;
        const int left = header->parentWidget()->mapFromGlobal(mapToGlobal(QPoint(x, 0))).x();
        const int headerWidth = width > 0 ? width : header->sizeHint().width();
        header->setGeometry(left, header->y(), headerWidth, header->sizeHint().height());
    };
    place("1437", rowLeft, columns.pluNoWidth);
    if (columns.posX >= 0) place("1475", rowLeft + columns.posX, columns.posWidth);
    if (columns.deptGroupX >= 0) place("1009", rowLeft + columns.deptGroupX, 0);
    place("1438", rowLeft + columns.nameX, 0);
    if (priceX <= 0) return;
    // The price headers stand right-aligned over their prices.
    const auto placeRight = [&](const char* id, int right) {
        if (QLabel* header = HostControl<QLabel>(id)) place(id, right - header->sizeHint().width(), 0);
    };
    if (m_form.GetColumnsShown().costPrice) {
        const int middle = priceX + (priceRight - priceX) / 2;
        placeRight("1171", middle);
        placeRight("1010", priceRight);
    } else {
        placeRight("1010", priceRight);
    }
}

}  // namespace varnel
