// The frame round an embedded label text editor, as the dialogs that host one draw it.
#pragma once

#include <QHBoxLayout>
#include <QPainter>
#include <QWidget>

namespace varnel {

// The frame round the editor: three dark lines along the top and left, two light ones along the
// bottom and right; the other way round while the editor is disabled.
class SunkenFrame final : public QWidget {
public:
    static constexpr int kInset = 4;

    SunkenFrame(QWidget& inside, QWidget* parent) : QWidget(parent)
    {
        setObjectName("editorFrame");
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(kInset, kInset, kInset, kInset);
        layout->addWidget(&inside);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const QColor dark(0x60, 0x60, 0x60);
        const QColor light(0xa0, 0xa0, 0xa0);
        const bool enabled = isEnabled();
        QPainter painter(this);
        const QRect box = rect().adjusted(0, 0, -1, -1);
        painter.setPen(enabled ? dark : light);
        for (int line = 0; line < 3; ++line) {
            painter.drawLine(box.left() + line, box.top() + line, box.right() - line, box.top() + line);
            painter.drawLine(box.left() + line, box.top() + line, box.left() + line, box.bottom() - line);
        }
        painter.setPen(enabled ? light : dark);
        for (int line = 0; line < 2; ++line) {
            painter.drawLine(box.left() + line, box.bottom() - line, box.right() - line, box.bottom() - line);
            painter.drawLine(box.right() - line, box.top() + line, box.right() - line, box.bottom() - line);
        }
    }
};

}  // namespace varnel
