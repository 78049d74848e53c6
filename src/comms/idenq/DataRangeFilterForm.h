// "Data Range Filter" (dialog 217) without its window: one filter of a scale, a data type and a range
// of record numbers. The types are the database's tables that go to scales, by caption, and 16 for
// PLUs by department and group code ("Dept. and Group Code", numbers 0 to 99999999 as 3-digit codes).
// From and To are checked against the type's lowest and highest record numbers (1 to 999999 before a
// type is chosen); OK swaps them when From is the greater.
#pragma once

#include "comms/idenq/LinkFilter.h"
#include "platform/Messages.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CObjDatabase;

class DataRangeFilterForm {
public:
    static constexpr MessageId kMsgDeptGroupCode = 17547;
    static constexpr const char* kDeptGroupNote =
        "* Specify dept. and group as a 3-digit code.\n e.g. 200 = Dept 2, Group 00";

    struct DataType {
        std::uint16_t number = 0;
        std::string caption;
    };

    // A filter to edit: the types of `database` (null: the department-and-group type only).
    DataRangeFilterForm(const CObjDatabase* database, const CLinkFilter& filter, bool isNew);

    const std::vector<DataType>& GetTypes() const { return m_types; }
    // The row of the chosen type; none for a new filter.
    std::optional<std::size_t> GetTypeIndex() const { return m_typeIndex; }
    void SelectType(std::size_t index);
    bool ShowsDeptGroupNote() const;
    std::uint32_t GetLowest() const { return m_lowest; }
    std::uint32_t GetHighest() const { return m_highest; }

    // The edits' texts, read on OK: false, after the range message, when one is not a number of the range.
    bool SetFrom(std::string_view text);
    bool SetTo(std::string_view text);
    std::uint32_t GetFrom() const { return m_filter.m_from; }
    std::uint32_t GetTo() const { return m_filter.m_to; }

    // OK needs a type: a filter of none would be taken for a PLU filter that lets nothing through.
    bool CanApply() const { return m_typeIndex.has_value(); }
    // OK: the filter as stored (From and To in order).
    const CLinkFilter& Apply();
    const CLinkFilter& GetFilter() const { return m_filter; }

private:
    void TakeRange(std::uint16_t type);

    const CObjDatabase* m_database;
    std::vector<DataType> m_types;
    std::optional<std::size_t> m_typeIndex;
    CLinkFilter m_filter;
    std::uint32_t m_lowest = 1;
    std::uint32_t m_highest = 999999;
};

}  // namespace varnel
