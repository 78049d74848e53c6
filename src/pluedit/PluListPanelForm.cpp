// The PLU list panel: building the list, keeping the current row, finding typed PLUs and what the
// host's controls show.
#include "pluedit/PluListPanelForm.h"

#include "db/plu/PluDefTb.h"
#include "db/plu/PluFieldAccess.h"
#include "db/text/DbcsString.h"
#include "pluedit/PluListOrder.h"
#include "settings/DeptCode.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace varnel {
namespace {

constexpr std::uint16_t kPosCodeField = 1026;
constexpr std::uint16_t kUnitPriceField = 1005;
constexpr std::uint16_t kDeptField = 1014;
constexpr std::uint16_t kGroupField = 1015;
constexpr std::uint32_t kInactiveFlag = 1;
constexpr std::size_t kSearchComboBytes = 19;

std::uint16_t FieldWidth(std::uint16_t fieldNo)
{
    const CLabProp* definition = GetPluFieldDef(fieldNo);
    return definition ? definition->m_width : 0;
}

}  // namespace

PluListPanelForm::PluListPanelForm(CPluDefTb* plus, const CDeptCodeList& departments, PluListSettings settings)
    : m_plus(plus), m_departments(departments), m_settings(settings)
{
}

long PluListPanelForm::GetEditNumber(std::string_view text)
{
    if (text.empty()) return 1;
    // As "%ld" reads it: blanks, a sign and digits; a number too large for a long reads as the largest.
    const std::string digits(text);
    char* end = nullptr;
    const long number = std::strtol(digits.c_str(), &end, 10);
    return end == digits.c_str() ? -1 : number;
}

void PluListPanelForm::Create(const PluListArea& area, const PluListTextWidth& textWidth,
                              const PluListHeaderTexts& headers)
{
    const CLabProp* posCode = GetPluFieldDef(kPosCodeField);
    m_shown.posCode = m_settings.showPosCode && posCode != nullptr;
    if (posCode) {
        m_widths.posCode = posCode->m_width;
        m_posCodeName = posCode->m_name;
    }
    m_widths.priceDecimals = GetFieldDecimals(kUnitPriceField);
    m_shown.costPrice = m_settings.costColumn;
    m_shown.deptGroup = m_settings.showDeptGroup;
    if (m_shown.deptGroup) {
        m_widths.dept = FieldWidth(kDeptField);
        m_widths.group = FieldWidth(kGroupField);
    }
    m_columns = LayOutColumns(textWidth, headers,
                              {m_shown.posCode, m_posCodeName, m_widths.posCode, m_shown.deptGroup,
                               m_widths.dept + m_widths.group});
    m_area = area;
    m_geometry = LayOutRows(area, m_settings.twoLines, m_shown.costPrice);
    const BuildLock lock = LockTable();
    BuildList();
    FillDeptGroupCombos();
    m_scrollPos = 0;
    UpdateScrollRange();
}

void PluListPanelForm::SetArea(const PluListArea& area)
{
    m_area = area;
    m_geometry = LayOutRows(area, m_settings.twoLines, m_shown.costPrice);
    UpdateScrollRange();
}

BuildLock PluListPanelForm::LockTable() const { return m_plus ? m_plus->LockRecordBuild() : BuildLock(); }

const CPluDefRec* PluListPanelForm::RecordOfRow(std::size_t row, std::uint32_t& pluNumber) const
{
    if (!m_plus || row >= m_rows.size()) return nullptr;
    return dynamic_cast<const CPluDefRec*>(m_plus->GetRecordAt(m_rows[row], pluNumber));
}

void PluListPanelForm::BuildList()
{
    m_rows.clear();
    if (!m_plus) return;
    // A group filter without a department filter is ignored.
    const std::uint16_t group = m_deptFilter == kAny ? kAny : m_groupFilter;
    if (m_nameSearch && !m_searchText.empty()) {
        m_plus->FindPlusByName(m_searchText, m_deptFilter, group, m_rows);
    } else if (m_deptFilter == kAny) {
        m_rows.resize(m_plus->GetRecordCount());
        std::iota(m_rows.begin(), m_rows.end(), std::size_t{0});
    } else {
        std::size_t position = 0;
        for (const auto& entry : m_plus->GetIndex()) {
            const auto* row = dynamic_cast<const CPluDefRec*>(entry.record.get());
            if (row && row->GetDept() == m_deptFilter && (group == kAny || row->Get(PluCol::Group) == group))
                m_rows.push_back(position);
            ++position;
        }
    }
    if (m_order == kPosCodeOrder) SortByPosCode(*m_plus, m_rows);
    else if (m_order == kNameOrder) SortByName(*m_plus, m_rows, m_settings.chars);
}

