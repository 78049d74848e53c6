#include "comms/idenq/DataRangeFilterForm.h"

#include "db/plu/DBComTb.h"
#include "db/store/ObjDatabase.h"
#include "platform/NumberEntry.h"

#include <algorithm>
#include <utility>

namespace varnel {
namespace {

constexpr std::uint16_t kHighestType = 91;
constexpr std::uint32_t kHighestDeptGroupCode = 99999999;

const CDBComTb* ScaleTable(const CObjDatabase* database, std::uint16_t number)
{
    return database ? dynamic_cast<const CDBComTb*>(database->GetTable(number)) : nullptr;
}

}  // namespace

DataRangeFilterForm::DataRangeFilterForm(const CObjDatabase* database, const CLinkFilter& filter, bool isNew)
    : m_database(database), m_filter(filter)
{
    for (std::uint16_t number = 0; number <= kHighestType; ++number) {
        std::string caption;
        if (ScaleTable(database, number)) caption = GetMessageText(CDBComTb::kCaptionBase + number);
        if (number == CLinkFilter::kDeptGroupKind && caption.empty()) caption = GetMessageText(kMsgDeptGroupCode);
        if (!caption.empty()) m_types.push_back({number, std::move(caption)});
    }
    if (isNew) {
        m_filter.m_from = 0;
        m_filter.m_to = 0;
        return;
    }
    const auto found = std::ranges::find_if(m_types, [&](const DataType& type) { return type.number == filter.m_kind; });
    if (found != m_types.end()) SelectType(static_cast<std::size_t>(found - m_types.begin()));
}

void DataRangeFilterForm::SelectType(std::size_t index)
{
    if (index >= m_types.size()) return;
    m_typeIndex = index;
    m_filter.m_kind = m_types[index].number;
    TakeRange(m_types[index].number);
}

void DataRangeFilterForm::TakeRange(std::uint16_t type)
{
    if (type == CLinkFilter::kDeptGroupKind) {
        m_lowest = 0;
        m_highest = kHighestDeptGroupCode;
    } else if (const CDBComTb* table = ScaleTable(m_database, type)) {
        m_lowest = table->GetMinKey();
        m_highest = table->GetMaxKey();
    }
}

bool DataRangeFilterForm::ShowsDeptGroupNote() const { return m_filter.m_kind == CLinkFilter::kDeptGroupKind && m_typeIndex; }

bool DataRangeFilterForm::SetFrom(std::string_view text)
{
    const std::optional<std::uint32_t> number = ReadNumberInRange(text, m_lowest, m_highest);
    if (number) m_filter.m_from = *number;
    return number.has_value();
}

bool DataRangeFilterForm::SetTo(std::string_view text)
{
    const std::optional<std::uint32_t> number = ReadNumberInRange(text, m_lowest, m_highest);
    if (number) m_filter.m_to = *number;
    return number.has_value();
}

const CLinkFilter& DataRangeFilterForm::Apply()
{
    if (m_filter.m_from > m_filter.m_to) std::swap(m_filter.m_from, m_filter.m_to);
    return m_filter;
}

}  // namespace varnel
