// The Change Prices dialogs on screen.
#include "pluedit/ui/ChangePriceDlgs.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "pluedit/ChangeMultiPriceForm.h"
#include "pluedit/ChangePriceForm.h"
#include "pluedit/ChangeZonePriceForm.h"
#include "pluedit/ui/FieldEdits.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <map>
#include <utility>

namespace varnel {
namespace {

QString Id(int id) { return QString::number(id); }

QLabel* Label(QWidget* parent, const QString& text, const QString& id)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(id);
    return label;
}

QLineEdit* Amount(QWidget* parent, int id, std::size_t limit)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(Id(id));
    edit->setMaxLength(static_cast<int>(limit));
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().averageCharWidth() * 12);
    return edit;
}

QComboBox* Flag(QWidget* parent, int id)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(Id(id));
    combo->setMinimumContentsLength(16);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

QString AmountCaption(const ChangePricesForm& form) { return form.IsMarkdown() ? "Markdown Price" : "Unit Price"; }

}  // namespace

// The part the three share.

CChangePricesView::CChangePricesView(ChangePricesForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_base(form), m_codePage(codePage), m_plu(Label(this, {}, "103")), m_name(Label(this, {}, "104")),
      m_next(MakeButton(*this, "&Next >>", "1069")), m_prev(MakeButton(*this, "<< &Prev.", "1070"))
{
    setWindowTitle(QString::fromStdString(form.GetTitle()));
    m_plu->setMinimumWidth(m_plu->fontMetrics().averageCharWidth() * 10);
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 32);
}

void CChangePricesView::Build(QGridLayout* rows)
{
    auto* plu = new QHBoxLayout;
    plu->addWidget(Label(this, "PLU No.", "pluLabel"));
    plu->addWidget(m_plu);
    plu->addWidget(m_name, 1);
    QPushButton* select = MakeButton(*this, "&Select", "3");
    auto* moves = new QHBoxLayout;
    moves->addWidget(m_prev);
    moves->addWidget(m_next);
    moves->addWidget(select);
    moves->addStretch(1);
    QDialogButtonBox* okCancel = MakeOkCancel(*this);
    moves->addWidget(okCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(plu);
    layout->addLayout(rows);
    layout->addLayout(moves);
    connect(m_next, &QPushButton::clicked, this, [this] { Run([this] { return m_base.OnNext(); }); });
    connect(m_prev, &QPushButton::clicked, this, [this] { Run([this] { return m_base.OnPrev(); }); });
    connect(select, &QPushButton::clicked, this, [this] { Run([this] { return m_base.OnSelect(); }); });
}

template <class Step>
void CChangePricesView::Run(Step step)
{
    if (std::exchange(m_refusedOnLeave, false)) return;
    if (HandOver()) (void)step();
    ShowForm();
}

void CChangePricesView::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (std::exchange(m_started, true)) return;
    m_base.OnInitDialog();
    ShowForm();
}

void CChangePricesView::accept()
{
    if (std::exchange(m_refusedOnLeave, false)) return;
    if (HandOver() && m_base.OnOK()) {
        QDialog::accept();
        return;
    }
    ShowForm();
}

void CChangePricesView::ShowForm()
{
    m_plu->setText(QString::fromStdString(m_base.GetPluText()));
    m_name->setText(ToDisplayText(m_base.GetNameText(), m_codePage));
    m_next->setEnabled(m_base.CanNext());
    m_prev->setEnabled(m_base.CanPrev());
    Refresh();
    if (auto* focus = findChild<QWidget*>(Id(m_base.GetFocus())); focus && focus->isEnabled()) {
        focus->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(focus)) edit->selectAll();
    }
}

void CChangePricesView::WatchLeaving(QLineEdit& edit) { edit.installEventFilter(this); }

bool CChangePricesView::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && event->type() == QEvent::FocusOut && !m_busy &&
        IsFocusMovedWithinWindow(*static_cast<QFocusEvent*>(event))) {
        m_busy = true;
        OnEditLeft(*edit);
        m_busy = false;
    }
    return QDialog::eventFilter(watched, event);
}

void CChangePricesView::OnEditLeft(QLineEdit&) {}

// One price.