void PluListPanelForm::Refresh()
{
    const BuildLock lock = LockTable();
    RefreshLocked();
}

void PluListPanelForm::RefreshLocked()
{
    // The current PLU stays current where it is still listed; else the PLU that now stands at its
    // place in the table (the next one after it was deleted), or the table's first PLU.
    const std::size_t keptPosition = m_current && *m_current < m_rows.size() ? m_rows[*m_current] : 0;
    BuildList();
    m_current.reset();
    if (m_currentPlu) m_current = FindRowOfKey(*m_currentPlu);
    if (!m_current) {
        const auto row = std::find(m_rows.begin(), m_rows.end(), keptPosition);
        if (row != m_rows.end()) m_current = static_cast<std::size_t>(row - m_rows.begin());
    }
    if (!m_current && !m_rows.empty()) m_current = 0;
    UpdateScrollRange();
    ShowCurrent(TypedEdit::None);
    FillDeptGroupCombos();
}

std::optional<std::size_t> PluListPanelForm::FindRowOfKey(std::uint32_t pluNumber) const
{
    bool found = false;
    const std::size_t position = m_plus->GetIndex().FindPosition(pluNumber, found);
    if (!found) return std::nullopt;
    const auto row = std::find(m_rows.begin(), m_rows.end(), position);
    if (row == m_rows.end()) return std::nullopt;
    return static_cast<std::size_t>(row - m_rows.begin());
}

std::size_t PluListPanelForm::GetScrollMax() const
{
    const auto visible = static_cast<std::size_t>(std::max(m_geometry.visibleRows, 0));
    return m_rows.size() > visible ? m_rows.size() - visible : 0;
}

void PluListPanelForm::SetScrollPos(std::size_t position) { m_scrollPos = std::min(position, GetScrollMax()); }

void PluListPanelForm::UpdateScrollRange()
{
    if (m_current) EnsureVisible();
    else m_scrollPos = 0;
    SetScrollPos(m_scrollPos);
}

void PluListPanelForm::EnsureVisible()
{
    if (!m_current) return;
    const auto visible = static_cast<std::size_t>(std::max(m_geometry.visibleRows, 1));
    if (*m_current < m_scrollPos) SetScrollPos(*m_current);
    else if (*m_current >= m_scrollPos + visible) SetScrollPos(*m_current - visible + 1);
}

void PluListPanelForm::Centre()
{
    if (!m_current) return;
    const auto half = static_cast<std::size_t>(std::max(m_geometry.visibleRows, 0) / 2);
    if (*m_current < half) SetScrollPos(0);
    else SetScrollPos(std::min(*m_current - half, m_rows.size() > half ? m_rows.size() - half : 0));
}

void PluListPanelForm::ShowCurrent(TypedEdit typed)
{
    if (m_rows.empty()) m_current.reset();
    else if (m_current && *m_current >= m_rows.size()) m_current = m_rows.size() - 1;
    std::uint32_t pluNumber = 0;
    const CPluDefRec* plu = m_current ? RecordOfRow(*m_current, pluNumber) : nullptr;
    if (!plu) {
        m_currentPlu.reset();
        m_activeCommand = {};
        return;
    }
    m_currentPlu = pluNumber;
    if (typed != TypedEdit::PluNo) m_pluNoText = std::to_string(pluNumber);
    if (typed != TypedEdit::PosCode) m_posCodeText = plu->Get(PluCol::PosCode);
    if (!m_nameSearch) m_searchComboText = DbcsLeft(plu->Get(PluCol::Name), kSearchComboBytes, m_settings.chars);
    m_activeCommand = {true, plu->TestCtrlFlag(kInactiveFlag) ? kMsgMakeActive : kMsgMakeInactive};
}

void PluListPanelForm::FillDeptGroupCombos()
{
    if (!m_shown.deptGroup) return;
    m_deptChoices = m_departments.FillDeptCombo(m_settings.deptCodeDisplay, true, m_deptFilter);
    m_groupChoices = m_departments.FillGroupCombo(m_settings.deptCodeDisplay, true, m_deptFilter, m_groupFilter);
}

std::optional<std::uint32_t> PluListPanelForm::GetSelectedPluNumber() const
{
    if (!m_current) return std::nullopt;
    const BuildLock lock = LockTable();
    std::uint32_t pluNumber = 0;
    if (!RecordOfRow(*m_current, pluNumber)) return std::nullopt;
    return pluNumber;
}

void PluListPanelForm::SelectPlu(std::uint32_t pluNumber)
{
    if (!m_plus) return;
    const BuildLock lock = LockTable();
    const std::optional<std::size_t> row = FindRowOfKey(pluNumber);
    if (!row) return;
    m_current = row;
    ShowCurrent(TypedEdit::None);
    EnsureVisible();
}

