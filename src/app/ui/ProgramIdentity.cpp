// The program's identity.
#include "app/ui/ProgramIdentity.h"

#include <QPainter>
#include <QPixmap>

namespace varnel {

QString ProgramVersion()
{
    return QStringLiteral(VARNEL_VERSION);
}

QIcon ProgramIcon(bool scheduler)
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(scheduler ? QColor(0x2e, 0x7d, 0x32) : QColor(0x1f, 0x4e, 0x8c));
    painter.drawRoundedRect(4, 4, 56, 56, 10, 10);
    painter.setBrush(Qt::white);
    painter.drawRect(14, 40, 36, 12);           // the label
    painter.drawEllipse(QRectF(12, 14, 40, 14));  // the pan
    painter.drawRect(30, 26, 4, 14);            // the column
    return QIcon(pixmap);
}

QIcon CommandIcon(std::uint32_t command, QStringView caption)
{
    QString initials;
    for (const QStringView word : caption.split(u' ', Qt::SkipEmptyParts)) {
        if (word.front().isLetterOrNumber() && initials.size() < 2) initials += word.front().toUpper();
    }
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromHsv(static_cast<int>(command * 47 % 360), 150, 170));
    painter.drawRoundedRect(1, 1, 30, 30, 6, 6);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(13);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, initials);
    return QIcon(pixmap);
}

}  // namespace varnel
