// The PLU list panel on screen: its host's controls, its scroll bar, the mouse and the keys.
#include "pluedit/ui/PluListPanel.h"

#include "platform/ui/CodePageText.h"
#include "pluedit/ui/PluSearchEdit.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

namespace varnel {

namespace {

// The list's size in the host's template, in dialog units.
constexpr int kListWidthUnits = 280;
constexpr int kListHeightUnits = 195;

std::optional<std::size_t> Selection(int index)
{
    return index < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(index));
}

PluListPanelForm::ScrollCode ScrollCodeOf(int action)
{
    using Code = PluListPanelForm::ScrollCode;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return Code::LineUp;
    case QAbstractSlider::SliderSingleStepAdd: return Code::LineDown;
    case QAbstractSlider::SliderPageStepSub: return Code::PageUp;
    case QAbstractSlider::SliderPageStepAdd: return Code::PageDown;
    case QAbstractSlider::SliderToMinimum: return Code::Top;
    case QAbstractSlider::SliderToMaximum: return Code::Bottom;
    default: return Code::ThumbTrack;
    }
}

// The combo's rows and selection, rewritten only when they changed (a rewrite closes an open list).
void ShowChoices(QComboBox* combo, const std::vector<QString>& items, std::optional<std::size_t> selected)
{
    if (combo == nullptr) return;
    const QSignalBlocker quiet(combo);
    bool same = combo->count() == static_cast<int>(items.size());
    for (int row = 0; same && row < combo->count(); ++row) same = combo->itemText(row) == items[static_cast<std::size_t>(row)];
    if (!same) {
        const QString text = combo->currentText();
        combo->clear();
        for (const QString& item : items) combo->addItem(item);
        if (combo->isEditable()) combo->setEditText(text);
    }
    if (!combo->isEditable()) combo->setCurrentIndex(selected ? static_cast<int>(*selected) : -1);
}

}  // namespace

CPluListPanel::CPluListPanel(PluListPanelForm& form, CodePage codePage, QWidget* host)
    : QWidget(host), m_form(form), m_codePage(codePage), m_host(host), m_scrollBar(new QScrollBar(Qt::Vertical, this))
{
    setObjectName("pluListPanel");
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollBar->setObjectName("109");
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, [this](int action) {
        m_form.OnVScroll(ScrollCodeOf(action), static_cast<std::size_t>(std::max(m_scrollBar->sliderPosition(), 0)));
        // The list's own rule decides where the bar ends up.
        m_scrollBar->setSliderPosition(static_cast<int>(m_form.GetScrollPos()));
        update();
    });
}

QString CPluListPanel::Display(std::string_view bytes) const { return ToDisplayText(bytes, m_codePage); }
std::string CPluListPanel::Stored(const QString& text) const { return FromDisplayText(text, m_codePage); }

template <class Control>
Control* CPluListPanel::HostControl(const char* id) const
{
    return m_host->findChild<Control*>(QString::fromLatin1(id));
}

QSize CPluListPanel::sizeHint() const
{
    return {kListWidthUnits * fontMetrics().averageCharWidth() / 4, kListHeightUnits * fontMetrics().height() / 8};
}

PluListArea CPluListPanel::Area() const
{
    const QFontMetrics metrics = fontMetrics();
    return {0, 0, width() - m_scrollBar->sizeHint().width(), height(), metrics.averageCharWidth(), metrics.height()};
}

bool CPluListPanel::Create()
{
    for (const char* header : {"1437", "1475", "1009", "1438"})
        if (HostControl<QLabel>(header) == nullptr) return false;
    QLabel* pluNoHeader = HostControl<QLabel>("1437");
    const QFontMetrics headerFont(pluNoHeader->font());
    m_form.Create(Area(), [&](std::string_view text) { return headerFont.horizontalAdvance(Display(text)); },
                  {Stored(pluNoHeader->text()), Stored(HostControl<QLabel>("1009")->text())});
    ShowColumnsOfSettings();
    ConnectHost();
    m_created = true;
    PlaceHeaders();
    Sync();
    return true;
}

void CPluListPanel::ShowColumnsOfSettings()
{
    const PluListColumnsShown& shown = m_form.GetColumnsShown();
    const auto show = [this](const char* id, bool visible) {
        if (QWidget* control = HostControl<QWidget>(id)) control->setVisible(visible);
    };
    for (const char* id : {"1470", "102", "1475"}) show(id, shown.posCode);
    for (const char* id : {"1434", "1494", "1014", "1015", "1009"}) show(id, shown.deptGroup);
    show("1171", shown.costPrice);
    if (shown.posCode) {
        for (const char* id : {"1470", "1475"})
            if (QLabel* label = HostControl<QLabel>(id)) label->setText(Display(m_form.GetPosCodeName()));
    }
}

