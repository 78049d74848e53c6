// The model of the "Edit Free Message Names" dialog: the five free-message sets' names, each at most
// as long as the default family shows; OK stores the changed ones and sends every set to the scales.
#pragma once

#include "scaledata/FreeMsgNameTb.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace varnel {

class CEditFreeMsgNamesForm {
public:
    static constexpr std::size_t kSets = 5;
    static constexpr MessageId kMsgUserEdit = 20506;  // " Op: <User edit>"

    // Each edit starts with its set's stored name when the row opens with ESC 'C', else empty.
    explicit CEditFreeMsgNamesForm(CFreeMsgNameTb& table);

    // The longest name the edits take: the default family's.
    std::size_t GetMaxLength() const { return m_maxLength; }
    // Sets 1 to 5.
    const std::string& GetName(std::size_t set) const { return m_names.at(set - 1); }
    // Cut to the longest name.
    void SetName(std::size_t set, std::string_view name);

    // Each set's row, taken or made: a name that differs from the stored one is written as ESC 'C' '0'
    // and the name, and logged; every set is queued for sending. False when a row cannot be stored.
    bool OnOK();

private:
    CFreeMsgNameTb& m_table;
    std::size_t m_maxLength;
    std::array<std::string, kSets> m_names;
};

}  // namespace varnel
