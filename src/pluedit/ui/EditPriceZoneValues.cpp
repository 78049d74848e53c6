#include "pluedit/ui/EditPriceZoneValues.h"

#include "db/site/LabProp.h"
#include "platform/ui/CodePageText.h"
#include "pluedit/ui/DialogUnits.h"

#include <QEvent>
#include <QLabel>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace varnel {
namespace {

constexpr int kMaxDropHeight = 100;  // pixels

}  // namespace

CEditPriceZoneValues::CEditPriceZoneValues(PluEditForm& plu, const CLabProp& definition, const QRect& control,
                                           const QRect& workArea, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(plu, definition), m_codePage(codePage)
{
    setObjectName("editPriceZoneValues");
    setModal(false);
    const FormUnits units = DialogUnitsOf(*this);
    using Form = EditPriceZoneValuesForm;
    const int inputWidth = units.X(Form::kInputWidth + (m_form.IsCombo() ? Form::kRowPitch : 0));
    for (std::size_t row = 0; row < m_form.GetShownRowCount(); ++row) {
        const int top = units.Y(Form::kMargin + static_cast<int>(row) * Form::kRowPitch);
        auto* label = new QLabel(this);
        label->setObjectName(QByteArray::number(Form::kLabelIdBase + static_cast<int>(row)));
        label->setGeometry(units.X(Form::kMargin), top, units.X(Form::kLabelWidth), units.Y(Form::kRowPitch - 3));
        QWidget* input = nullptr;
        if (m_form.IsCombo()) {
            auto* combo = new CPluCombo(definition, *this, this);
            combo->setObjectName(QByteArray::number(1900 + static_cast<int>(row)));
            combo->setMaxVisibleItems(std::max(1, kMaxDropHeight / std::max(1, units.Y(Form::kRowPitch))));
            input = combo;
        } else {
            auto* edit = new CNumEdit(definition, *this, this);
            edit->setObjectName(QByteArray::number(1800 + static_cast<int>(row)));
            edit->setMaxLength(static_cast<int>(m_form.GetTextLimit()));
            input = edit;
        }
        input->setGeometry(units.X(Form::kLabelWidth + 10), top, inputWidth, units.Y(Form::kRowPitch - 3));
        m_labels.push_back(label);
        m_inputs.push_back(input);
    }
    if (m_form.HasScrollBar()) {
        m_scrollBar = new QScrollBar(Qt::Vertical, this);
        m_scrollBar->setObjectName(QByteArray::number(Form::kScrollBarId));
        m_scrollBar->setRange(0, static_cast<int>(m_form.GetLastPosition()));
        m_scrollBar->setPageStep(static_cast<int>(Form::kVisibleRows - 1));
        m_scrollBar->setGeometry(units.X(Form::kLabelWidth + 10) + inputWidth + units.X(2), units.Y(Form::kMargin),
                                 units.X(Form::kScrollBarWidth),
                                 units.Y(static_cast<int>(Form::kVisibleRows) * Form::kRowPitch));
        connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int position) {
            // The row being typed into is taken before the rows move, or its entry would be lost.
            if (QWidget* focused = focusWidget(); focused != nullptr && RowOf(*focused) < m_inputs.size())
                CommitRow(RowOf(*focused));
            if (m_form.OnScroll(Form::Scroll::Thumb, static_cast<std::size_t>(std::max(0, position)))) ShowRows();
        });
    }
    const FormRect placed = m_form.Place({control.left(), control.top(), control.right() + 1, control.bottom() + 1},
                                         {workArea.left(), workArea.top(), workArea.right() + 1, workArea.bottom() + 1},
                                         units);
    setGeometry(placed.left, placed.top, placed.Width(), placed.Height());
    ShowRows();
}

void CEditPriceZoneValues::ShowRows()
{
    for (std::size_t row = 0; row < m_inputs.size(); ++row) {
        m_labels[row]->setText(ToDisplayText(m_form.GetRowLabel(row), m_codePage));
        if (auto* edit = qobject_cast<CNumEdit*>(m_inputs[row]))
            edit->setText(QString::fromStdString(m_form.GetRowText(row)));
        else if (auto* combo = qobject_cast<QComboBox*>(m_inputs[row]))
            ShowChoices(*combo, m_form.GetRowChoices(row), m_codePage);
    }
}

std::size_t CEditPriceZoneValues::RowOf(const QWidget& input) const
{
    return static_cast<std::size_t>(std::ranges::find(m_inputs, &input) - m_inputs.begin());
}

void CEditPriceZoneValues::CommitRow(std::size_t row)
{
    if (row >= m_inputs.size()) return;
    if (auto* edit = qobject_cast<CNumEdit*>(m_inputs[row])) {
        if (!m_form.CommitRowEdit(row, FromDisplayText(edit->text(), m_codePage)) && !m_form.IsClosing())
            edit->setFocus(Qt::OtherFocusReason);
    } else if (auto* combo = qobject_cast<QComboBox*>(m_inputs[row])) {
        m_form.CommitRowCombo(row, ChosenIndex(*combo));
    }
    // A new default shows in every zone without its own value.
    ShowRows();
}

void CEditPriceZoneValues::UpdateFromEdit(CNumEdit& edit) { CommitRow(RowOf(edit)); }

void CEditPriceZoneValues::UpdateFromCombo(CPluCombo& combo) { CommitRow(RowOf(combo)); }

void CEditPriceZoneValues::Close()
{
    m_form.CommitAll([this](std::size_t row) { CommitRow(row); });
    hide();
    emit valuesCommitted();
}

// Escape keeps the values entered, as OK does.
void CEditPriceZoneValues::accept() { Close(); }

void CEditPriceZoneValues::reject() { Close(); }

void CEditPriceZoneValues::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    // Another window taking over closes the popup, unless a row's own check or message did.
    if (isActiveWindow())
        m_active = true;
    else if (std::exchange(m_active, false) && isVisible() && !m_form.IsBusy() && !m_form.IsClosing())
        Close();
}

}  // namespace varnel
