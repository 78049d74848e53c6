#include "settings/PluRange.h"

#include "platform/ArchiveCollections.h"
#include "platform/ArchiveExchange.h"

#include <algorithm>

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CPluRange, 1)

void CPluRange::Serialize(CArchive& ar) { Exchange(ar, m_from, m_to, m_comment); }

CPluRangeList& CPluRangeList::operator=(const CPluRangeList& other)
{
    if (this == &other) return *this;
    m_ranges.clear();
    for (const auto& range : other.m_ranges) Append(*range);
    return *this;
}

bool CPluRangeList::operator==(const CPluRangeList& other) const
{
    return std::ranges::equal(m_ranges, other.m_ranges, [](const auto& a, const auto& b) { return *a == *b; });
}

void CPluRangeList::Serialize(CArchive& ar)
{
    SerializeObjectList(ar, m_ranges);
    if (ar.IsLoading()) std::erase(m_ranges, nullptr);
}

CPluRangeList::Added CPluRangeList::AddRange(std::uint32_t from, std::uint32_t to, std::string comment)
{
    for (std::size_t i = 0; i < m_ranges.size(); ++i) {
        CPluRange& range = *m_ranges[i];
        if (range.m_from <= from && from <= range.m_to) {
            range.m_to = std::max(range.m_to, to);
            return {i, true};
        }
        if (range.m_from <= to && to <= range.m_to) {
            range.m_from = from;
            return {i, true};
        }
        if (range.m_from > from) {
            m_ranges.insert(m_ranges.begin() + static_cast<std::ptrdiff_t>(i),
                            std::make_unique<CPluRange>(from, to, std::move(comment)));
            return {i, false};
        }
    }
    m_ranges.push_back(std::make_unique<CPluRange>(from, to, std::move(comment)));
    return {m_ranges.size() - 1, false};
}

void CPluRangeList::Merge()
{
    for (std::size_t i = 1; i < m_ranges.size();) {
        CPluRange& previous = *m_ranges[i - 1];
        if (m_ranges[i]->m_from <= previous.m_to) {
            previous.m_to = std::max(previous.m_to, m_ranges[i]->m_to);
            RemoveAt(i);
        } else {
            ++i;
        }
    }
}

bool CPluRangeList::Excludes(std::uint32_t pluNumber) const
{
    for (const auto& range : m_ranges) {
        if (range->m_from > pluNumber) break;
        if (pluNumber <= range->m_to) return true;
    }
    return false;
}

std::uint32_t CPluRangeList::NextNotExcluded(std::uint32_t pluNumber) const
{
    std::uint32_t number = pluNumber;
    for (const auto& range : m_ranges) {
        if (range->m_from > number) break;
        if (number <= range->m_to) {
            if (range->m_to == UINT32_MAX) return 0;
            number = range->m_to + 1;
        }
    }
    return number;
}

}  // namespace varnel
