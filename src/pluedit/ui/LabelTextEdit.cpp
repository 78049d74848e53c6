// The label text editor control.
#include "pluedit/ui/LabelTextEdit.h"

#include "pluedit/ui/FontDetailDlg.h"
#include "pluedit/ui/KeyCapture.h"
#include "pluedit/ui/LabelTextPaint.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace varnel {

// What the form asks of its window, as signals and focus moves.
class CLabelTextEdit::Host final : public ILabelTextHost {
public:
    explicit Host(CLabelTextEdit& edit) : m_edit(edit) {}
    void OnLinesRecounted() override { emit m_edit.linesRecounted(); }
    void OnEditorFocused() override { emit m_edit.editorFocused(); }
    void MoveFocus(bool backwards) override { m_edit.focusNextPrevChild(!backwards); }
    void OnEscape() override { emit m_edit.escapePressed(); }

private:
    CLabelTextEdit& m_edit;
};

namespace {

std::optional<ScrollCode> ScrollCodeOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return ScrollCode::LineBack;
    case QAbstractSlider::SliderSingleStepAdd: return ScrollCode::LineForward;
    case QAbstractSlider::SliderPageStepSub: return ScrollCode::PageBack;
    case QAbstractSlider::SliderPageStepAdd: return ScrollCode::PageForward;
    case QAbstractSlider::SliderMove: return ScrollCode::ThumbTrack;
    case QAbstractSlider::SliderToMinimum: return ScrollCode::Start;
    case QAbstractSlider::SliderToMaximum: return ScrollCode::End;
    default: return std::nullopt;
    }
}

}  // namespace

CLabelTextEdit::CLabelTextEdit(LabelTextEditForm& form, CodePage codePage, QWidget* parent)
    : QWidget(parent), m_form(form), m_codePage(codePage), m_clipboard(codePage), m_host(std::make_unique<Host>(*this)),
      m_vertical(new QScrollBar(Qt::Vertical, this)), m_horizontal(new QScrollBar(Qt::Horizontal, this))
{
    setObjectName("labelTextEdit");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::IBeamCursor);
    m_vertical->setObjectName("verticalScrollBar");
    m_horizontal->setObjectName("horizontalScrollBar");
    m_vertical->setFocusPolicy(Qt::NoFocus);
    m_horizontal->setFocusPolicy(Qt::NoFocus);
    m_form.SetHost(m_host.get());
    m_form.SetClipboard(&m_clipboard);
    connect(m_vertical, &QScrollBar::actionTriggered, this, [this](int action) { OnScrollAction(*m_vertical, action); });
    connect(m_horizontal, &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollAction(*m_horizontal, action); });
    m_blink.setInterval(kCaretBlinkMs);
    connect(&m_blink, &QTimer::timeout, this, [this] {
        m_caretPhase = !m_caretPhase;
        const CaretRect caret = m_form.GetCaretRect();
        if (m_form.HasFocus() && !caret.IsEmpty())
            update(QRect(caret.left, caret.top, caret.right - caret.left, caret.bottom - caret.top));
    });
    m_blink.start();
    PlaceScrollBars();
}

CLabelTextEdit::~CLabelTextEdit()
{
    m_form.SetHost(nullptr);
    m_form.SetClipboard(nullptr);
}

QSize CLabelTextEdit::sizeHint() const { return {400, 160}; }

void CLabelTextEdit::PlaceScrollBars()
{
    const int barWidth = m_vertical->sizeHint().width();
    const int barHeight = m_horizontal->sizeHint().height();
    const bool horizontal = m_form.IsHScrollShown();
    const int areaWidth = std::max(0, width() - barWidth);
    const int areaHeight = std::max(0, height() - (horizontal ? barHeight : 0));
    m_vertical->setGeometry(areaWidth, 0, barWidth, height());
    m_horizontal->setGeometry(0, areaHeight, areaWidth, barHeight);
    m_horizontal->setVisible(horizontal);
    if (m_form.GetViewWidth() != areaWidth || m_form.GetViewHeight() != areaHeight)
        m_form.SetViewSize(areaWidth, areaHeight);
}

