// The label text editor control: paints a LabelTextEditForm, owns its two scroll bars, takes the
// keyboard focus and hands keys, typed text, mouse and scroll bar actions to the form. Hosts put
// it in their layout beside a CLabelTextStrip and connect its signals:
//   linesRecounted  the line heights were counted again (check the printed length)
//   editorFocused   the editor got the focus
//   escapePressed   Escape (the extra message dialog cancels on it)
//   changed         after every change the host's controls follow (CLabelTextStrip listens)
#pragma once

#include "platform/CodePage.h"
#include "pluedit/LabelTextEditForm.h"
#include "pluedit/ui/QtLabelTextClipboard.h"

#include <QTimer>
#include <QWidget>

class QScrollBar;

namespace varnel {

class CLabelTextEdit final : public QWidget {
    Q_OBJECT
public:
    // The caret blinks at this period.
    static constexpr int kCaretBlinkMs = 500;

    CLabelTextEdit(LabelTextEditForm& form, CodePage codePage, QWidget* parent = nullptr);
    ~CLabelTextEdit() override;

    LabelTextEditForm& Form() { return m_form; }
    CodePage GetCodePage() const { return m_codePage; }

    // The host's controls.
    void OnEffectButton(LabelEffect effect);
    void OnFormat();  // "Font - Detailed Settings" over the selection
    void SetLinesFont(int row);
    void NextLineFont();
    void SetLabelWidth(const QString& text);
    // After the form was changed from outside (a new text): scroll bars, controls and drawing follow.
    void Refresh();

    QSize sizeHint() const override;

signals:
    void linesRecounted();
    void editorFocused();
    void escapePressed();
    void changed();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    class Host;

    void PlaceScrollBars();
    void OnScrollAction(QScrollBar& bar, int action);

    LabelTextEditForm& m_form;
    CodePage m_codePage;
    QtLabelTextClipboard m_clipboard;
    std::unique_ptr<Host> m_host;
    QScrollBar* m_vertical;
    QScrollBar* m_horizontal;
    QTimer m_blink;
    bool m_caretPhase = true;
};

}  // namespace varnel