void CPluListPanel::ConnectHost()
{
    m_pluNo = HostControl<QLineEdit>("103");
    m_posCode = HostControl<QLineEdit>("102");
    m_search = HostControl<QComboBox>("123");
    m_dept = HostControl<QComboBox>("1014");
    m_group = HostControl<QComboBox>("1015");
    m_sort = HostControl<QComboBox>("1276");
    if (m_pluNo) {
        m_pluNo->installEventFilter(this);
        connect(m_pluNo, &QLineEdit::textEdited, this, [this](const QString& text) {
            m_form.OnPluNoChange(Stored(text));
            Sync();
        });
    }
    if (m_posCode) {
        m_posCode->installEventFilter(this);
        connect(m_posCode, &QLineEdit::textEdited, this, [this](const QString& text) {
            m_form.OnPosCodeChange(Stored(text));
            Sync();
        });
    }
    if (m_search) {
        m_search->setInsertPolicy(QComboBox::NoInsert);
        m_search->installEventFilter(this);
        if (QLineEdit* edit = m_search->lineEdit())
            connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
                m_form.SetSearchText(Stored(text));
                Sync();
            });
        connect(m_search, &QComboBox::activated, this, [this](int index) {
            if (index >= 0) m_form.OnSearchSelect(static_cast<std::size_t>(index));
            Sync();
        });
    }
    if (m_dept)
        connect(m_dept, &QComboBox::activated, this, [this](int index) {
            m_form.OnDeptChange(Selection(index));
            Sync();
        });
    if (m_group)
        connect(m_group, &QComboBox::activated, this, [this](int index) {
            m_form.OnGroupChange(Selection(index));
            Sync();
        });
    if (m_sort)
        connect(m_sort, &QComboBox::activated, this, [this](int index) {
            m_form.OnSortChange(static_cast<std::size_t>(std::max(index, 0)));
            Sync();
        });
}

bool CPluListPanel::eventFilter(QObject* watched, QEvent* event)
{
    const bool focusIn = event->type() == QEvent::FocusIn;
    const bool focusOut = event->type() == QEvent::FocusOut;
    // The search combo's own list taking and giving back the focus is no change of field.
    if ((!focusIn && !focusOut) || static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
        return QWidget::eventFilter(watched, event);
    if (focusIn && watched == m_pluNo) m_form.OnPluNoChange(Stored(m_pluNo->text()));
    else if (focusIn && watched == m_posCode) m_form.OnPosCodeChange(Stored(m_posCode->text()));
    else if (focusIn && watched == m_search) m_form.SetSearchText(Stored(m_search->currentText()));
    else if (focusOut && watched == m_search) m_form.AddSearchHistory();
    else return QWidget::eventFilter(watched, event);
    Sync();
    return QWidget::eventFilter(watched, event);
}

void CPluListPanel::Sync()
{
    if (!m_created) return;
    const auto showText = [](QLineEdit* edit, const QString& text) {
        if (edit && edit->text() != text) edit->setText(text);
    };
    showText(m_pluNo, Display(m_form.GetPluNoText()));
    if (m_pluNo) m_pluNo->setEnabled(m_form.IsPluNoEditEnabled());
    showText(m_posCode, Display(m_form.GetPosCodeText()));
    if (m_search) {
        std::vector<QString> history;
        for (const std::string& entry : m_form.GetSearchHistory()) history.push_back(Display(entry));
        ShowChoices(m_search, history, std::nullopt);
        const QString text = Display(m_form.GetSearchComboText());
        if (m_search->currentText() != text) {
            const QSignalBlocker quiet(m_search);
            m_search->setEditText(text);
        }
    }
    const auto showField = [this](QComboBox* combo, const FieldChoices& choices) {
        std::vector<QString> items;
        for (const std::string& item : choices.items) items.push_back(Display(item));
        ShowChoices(combo, items, choices.selected);
    };
    if (m_form.GetColumnsShown().deptGroup) {
        showField(m_dept, m_form.GetDeptChoices());
        showField(m_group, m_form.GetGroupChoices());
        if (m_group) m_group->setEnabled(m_form.IsGroupComboEnabled());
    }
    {
        const QSignalBlocker quiet(m_scrollBar);
        m_scrollBar->setRange(0, static_cast<int>(m_form.GetScrollMax()));
        m_scrollBar->setPageStep(std::max(m_form.GetRowGeometry().visibleRows, 1));
        m_scrollBar->setValue(static_cast<int>(m_form.GetScrollPos()));
    }
    update();
}

void CPluListPanel::OnSinkKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t flags)
{
    m_form.OnSinkKeyDown(key, repeat, flags);
    Sync();
}

void CPluListPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int barWidth = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(width() - barWidth, 0, barWidth, height());
    if (!m_created) return;
    m_form.SetArea(Area());
    PlaceHeaders();
    Sync();
}

void CPluListPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    PlaceHeaders();
}

void CPluListPanel::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (!m_form.OnLButtonDown(point.x(), point.y())) return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    Sync();
}

void CPluListPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (!m_form.OnLButtonDown(point.x(), point.y())) return QWidget::mouseDoubleClickEvent(event);
    Sync();
    emit listDoubleClicked();
}

void CPluListPanel::keyPressEvent(QKeyEvent* event)
{
    const std::optional<std::uint32_t> key = ListMoveKey(*event);
    if (!key) return QWidget::keyPressEvent(event);
    OnSinkKeyDown(*key, 1, 0);
}

}  // namespace varnel