void CLabelTextEdit::Refresh()
{
    PlaceScrollBars();
    const QSignalBlocker blockVertical(m_vertical);
    const QSignalBlocker blockHorizontal(m_horizontal);
    m_vertical->setRange(0, m_form.GetTotalHeight());
    m_vertical->setPageStep(std::max(1, m_form.GetViewHeight()));
    m_vertical->setValue(m_form.GetVScroll());
    m_horizontal->setRange(0, m_form.GetHScrollRange());
    m_horizontal->setPageStep(std::max(1, m_form.GetViewWidth()));
    m_horizontal->setValue(m_form.GetHScroll());
    m_caretPhase = true;
    update();
    emit changed();
}

void CLabelTextEdit::OnScrollAction(QScrollBar& bar, int action)
{
    const std::optional<ScrollCode> code = ScrollCodeOf(action);
    if (!code) return;
    if (&bar == m_vertical) {
        m_form.OnVScroll(*code, bar.sliderPosition());
        bar.setSliderPosition(m_form.GetVScroll());
    } else {
        m_form.OnHScroll(*code, bar.sliderPosition());
        bar.setSliderPosition(m_form.GetHScroll());
    }
    update();
}

void CLabelTextEdit::OnEffectButton(LabelEffect effect)
{
    m_form.OnEffectButton(effect);
    setFocus(Qt::OtherFocusReason);
    Refresh();
}

void CLabelTextEdit::OnFormat()
{
    std::optional<FontDetailForm> detail = m_form.MakeFontDetail();
    if (detail) {
        CFontDetailDlg dialog(*detail, this);
        if (dialog.exec() == QDialog::Accepted) m_form.ApplyFontDetail(*detail);
    }
    setFocus(Qt::OtherFocusReason);
    Refresh();
}

void CLabelTextEdit::SetLinesFont(int row)
{
    if (row >= 0) m_form.SetLinesFont(static_cast<std::size_t>(row));
    setFocus(Qt::OtherFocusReason);
    Refresh();
}

void CLabelTextEdit::NextLineFont()
{
    m_form.NextLineFont();
    Refresh();
}

void CLabelTextEdit::SetLabelWidth(const QString& text)
{
    m_form.SetLabelWidth(std::string_view(text.toStdString()));
    Refresh();
}

bool CLabelTextEdit::event(QEvent* event)
{
    // Tab and Shift+Tab are the editor's keys: it moves the focus itself.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void CLabelTextEdit::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintLabelText(painter, m_form, m_codePage, palette(), m_form.HasFocus() && m_caretPhase);
}

void CLabelTextEdit::resizeEvent(QResizeEvent*) { Refresh(); }

void CLabelTextEdit::keyPressEvent(QKeyEvent* event)
{
    if (!DeliverKey(m_form, *event, m_codePage)) {
        QWidget::keyPressEvent(event);
        return;
    }
    Refresh();
}

void CLabelTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty()) {
        DeliverText(m_form, event->commitString(), m_codePage);
        Refresh();
    }
    event->accept();
}

void CLabelTextEdit::focusInEvent(QFocusEvent*)
{
    m_form.OnSinkSetFocus();
    Refresh();
}

void CLabelTextEdit::focusOutEvent(QFocusEvent*)
{
    m_form.OnSinkKillFocus();
    Refresh();
}

void CLabelTextEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    m_form.OnLButtonDown(event->position().toPoint().x(), event->position().toPoint().y());
    Refresh();
}

void CLabelTextEdit::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_form.HasMouseCapture()) return;
    m_form.OnMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
    Refresh();
}

void CLabelTextEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    m_form.OnLButtonUp(event->position().toPoint().x(), event->position().toPoint().y());
    Refresh();
}

void CLabelTextEdit::wheelEvent(QWheelEvent* event) { QApplication::sendEvent(m_vertical, event); }

}  // namespace varnel