CChangePriceDlg::CChangePriceDlg(ChangePriceForm& form, CodePage codePage, QWidget* parent)
    : CChangePricesView(form, codePage, parent), m_form(form),
      m_amount(Amount(this, ChangePriceForm::kAmount, form.GetAmountTextLimit())),
      m_flag(Flag(this, ChangePriceForm::kFlag)), m_flagLabel(Label(this, "Markdown flag", "1079")),
      m_goTo(Amount(this, ChangePriceForm::kGoToPlu, 8))
{
    setObjectName("changePriceDialog");
    QPushButton* goTo = MakeButton(*this, "Go To", "1071");
    auto* rows = new QGridLayout;
    rows->addWidget(Label(this, AmountCaption(form), "amountLabel"), 0, 0);
    rows->addWidget(m_amount, 0, 1);
    rows->addWidget(m_flagLabel, 0, 2);
    rows->addWidget(m_flag, 0, 3);
    rows->addWidget(Label(this, "Go To PLU", "goToLabel"), 1, 0);
    rows->addWidget(m_goTo, 1, 1);
    rows->addWidget(goTo, 1, 2);
    rows->setColumnStretch(4, 1);
    Build(rows);
    m_flag->setVisible(form.IsFlagShown());
    m_flagLabel->setVisible(form.IsFlagShown());
    connect(m_flag, &QComboBox::activated, this, [this] {
        m_form.SetAmountText(FromDisplayText(m_amount->text(), Page()));
        m_form.OnFlagChange(ChosenIndex(*m_flag));
        m_amount->setText(ToDisplayText(m_form.GetAmountText(), Page()));
    });
    connect(goTo, &QPushButton::clicked, this, [this] {
        if (HandOver()) (void)m_form.OnGoTo();
        ShowForm();
    });
}

bool CChangePriceDlg::HandOver()
{
    m_form.SetAmountText(FromDisplayText(m_amount->text(), Page()));
    m_form.SetGoToText(FromDisplayText(m_goTo->text(), Page()));
    return true;
}

void CChangePriceDlg::Refresh()
{
    m_amount->setText(ToDisplayText(m_form.GetAmountText(), Page()));
    m_goTo->setText(QString::fromStdString(m_form.GetGoToText()));
    ShowChoices(*m_flag, m_form.GetFlagChoices(), Page());
    m_amount->setEnabled(m_form.GetCurrentPlu() != 0);
}

// Per price zone.

CChangeZonePriceDlg::CChangeZonePriceDlg(ChangeZonePriceForm& form, CodePage codePage, QWidget* parent)
    : CChangePricesView(form, codePage, parent), m_form(form), m_bar(new QScrollBar(Qt::Vertical, this))
{
    setObjectName("changeZonePriceDialog");
    m_bar->setObjectName("1049");
    auto* rows = new QGridLayout;
    rows->addWidget(Label(this, "Price Zone", "zoneHeading"), 0, 0);
    rows->addWidget(Label(this, AmountCaption(form), "amountHeading"), 0, 1);
    if (form.IsMarkdown()) rows->addWidget(Label(this, "Markdown flag", "flagHeading"), 0, 2);
    for (int row = 0; row < kRows; ++row) {
        const auto index = static_cast<std::size_t>(row - 1);
        const int amountId = row == 0 ? ChangeZonePriceForm::kDefaultAmount : ChangeZonePriceForm::kAmounts[index];
        const int flagId = row == 0 ? ChangeZonePriceForm::kDefaultFlag : ChangeZonePriceForm::kFlags[index];
        m_labels[row] = Label(this, {}, row == 0 ? QString("defaultLabel") : Id(ChangeZonePriceForm::kLabels[index]));
        m_labels[row]->setMinimumWidth(m_labels[row]->fontMetrics().averageCharWidth() * 20);
        m_amounts[row] = Amount(this, amountId, form.GetAmountTextLimit());
        WatchLeaving(*m_amounts[row]);
        rows->addWidget(m_labels[row], row + 1, 0);
        rows->addWidget(m_amounts[row], row + 1, 1);
        if (form.IsMarkdown()) {
            m_flags[row] = Flag(this, flagId);
            rows->addWidget(m_flags[row], row + 1, 2);
            connect(m_flags[row], &QComboBox::activated, this, [this, row] {
                if (m_filling) return;
                m_form.OnFlagChange(FormRow(row), ChosenIndex(*m_flags[row]));
                Refresh();
            });
        }
    }
    rows->addWidget(m_bar, 2, 3, kRows - 1, 1);
    rows->setColumnStretch(4, 1);
    m_bar->setRange(0, form.GetScrollLast());
    m_bar->setPageStep(5);
    m_bar->setEnabled(form.IsScrollEnabled());
    connect(m_bar, &QScrollBar::actionTriggered, this, [this](int action) {
        static const std::map<int, ScrollAction> kActions{
            {QAbstractSlider::SliderSingleStepAdd, ScrollAction::LineDown},
            {QAbstractSlider::SliderSingleStepSub, ScrollAction::LineUp},
            {QAbstractSlider::SliderPageStepAdd, ScrollAction::PageDown},
            {QAbstractSlider::SliderPageStepSub, ScrollAction::PageUp},
            {QAbstractSlider::SliderToMinimum, ScrollAction::Top},
            {QAbstractSlider::SliderToMaximum, ScrollAction::Bottom},
            {QAbstractSlider::SliderMove, ScrollAction::Thumb}};
        const auto found = kActions.find(action);
        if (found == kActions.end()) return;
        m_form.OnScroll(found->second, m_bar->sliderPosition());
        // The bar shows the form's position, not the one it would have moved to by itself.
        m_bar->setSliderPosition(m_form.GetFirstVisible());
        Refresh();
    });
    Build(rows);
}

