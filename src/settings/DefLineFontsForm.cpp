// The default line fonts dialog's model.
#include "settings/DefLineFontsForm.h"

#include <algorithm>

namespace varnel {

DefLineFontsForm::DefLineFontsForm(std::array<FontSet, kSets> sets, std::array<bool, 3> optionalTabs)
    : m_sets(std::move(sets)), m_tabSets{CDefLineFont::PluDescription, CDefLineFont::ExtraMessage}
{
    for (std::size_t i = 0; i < optionalTabs.size(); ++i)
        if (optionalTabs[i]) m_tabSets.push_back(CDefLineFont::ExtraMessage2 + i);
}

const char* DefLineFontsForm::GetSetTitle(std::size_t set)
{
    static constexpr const char* kTitles[] = {"PLUs", "Extra Msg #1", "Extra Msg #2", "Extra Msg #3", "Coupons"};
    return kTitles[set];
}

bool DefLineFontsForm::IsLineEnabled(std::size_t line) const
{
    return line == 0 || m_sets[m_current].useDefaultLineFonts;
}

const char* DefLineFontsForm::GetFirstLineLabel() const
{
    return m_sets[m_current].useDefaultLineFonts ? "Line 1:" : "All Lines:";
}

std::size_t DefLineFontsForm::GetExchangedLines() const
{
    return std::min(m_sets[m_current].entries.size(), kLines);
}

void DefLineFontsForm::ToggleUseDefaultLineFonts()
{
    m_sets[m_current].useDefaultLineFonts = !m_sets[m_current].useDefaultLineFonts;
}

std::array<DefLineFontsForm::FontSet, DefLineFontsForm::kSets> ReadLineFontSets(const CDefLineFont& fonts)
{
    std::array<DefLineFontsForm::FontSet, DefLineFontsForm::kSets> sets;
    for (std::size_t set = 0; set < sets.size(); ++set) {
        sets[set].entries.assign(fonts.m_positions[set].begin(), fonts.m_positions[set].end());
        sets[set].useDefaultLineFonts = fonts.m_perLine[set] != 0;
    }
    return sets;
}

void StoreLineFontSets(const std::array<DefLineFontsForm::FontSet, DefLineFontsForm::kSets>& sets,
                       CDefLineFont& fonts)
{
    for (std::size_t set = 0; set < sets.size(); ++set) {
        const std::size_t lines = std::min(sets[set].entries.size(), CDefLineFont::kLines);
        for (std::size_t line = 0; line < lines; ++line)
            fonts.m_positions[set][line] = static_cast<std::uint8_t>(sets[set].entries[line]);
        fonts.m_perLine[set] = sets[set].useDefaultLineFonts ? 1 : 0;
    }
}

}  // namespace varnel
