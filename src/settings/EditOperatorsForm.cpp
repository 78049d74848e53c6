// The operator list's rules.
#include "settings/EditOperatorsForm.h"

#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "settings/AppEventLog.h"
#include "settings/OperatorList.h"
#include "settings/UserSetupList.h"

#include <iterator>
#include <memory>

namespace varnel {
namespace {

std::string Detail(const COperator& op) { return FormatText(" ID=%d : %s", int{op.m_id}, op.m_name.c_str()); }

}  // namespace

EditOperatorsForm::EditOperatorsForm(COperatorList& operators, const ISendQueue& sends, const CGeneralSetup& setup,
                                     const CAppEventLog& log, OperatorEntrySite site, bool pickMode,
                                     std::optional<std::uint16_t> preselect)
    : SettingsListForm(pickMode ? Rule::None : Rule::SetupPermissions), m_operators(operators), m_sends(sends),
      m_setup(setup), m_log(log), m_site(std::move(site)), m_pickMode(pickMode)
{
    if (pickMode) {
        DisableAdd();
        DisableEdit();
        DisableDelete();
    }
    const auto& all = operators.GetOperators();
    if (preselect && all.contains(*preselect)) Fill(preselect);
    else Fill(all.empty() ? std::nullopt : std::optional<std::uint16_t>(all.begin()->first));
}

std::string EditOperatorsForm::GetOkText() const
{
    return m_pickMode ? std::string(GetMessageText(kMsgSelect)) : SettingsListForm::GetOkText();
}

std::uint16_t EditOperatorsForm::IdAt(std::size_t row) const
{
    return std::next(m_operators.GetOperators().begin(), static_cast<std::ptrdiff_t>(row))->first;
}

void EditOperatorsForm::Fill(std::optional<std::uint16_t> selectedId)
{
    std::vector<std::string> rows;
    std::optional<std::size_t> selection;
    for (const auto& [id, op] : m_operators.GetOperators()) {
        if (selectedId == id) selection = rows.size();
        rows.push_back(FormatText("%02.2d  %s", int{id}, op->m_name.c_str()));
    }
    SetRows(std::move(rows), selection);
}

bool EditOperatorsForm::RunEntry(EditOperatorForm& entry)
{
    while (m_ui != nullptr && m_ui->RunOperatorEntry(entry))
        if (entry.CheckName()) return true;
    return false;
}

void EditOperatorsForm::Store(const COperator& op)
{
    m_operators.SetOperator(std::make_unique<COperator>(op));
    (void)m_operators.QueueSend(m_sends, m_setup, op.m_id, op.m_id, false);
    m_log.LogSetupModified(kMsgOperator, Detail(op));
}

void EditOperatorsForm::Add()
{
    if (!IsAddEnabled()) return;
    EditOperatorForm entry(m_site);
    for (;;) {
        if (!RunEntry(entry)) return;
        if (m_operators.Find(entry.GetId()) == nullptr) break;
        ShowMessage(kMsgIdInUse);
    }
    const COperator op = entry.GetOperator();
    Store(op);
    Fill(op.m_id);
}

void EditOperatorsForm::EditRow(std::size_t row)
{
    const std::uint16_t oldId = IdAt(row);
    EditOperatorForm entry(m_site, *m_operators.Find(oldId));
    for (;;) {
        if (!RunEntry(entry)) return;
        if (!CheckUserPermission(kSetupTable, AccessUpdate, true)) return;
        if (entry.GetId() == oldId || m_operators.Find(entry.GetId()) == nullptr) break;
        ShowMessage(kMsgIdInUse);
    }
    const COperator op = entry.GetOperator();
    if (op.m_id == oldId) {
        Store(op);
        SetRow(row, FormatText("%02.2d  %s", int{op.m_id}, op.m_name.c_str()));
        return;
    }
    // The scales drop the old number, or they would keep an operator the site no longer has.
    (void)m_operators.QueueDelete(m_sends, oldId, oldId, false);
    m_operators.RemoveOperator(oldId);
    Store(op);
    Fill(op.m_id);
}

void EditOperatorsForm::DeleteRow(std::size_t row)
{
    if (ShowMessage(kMsgDeleteOperator, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) return;
    const std::uint16_t id = IdAt(row);
    m_log.LogSetupDeleted(kMsgOperator, Detail(*m_operators.Find(id)));
    (void)m_operators.QueueDelete(m_sends, id, id, false);
    m_operators.RemoveOperator(id);
    RemoveRow(row);
}

SettingsListForm::End EditOperatorsForm::Pick()
{
    const auto row = GetSelection();
    if (!row) return End::Cancel;
    m_picked = IdAt(*row);
    return End::Ok;
}

SettingsListForm::End EditOperatorsForm::DoubleClick()
{
    return m_pickMode ? Pick() : SettingsListForm::DoubleClick();
}

SettingsListForm::End EditOperatorsForm::Ok() { return m_pickMode ? Pick() : End::Ok; }

}  // namespace varnel