void CChangeZonePriceDlg::OnEditLeft(QLineEdit& edit)
{
    if (m_filling) return;
    for (int row = 0; row < kRows; ++row) {
        if (m_amounts[row] != &edit) continue;
        const bool taken = m_form.OnAmountKillFocus(FormRow(row), FromDisplayText(edit.text(), Page()));
        NoteLeft(!taken);
        Refresh();
        if (!taken) {
            edit.setFocus(Qt::OtherFocusReason);
            edit.selectAll();
        }
        return;
    }
}

bool CChangeZonePriceDlg::HandOver()
{
    for (int row = 0; row < kRows; ++row)
        if (m_amounts[row]->hasFocus() &&
            !m_form.OnAmountKillFocus(FormRow(row), FromDisplayText(m_amounts[row]->text(), Page())))
            return false;
    return true;
}

void CChangeZonePriceDlg::Refresh()
{
    m_filling = true;
    for (int row = 0; row < kRows; ++row) {
        const ChangeZonePriceForm::Row& shown = m_form.GetRow(FormRow(row));
        m_labels[row]->setText(ToDisplayText(shown.label, Page()));
        m_labels[row]->setEnabled(shown.enabled);
        m_amounts[row]->setText(ToDisplayText(shown.amount, Page()));
        m_amounts[row]->setEnabled(shown.enabled);
        if (m_flags[row]) {
            ShowChoices(*m_flags[row], shown.flag, Page());
            m_flags[row]->setEnabled(shown.flagEnabled);
        }
    }
    m_bar->setSliderPosition(m_form.GetFirstVisible());
    m_filling = false;
}

// With the price master tables.

CChangeMultiPriceDlg::CChangeMultiPriceDlg(ChangeMultiPriceForm& form, CodePage codePage, QWidget* parent)
    : CChangePricesView(form, codePage, parent), m_form(form)
{
    setObjectName("changeMultiPriceDialog");
    auto* rows = new QGridLayout;
    for (int row = 0; row < kRows; ++row) {
        const auto index = static_cast<std::size_t>(row);
        m_labels[row] = Label(this, ChangeMultiPriceForm::kCaptions[index], QString("priceLabel%1").arg(row));
        m_amounts[row] = Amount(this, ChangeMultiPriceForm::kAmounts[index], form.GetAmountTextLimit());
        WatchLeaving(*m_amounts[row]);
        rows->addWidget(m_labels[row], row, 0);
        rows->addWidget(m_amounts[row], row, 1);
        if (form.IsMarkdown()) {
            m_flags[row] = Flag(this, ChangeMultiPriceForm::kFlags[index]);
            rows->addWidget(m_flags[row], row, 2);
            connect(m_flags[row], &QComboBox::activated, this, [this] {
                if (m_filling) return;
                PassRows();
                (void)m_form.OnRowsChanged();
                Refresh();
            });
        }
        const bool shown = row != 0 || form.IsCounterRowShown();
        m_labels[row]->setVisible(shown);
        m_amounts[row]->setVisible(shown);
        if (m_flags[row]) m_flags[row]->setVisible(shown);
    }
    rows->setColumnStretch(3, 1);
    Build(rows);
}

void CChangeMultiPriceDlg::PassRows()
{
    for (int row = 0; row < kRows; ++row) {
        const auto index = static_cast<std::size_t>(row);
        m_form.SetAmountText(index, FromDisplayText(m_amounts[row]->text(), Page()));
        if (m_flags[row]) m_form.SetFlagSelection(index, ChosenIndex(*m_flags[row]));
    }
}

void CChangeMultiPriceDlg::OnEditLeft(QLineEdit&)
{
    if (m_filling) return;
    PassRows();
    const bool taken = m_form.OnRowsChanged();
    NoteLeft(!taken);
    if (taken)
        Refresh();
    else
        ShowForm();
}

bool CChangeMultiPriceDlg::HandOver()
{
    PassRows();
    return true;
}

void CChangeMultiPriceDlg::Refresh()
{
    m_filling = true;
    for (int row = 0; row < kRows; ++row) {
        const ChangeMultiPriceForm::Row& shown = m_form.GetRow(static_cast<std::size_t>(row));
        m_amounts[row]->setText(ToDisplayText(shown.amount, Page()));
        m_amounts[row]->setEnabled(shown.enabled);
        m_labels[row]->setEnabled(shown.enabled);
        if (m_flags[row]) {
            ShowChoices(*m_flags[row], shown.flag, Page());
            m_flags[row]->setEnabled(shown.enabled);
        }
    }
    m_filling = false;
}

}  // namespace varnel
