// Editing a PLU range profile ("Edit PLU Range Profile", with "Set PLU Range" for one range): the
// ranges being edited, the rows the list shows and the selected row. The dialog shows Rows() and
// passes each action on; the caller stores GetRanges() after OK.
#pragma once

#include "db/site/TextRules.h"
#include "settings/PluRange.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

// "From To Comment" with the numbers as wide as "Max. PLU No." has digits (4 to 8), the comment cut to 30 bytes.
std::string PluRangeRowText(const CPluRange& range, std::uint32_t maxPluNo, const CharRule& chars);

// "Set PLU Range": a From above To shows 61231 "Invalid value entered." and the dialog stays open.
bool ValidatePluRange(std::uint32_t from, std::uint32_t to);

// How many digits a PLU number entry takes: those of the PLU table's largest key, 1 to 8.
std::size_t PluNumberEntryDigits(std::uint32_t maxKey);

class PluRangeProfileForm {
public:
    // Works on its own copy of the ranges, merged as the list shows them.
    // The comments are cut under the site's character rule.
    PluRangeProfileForm(CPluRangeList ranges, std::uint32_t maxPluNo, const CharRule& chars);

    std::vector<std::string> GetRows() const;
    // A range as the list shows it.
    std::string RowText(const CPluRange& range) const { return PluRangeRowText(range, m_maxPluNo, m_chars); }
    const CPluRangeList& GetRanges() const { return m_ranges; }
    std::optional<std::size_t> GetSelection() const { return m_selection; }
    void Select(std::size_t row);

    // A new range in its place; an overlap widens the range it meets (61291 tells the user). The row
    // of the range selected afterwards.
    void Add(std::uint32_t from, std::uint32_t to, std::string comment);
    // The selected range replaced by these values, added as a new one.
    void EditSelected(std::uint32_t from, std::uint32_t to, std::string comment);
    // The selected range removed; the row at its place (or the last row) selected.
    void DeleteSelected();

private:
    CPluRangeList m_ranges;
    std::uint32_t m_maxPluNo;
    CharRule m_chars;
    std::optional<std::size_t> m_selection;
};

}  // namespace varnel
