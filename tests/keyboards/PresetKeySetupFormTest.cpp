#include "keyboards/PresetKeySetupForm.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

using Layout = PresetKeySetupForm::Layout;

TEST(PresetKeySetupForm, TheEightKeysOfEveryTypeMayNotShareACodeOtherThanZero)
{
    struct Case {
        const char* name;
        std::vector<std::pair<std::size_t, std::uint8_t>> codes;  // meaning, code
        MessageId refusal;
    };
    const Case cases[] = {
        {"all unused", {}, 0},
        {"each its own", {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 88}}, 0},
        {"PLU and Operator alike", {{1, 9}, {8, 9}}, 61278},
        {"Tare and Logo alike", {{2, 40}, {6, 40}}, 61278},
        {"Price is not among the eight", {{1, 9}, {9, 9}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKeyTypeDef::Codes codes{};
        for (auto [meaning, code] : c.codes) codes[meaning] = code;
        EXPECT_EQ(PresetKeySetupForm(codes, Layout::Long).Check(), c.refusal);
    }
}

TEST(PresetKeySetupForm, RowsEditTheirMeaningsAndTheOtherCodesStay)
{
    CKeyTypeDef::Codes codes{};
    for (std::size_t meaning = 0; meaning < codes.size(); ++meaning) codes[meaning] = static_cast<std::uint8_t>(meaning);
    PresetKeySetupForm shortForm(codes, Layout::Short);
    ASSERT_EQ(shortForm.GetRows().size(), 8u);
    EXPECT_STREQ(shortForm.GetRows()[7].caption, "Operator");
    EXPECT_EQ(shortForm.GetCode(7), 8);
    shortForm.SetCode(0, 30);
    CKeyTypeDef::Codes expected = codes;
    expected[1] = 30;
    EXPECT_EQ(shortForm.GetCodes(), expected);  // Price (9) and beyond as they were

    PresetKeySetupForm longForm(codes, Layout::Long);
    ASSERT_EQ(longForm.GetRows().size(), 12u);
    EXPECT_STREQ(longForm.GetRows()[11].caption, "Save");
    longForm.SetCode(11, 0);
    EXPECT_EQ(longForm.GetCodes()[12], 0);
    EXPECT_EQ(longForm.GetCodes()[13], 13);
}

}  // namespace
}  // namespace varnel
