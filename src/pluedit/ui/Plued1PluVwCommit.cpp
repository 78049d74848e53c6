// The PLU edit window's entries as their controls are left, and its Save and New PLU buttons.
#include "pluedit/ui/Plued1PluVw.h"

#include "platform/ui/CodePageText.h"
#include "pluedit/PluEditForm.h"
#include "pluedit/ui/DeptCombo.h"
#include "pluedit/ui/LabelTextEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>

namespace varnel {

const CPlued1PluVw::FieldWidgets* CPlued1PluVw::FindField(const QWidget* input) const
{
    for (const FieldWidgets& field : m_fields)
        if (field.input == input) return &field;
    return nullptr;
}

const CPlued1PluVw::FieldWidgets* CPlued1PluVw::FindField(std::uint16_t fieldNo) const
{
    for (const FieldWidgets& field : m_fields)
        if (field.control->definition->m_fieldNo == fieldNo) return &field;
    return nullptr;
}

void CPlued1PluVw::ShowFields(const std::vector<std::uint16_t>& fields)
{
    for (const std::uint16_t fieldNo : fields)
        if (const FieldWidgets* field = FindField(fieldNo)) ShowField(*field);
    ShowLength();
}

void CPlued1PluVw::ApplyFocusRequest()
{
    const std::optional<int> request = m_form.TakeFocusRequest();
    if (!request) return;
    QWidget* target = nullptr;
    if (*request == PluEditForm::kPluNumber) {
        target = m_pluNumber;
    } else if (*request == PluEditForm::kEditor) {
        target = m_editor;
    } else if (const FieldWidgets* field = FindField(static_cast<std::uint16_t>(*request))) {
        // A field of another page brings its page forward first.
        if (field->control->page != m_form.GetCurrentPage()) m_tabs->setCurrentIndex(static_cast<int>(field->control->page));
        target = field->input;
    }
    if (target == nullptr) return;
    target->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->selectAll();
}

bool CPlued1PluVw::CommitEdit(CNumEdit& edit)
{
    const FieldWidgets* field = FindField(&edit);
    if (field == nullptr) return true;
    const PluEditForm::FieldCommit commit =
        m_form.CommitEdit(*field->control, FromDisplayText(edit.text(), m_codePage));
    ShowFields(commit.shownAgain);
    ApplyFocusRequest();
    return commit.accepted;
}

bool CPlued1PluVw::CommitCombo(CPluCombo& combo)
{
    const FieldWidgets* field = FindField(&combo);
    if (field == nullptr) return true;
    const PluEditForm::FieldCommit commit = m_form.CommitCombo(*field->control, ChosenIndex(combo));
    ShowFields(commit.shownAgain);
    ApplyFocusRequest();
    return commit.accepted;
}

void CPlued1PluVw::UpdateFromEdit(CNumEdit& edit) { (void)CommitEdit(edit); }

void CPlued1PluVw::UpdateFromCombo(CPluCombo& combo) { (void)CommitCombo(combo); }

bool CPlued1PluVw::CommitPluNumber()
{
    const bool accepted = m_form.CommitPluNumber(m_pluNumber->text().toStdString());
    m_pluNumber->setText(QString::fromStdString(m_form.GetPluNumberText()));
    ApplyFocusRequest();
    return accepted;
}

bool CPlued1PluVw::CommitFocusedControl()
{
    if (m_form.GetActiveMode() == PluEditForm::ActiveMode::Radios) m_form.CommitActiveState(m_active->isChecked());
    QWidget* focused = QApplication::focusWidget();
    if (focused == m_pluNumber) return CommitPluNumber();
    if (auto* edit = qobject_cast<CNumEdit*>(focused); edit != nullptr && FindField(edit) != nullptr)
        return CommitEdit(*edit);
    if (auto* combo = qobject_cast<CPluCombo*>(focused); combo != nullptr && FindField(combo) != nullptr)
        return CommitCombo(*combo);
    // The department and group combos store their choice as it is made.
    return true;
}

void CPlued1PluVw::OnSave()
{
    const bool saved = m_form.OnSave();
    if (saved) Refresh();
    ApplyFocusRequest();
}

void CPlued1PluVw::OnNewPlu()
{
    ShowLoaded(m_form.OnNewPlu());
    ApplyFocusRequest();
}

}  // namespace varnel
