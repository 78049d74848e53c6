// The frame round an embedded label text editor, as the windows that host one draw it.
#pragma once

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QWidget>

namespace varnel {

// The frame round the editor: three dark lines along the top and left, two light ones along the
// bottom and right; the other way round while the editor is disabled (the message editors) or
// while it has the focus (the PLU edit window).
class SunkenFrame final : public QWidget {
public:
    static constexpr int kInset = 4;
    enum class Swap { WhileDisabled, WhileFocused };

    SunkenFrame(QWidget& inside, QWidget* parent, Swap swap = Swap::WhileDisabled)
        : QWidget(parent), m_inside(inside), m_swap(swap)
    {
        setObjectName("editorFrame");
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(kInset, kInset, kInset, kInset);
        layout->addWidget(&inside);
        if (swap == Swap::WhileFocused) inside.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) update();
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent*) override
    {
        const QColor dark(0x60, 0x60, 0x60);
        const QColor light(0xa0, 0xa0, 0xa0);
        const bool swapped = m_swap == Swap::WhileFocused ? m_inside.hasFocus() : !isEnabled();
        QPainter painter(this);
        const QRect box = rect();  // right() and bottom() are the last column and row
        painter.setPen(swapped ? light : dark);
        for (int line = 0; line < 3; ++line) {
            painter.drawLine(box.left() + line, box.top() + line, box.right() - line, box.top() + line);
            painter.drawLine(box.left() + line, box.top() + line, box.left() + line, box.bottom() - line);
        }
        painter.setPen(swapped ? dark : light);
        for (int line = 0; line < 2; ++line) {
            painter.drawLine(box.left() + line, box.bottom() - line, box.right() - line, box.bottom() - line);
            painter.drawLine(box.right() - line, box.top() + line, box.right() - line, box.bottom() - line);
        }
    }

private:
    QWidget& m_inside;
    Swap m_swap;
};

}  // namespace varnel
