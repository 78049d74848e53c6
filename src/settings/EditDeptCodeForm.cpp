// The department and group code entries' rules.
#include "settings/EditDeptCodeForm.h"

#include "db/plu/PluFieldAccess.h"
#include "db/text/DbcsString.h"
#include "platform/NumberEntry.h"
#include "platform/UserPrompt.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint16_t kDeptField = 1014;
constexpr std::uint16_t kGroupField = 1015;
constexpr std::size_t kDigitsWithoutDefinition = 5;
constexpr std::uint32_t kHighestCode = CDeptCodeList::kAll - 1;

std::vector<std::unique_ptr<CGroupCode>> CopyGroups(const CDeptCode& code)
{
    std::vector<std::unique_ptr<CGroupCode>> groups;
    for (const auto& group : code.m_groups) groups.push_back(std::make_unique<CGroupCode>(*group));
    return groups;
}

std::vector<std::string> GroupRows(const std::vector<std::unique_ptr<CGroupCode>>& groups)
{
    std::vector<std::string> rows;
    for (const auto& group : groups) rows.push_back(group->GetDisplayText());
    return rows;
}

}  // namespace

CodeEntry::CodeEntry(std::uint16_t fieldNo, std::uint16_t code, std::string name, const CharRule& chars)
    : m_code(std::to_string(code)), m_name(std::move(name)), m_chars(chars), m_fieldNo(fieldNo), m_number(code)
{
}

std::size_t CodeEntry::GetCodeDigits() const
{
    const CLabProp* definition = GetPluFieldDef(m_fieldNo);
    return definition && definition->m_width > 0 ? definition->m_width : kDigitsWithoutDefinition;
}

bool CodeEntry::AcceptCode()
{
    const auto code = ReadNumberInRange(m_code, 0, kHighestCode);
    if (!code) return false;
    m_name = std::string(DbcsLeft(m_name, kNameLimit, m_chars));
    if (m_name.empty()) {
        ShowMessage(kMsgNoName);
        return false;
    }
    m_number = static_cast<std::uint16_t>(*code);
    return true;
}

EditGroupCodeForm::EditGroupCodeForm(const CharRule& chars) : CodeEntry(kGroupField, 0, {}, chars) {}

EditGroupCodeForm::EditGroupCodeForm(const CGroupCode& group, const CharRule& chars)
    : CodeEntry(kGroupField, group.m_id, group.m_name, chars)
{
}

GroupCodesForm::GroupCodesForm(std::vector<std::unique_ptr<CGroupCode>> groups, const CharRule& chars)
    : SettingsListForm(Rule::None), m_groups(std::move(groups)), m_chars(chars)
{
    SetRows(GroupRows(m_groups), 0);
}

void GroupCodesForm::Insert(const EditGroupCodeForm& entry)
{
    const std::size_t at = CDeptCode::InsertInto(m_groups, std::make_unique<CGroupCode>(entry.GetCode(), entry.m_name));
    SetRows(GroupRows(m_groups), at);
}

void GroupCodesForm::Add()
{
    EditGroupCodeForm entry(m_chars);
    if (m_ui != nullptr && m_ui->RunGroupCodeEntry(entry)) Insert(entry);
}

void GroupCodesForm::EditRow(std::size_t row)
{
    EditGroupCodeForm entry(*m_groups.at(row), m_chars);
    if (m_ui == nullptr || !m_ui->RunGroupCodeEntry(entry)) return;
    m_groups.erase(m_groups.begin() + static_cast<std::ptrdiff_t>(row));
    Insert(entry);
}

void GroupCodesForm::DeleteRow(std::size_t row)
{
    m_groups.erase(m_groups.begin() + static_cast<std::ptrdiff_t>(row));
    RemoveRow(row);
}

EditDeptCodeForm::EditDeptCodeForm(const CharRule& chars) : CodeEntry(kDeptField, 0, {}, chars), m_groups({}, chars) {}

EditDeptCodeForm::EditDeptCodeForm(const CDeptCode& code, const CharRule& chars)
    : CodeEntry(kDeptField, code.m_id, code.m_name, chars), m_from(std::to_string(code.m_pluFrom)),
      m_to(std::to_string(code.m_pluTo)), m_groups(CopyGroups(code), chars), m_pluFrom(code.m_pluFrom),
      m_pluTo(code.m_pluTo)
{
}

bool EditDeptCodeForm::Accept()
{
    const auto from = ReadNumberInRange(m_from, 1, kMaxPlu);
    if (!from) return false;
    const auto to = ReadNumberInRange(m_to, 1, kMaxPlu);
    if (!to) return false;
    if (!AcceptCode()) return false;
    m_pluFrom = std::min(*from, *to);
    m_pluTo = std::max(*from, *to);
    return true;
}

std::unique_ptr<CDeptCode> EditDeptCodeForm::TakeDeptCode()
{
    auto code = std::make_unique<CDeptCode>(GetCode(), m_name);
    code->m_pluFrom = m_pluFrom;
    code->m_pluTo = m_pluTo;
    code->m_groups = m_groups.TakeGroups();
    return code;
}

}  // namespace varnel
