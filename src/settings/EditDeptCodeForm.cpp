// The department and group code entries' rules.
#include "settings/EditDeptCodeForm.h"

#include "db/text/DbcsString.h"
#include "platform/NumberEntry.h"
#include "platform/UserPrompt.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::size_t kDigitsWithoutWidth = 5;
constexpr std::uint32_t kHighestCode = CDeptCodeList::kAll - 1;

std::vector<std::unique_ptr<CGroupCode>> CopyGroups(const CDeptCode& code)
{
    std::vector<std::unique_ptr<CGroupCode>> groups;
    for (const auto& group : code.m_groups) groups.push_back(std::make_unique<CGroupCode>(*group));
    return groups;
}

std::vector<std::string> GroupRows(const std::vector<std::unique_ptr<CGroupCode>>& groups,
                                   const DeptCodeDisplay& display)
{
    std::vector<std::string> rows;
    for (const auto& group : groups) rows.push_back(group->GetDisplayText(display));
    return rows;
}

}  // namespace

CodeEntry::CodeEntry(std::uint16_t width, std::uint16_t code, std::string name, const CharRule& chars)
    : m_code(std::to_string(code)), m_name(std::move(name)), m_chars(chars),
      m_digits(width > 0 ? width : kDigitsWithoutWidth), m_number(code)
{
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

EditGroupCodeForm::EditGroupCodeForm(const DeptCodeDisplay& display, const CharRule& chars)
    : CodeEntry(display.groupWidth, 0, {}, chars)
{
}

EditGroupCodeForm::EditGroupCodeForm(const CGroupCode& group, const DeptCodeDisplay& display, const CharRule& chars)
    : CodeEntry(display.groupWidth, group.m_id, group.m_name, chars)
{
}

GroupCodesForm::GroupCodesForm(std::vector<std::unique_ptr<CGroupCode>> groups, const DeptCodeDisplay& display,
                               const CharRule& chars)
    : SettingsListForm(Rule::None), m_groups(std::move(groups)), m_display(display), m_chars(chars)
{
    SetRows(GroupRows(m_groups, m_display), 0);
}

void GroupCodesForm::Insert(const EditGroupCodeForm& entry)
{
    const std::size_t at = CDeptCode::InsertInto(m_groups, std::make_unique<CGroupCode>(entry.GetCode(), entry.m_name));
    SetRows(GroupRows(m_groups, m_display), at);
}

void GroupCodesForm::Add()
{
    EditGroupCodeForm entry(m_display, m_chars);
    if (m_ui != nullptr && m_ui->RunGroupCodeEntry(entry)) Insert(entry);
}

void GroupCodesForm::EditRow(std::size_t row)
{
    EditGroupCodeForm entry(*m_groups.at(row), m_display, m_chars);
    if (m_ui == nullptr || !m_ui->RunGroupCodeEntry(entry)) return;
    m_groups.erase(m_groups.begin() + static_cast<std::ptrdiff_t>(row));
    Insert(entry);
}

void GroupCodesForm::DeleteRow(std::size_t row)
{
    m_groups.erase(m_groups.begin() + static_cast<std::ptrdiff_t>(row));
    RemoveRow(row);
}

EditDeptCodeForm::EditDeptCodeForm(const DeptCodeDisplay& display, const CharRule& chars)
    : CodeEntry(display.deptWidth, 0, {}, chars), m_groups({}, display, chars)
{
}

EditDeptCodeForm::EditDeptCodeForm(const CDeptCode& code, const DeptCodeDisplay& display, const CharRule& chars)
    : CodeEntry(display.deptWidth, code.m_id, code.m_name, chars), m_from(std::to_string(code.m_pluFrom)),
      m_to(std::to_string(code.m_pluTo)), m_groups(CopyGroups(code), display, chars), m_pluFrom(code.m_pluFrom),
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
    auto code = std::make_unique<CDeptCode>(GetCode(), m_name, m_pluTo);
    code->m_pluFrom = m_pluFrom;
    code->m_groups = m_groups.TakeGroups();
    return code;
}

}  // namespace varnel
