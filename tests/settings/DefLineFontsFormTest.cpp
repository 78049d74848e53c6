#include "settings/DefLineFontsForm.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

using FontSet = DefLineFontsForm::FontSet;

std::array<FontSet, DefLineFontsForm::kSets> Sets()
{
    std::array<FontSet, DefLineFontsForm::kSets> sets;
    for (std::size_t set = 0; set < sets.size(); ++set)
        sets[set] = {std::vector<std::uint16_t>(10, static_cast<std::uint16_t>(set)), set == 1};
    return sets;
}

TEST(DefLineFontsForm, OptionalTabsTakeTheNextPositions)
{
    const std::pair<std::array<bool, 3>, std::vector<std::size_t>> cases[] = {
        {{false, false, false}, {0, 1}},
        {{false, true, true}, {0, 1, 3, 4}},
        {{true, true, true}, {0, 1, 2, 3, 4}},
    };
    for (const auto& [optional, tabs] : cases) EXPECT_EQ(DefLineFontsForm(Sets(), optional).GetTabSets(), tabs);
    DefLineFontsForm form(Sets(), {false, false, true});
    form.ShowTab(2);
    EXPECT_EQ(form.GetCurrentSet(), 4u);
}

TEST(DefLineFontsForm, WithoutDefaultLineFontsOnlyTheFirstLineIsEnabledForAllLines)
{
    DefLineFontsForm form(Sets(), {false, false, false});
    EXPECT_STREQ(form.GetFirstLineLabel(), "All Lines:");
    EXPECT_TRUE(form.IsLineEnabled(0));
    EXPECT_FALSE(form.IsLineEnabled(1));
    form.ToggleUseDefaultLineFonts();
    EXPECT_STREQ(form.GetFirstLineLabel(), "Line 1:");
    EXPECT_TRUE(form.IsLineEnabled(9));
}

TEST(DefLineFontsForm, ASetOfThreeEntriesExchangesLinesOneToThreeOnly)
{
    auto sets = Sets();
    sets[0].entries = {2, 3, 4};
    DefLineFontsForm form(sets, {false, false, false});
    EXPECT_EQ(form.GetExchangedLines(), 3u);
    CDefLineFont fonts;
    fonts.m_positions[0].fill(9);
    StoreLineFontSets(form.GetSets(), fonts);
    EXPECT_EQ(fonts.m_positions[0], (CDefLineFont::LinePositions{2, 3, 4, 9, 9, 9, 9, 9, 9, 9}));
    EXPECT_EQ(fonts.m_perLine[1], 1);
    EXPECT_EQ(ReadLineFontSets(fonts)[1].entries, std::vector<std::uint16_t>(10, 1));
}

}  // namespace
}  // namespace varnel
