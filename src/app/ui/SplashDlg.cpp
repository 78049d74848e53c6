// The splash window, drawn.
#include "app/ui/SplashDlg.h"

#include "app/ui/ProgramIdentity.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace varnel {

CSplashDlg::CSplashDlg(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("splash");
    setFixedSize(kWidth, kHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect full = screen->geometry();
        move(full.left() + (full.width() - kWidth) / 2, full.top() + (full.height() - kHeight) / 2);
    }
}

void CSplashDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, kHeight);
    background.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
    background.setColorAt(1, QColor(0x0d, 0x25, 0x47));
    painter.fillRect(rect(), background);
    painter.drawPixmap(32, 60, ProgramIcon().pixmap(96, 96));
    painter.setPen(Qt::white);
    QFont title = font();
    title.setPointSize(28);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(150, 60, 230, 60), Qt::AlignLeft | Qt::AlignVCenter, kProgramTitle);
    QFont small = font();
    small.setPointSize(10);
    painter.setFont(small);
    painter.drawText(QRect(150, 120, 230, 40), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("Scale data management\nVersion %1").arg(ProgramVersion()));
    painter.drawText(QRect(0, kHeight - 30, kWidth - 12, 24), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Starting..."));
}

}  // namespace varnel