std::optional<std::size_t> PluListPanelForm::FindPlu(std::string_view text) const
{
    if (m_rows.empty()) return std::nullopt;
    const auto keyOf = [this](std::size_t position) {
        std::uint32_t pluNumber = 0;
        return m_plus->GetRecordAt(position, pluNumber) ? std::optional<std::uint32_t>(pluNumber) : std::nullopt;
    };
    const auto rowOf = [this](std::vector<std::size_t>::const_iterator found) {
        return std::min(static_cast<std::size_t>(found - m_rows.begin()), m_rows.size() - 1);
    };
    if (m_order == kPosCodeOrder) {
        const std::string_view wanted = TrimPosCode(text);
        return rowOf(std::partition_point(m_rows.begin(), m_rows.end(), [&](std::size_t position) {
            std::uint32_t pluNumber = 0;
            const auto* row = dynamic_cast<const CPluDefRec*>(m_plus->GetRecordAt(position, pluNumber));
            return row && PosCodeBefore(TrimPosCode(row->Get(PluCol::PosCode)), wanted);
        }));
    }
    const long number = GetEditNumber(text);
    if (m_order == kNameOrder) {
        const auto found = std::find_if(m_rows.begin(), m_rows.end(), [&](std::size_t position) {
            return number >= 0 && keyOf(position) == static_cast<std::uint32_t>(number);
        });
        if (found == m_rows.end()) return std::nullopt;
        return static_cast<std::size_t>(found - m_rows.begin());
    }
    // An unreadable number counts as above the highest PLU number.
    if (number == -1 || number > static_cast<long>(m_settings.maxPluNo)) return std::nullopt;
    return rowOf(std::partition_point(m_rows.begin(), m_rows.end(), [&](std::size_t position) {
        const std::optional<std::uint32_t> pluNumber = keyOf(position);
        return pluNumber && static_cast<long>(*pluNumber) < number;
    }));
}

void PluListPanelForm::EnterTypedSearch(OrderMode order)
{
    const int wanted = m_order == kNameOrder ? kNameOrder : order;
    if (!m_nameSearch && m_order == wanted) return;
    m_nameSearch = false;
    m_order = wanted;
    RefreshLocked();
}

void PluListPanelForm::OnPluNoChange(std::string_view text) { OnTypedSearch(TypedEdit::PluNo, text); }

void PluListPanelForm::OnPosCodeChange(std::string_view text) { OnTypedSearch(TypedEdit::PosCode, text); }

void PluListPanelForm::OnTypedSearch(TypedEdit typed, std::string_view text)
{
    const BuildLock lock = LockTable();
    EnterTypedSearch(typed == TypedEdit::PluNo ? kRecordOrder : kPosCodeOrder);
    // A rebuild shows the current PLU in the edits; the text being typed stays as typed.
    std::string& edit = typed == TypedEdit::PluNo ? m_pluNoText : m_posCodeText;
    edit = text;
    const std::optional<std::size_t> row = FindPlu(edit);
    if (!row) return;
    m_current = row;
    ShowCurrent(typed);
    Centre();
}

void PluListPanelForm::SetSearchText(std::string_view text)
{
    m_searchText = UpperCaseText(text, m_settings.chars);
    m_searchComboText = text;
    m_nameSearch = true;
    Refresh();
}

void PluListPanelForm::OnSearchSelect(std::size_t index)
{
    if (index >= m_history.size() || m_history[index].empty()) return;
    const std::string entry = m_history[index];
    SetSearchText(entry);
}

void PluListPanelForm::AddSearchHistory()
{
    if (!m_nameSearch || m_searchText.empty()) return;
    if (std::find(m_history.begin(), m_history.end(), m_searchText) == m_history.end())
        m_history.push_front(m_searchText);
    const auto most = static_cast<std::size_t>(std::max(m_geometry.visibleRows, 0));
    while (m_history.size() > most) m_history.pop_back();
}

void PluListPanelForm::OnDeptChange(std::optional<std::size_t> selection)
{
    std::uint16_t department = kAny;
    if (!m_departments.GetSelectedDept(selection, true, department) || department == m_deptFilter) return;
    m_deptFilter = department;
    m_groupFilter = kAny;
    Refresh();
}

void PluListPanelForm::OnGroupChange(std::optional<std::size_t> selection)
{
    std::uint16_t group = kAny;
    if (m_deptFilter == kAny || !m_departments.GetSelectedGroup(selection, true, m_deptFilter, group)) return;
    m_groupFilter = group;
    Refresh();
}

void PluListPanelForm::OnSortChange(std::size_t selection)
{
    m_order = selection == 0 ? kRecordOrder : kNameOrder;
    m_pluNoEditEnabled = m_order == kRecordOrder;
    Refresh();
}

}  // namespace varnel
