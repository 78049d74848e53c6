// Screen fonts of label text.
#include "pluedit/ui/ScreenFont.h"

#include "platform/ui/CodePageText.h"

#include <QFontMetrics>

namespace varnel {

QFont ToQFont(const LabelScreenFont& font)
{
    QFont qfont;
    if (font.fixedPitch || font.face.empty()) {
        qfont.setFamily("Monospace");
        qfont.setStyleHint(QFont::TypeWriter);
        qfont.setFixedPitch(true);
    } else {
        qfont.setFamily(QString::fromStdString(font.face));
    }
    qfont.setPixelSize(std::max(1, font.height));
    qfont.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    qfont.setItalic(font.italic);
    return qfont;
}

int QtLabelTextMeasure::TextWidth(const LabelScreenFont& font, std::string_view text) const
{
    return QFontMetrics(ToQFont(font)).horizontalAdvance(ToDisplayText(text, m_codePage));
}

}  // namespace varnel
