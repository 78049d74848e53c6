// Screen measures from Qt.
#include "app/ui/ScreenFacts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace varnel {

ScreenMetrics CurrentScreenMetrics()
{
    ScreenMetrics metrics;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        metrics.screenWidth = screen->geometry().width();
        metrics.screenHeight = screen->geometry().height();
    }
    const QStyle* style = QApplication::style();
    metrics.scrollBarWidth = style->pixelMetric(QStyle::PM_ScrollBarExtent);
    metrics.borderWidth = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    metrics.minWindowHeight = style->pixelMetric(QStyle::PM_TitleBarHeight);
    return metrics;
}

DialogUnits DialogUnitsOf(const QWidget& widget)
{
    const QFontMetrics font = widget.fontMetrics();
    // The average width of the alphabet, as the Windows design's dialog units were measured.
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {(font.horizontalAdvance(alphabet) / 26 + 1) / 2, font.height()};
}

}  // namespace varnel
