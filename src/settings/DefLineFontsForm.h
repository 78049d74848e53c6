// "Default Line Fonts": for each of the five texts (PLUs, extra messages 1 to 3, coupons) the font of
// each description line, or one font for all lines while the set's "Use Default Line Fonts" is clear.
// The tabs "PLUs" and "Extra Msg #1" always show; the other three only when the caller asks.
#pragma once

#include "db/text/DefLineFont.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnel {

class DefLineFontsForm {
public:
    static constexpr std::size_t kSets = CDefLineFont::kTextKinds;
    static constexpr std::size_t kLines = CDefLineFont::kLines;
    struct FontSet {
        std::vector<std::uint16_t> entries;  // a font position per line, at most 10 lines
        bool useDefaultLineFonts = false;
    };

    // `optionalTabs`: "Extra Msg #2", "Extra Msg #3" and "Coupons".
    DefLineFontsForm(std::array<FontSet, kSets> sets, std::array<bool, 3> optionalTabs);

    // The set each tab shows, in tab order, and its title.
    const std::vector<std::size_t>& GetTabSets() const { return m_tabSets; }
    static const char* GetSetTitle(std::size_t set);
    std::size_t GetCurrentSet() const { return m_current; }
    void ShowTab(std::size_t tab) { m_current = m_tabSets.at(tab); }

    const FontSet& GetSet(std::size_t set) const { return m_sets.at(set); }
    FontSet& CurrentSet() { return m_sets[m_current]; }
    const std::array<FontSet, kSets>& GetSets() const { return m_sets; }
    // Lines 2 to 10 are enabled only while the set uses default line fonts.
    bool IsLineEnabled(std::size_t line) const;
    // "Line 1:" while the set uses default line fonts, "All Lines:" otherwise.
    const char* GetFirstLineLabel() const;
    // The lines the dialog exchanges with the current set.
    std::size_t GetExchangedLines() const;
    void ToggleUseDefaultLineFonts();

private:
    std::array<FontSet, kSets> m_sets;
    std::vector<std::size_t> m_tabSets;
    std::size_t m_current = 0;
};

std::array<DefLineFontsForm::FontSet, DefLineFontsForm::kSets> ReadLineFontSets(const CDefLineFont& fonts);
// Writes the sets back line by line.
void StoreLineFontSets(const std::array<DefLineFontsForm::FontSet, DefLineFontsForm::kSets>& sets,
                       CDefLineFont& fonts);

}  // namespace varnel
