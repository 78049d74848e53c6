// The pickers' lists of field values, font types, label widths and description lengths.
#include "db/plu/FieldChoices.h"

#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

TEST(FieldChoicesTest, ValuesAreListedInNumberOrderWithTheirTextsCut)
{
    CLabProp definition;
    definition.m_values[1] = std::make_unique<CPropValue>("Twenty-one characters", 9);  // keyed apart from its number
    definition.AddValue(std::make_unique<CPropValue>("kg", 2));
    const FieldChoices choices = PropValueChoices(definition, 9);
    EXPECT_EQ(choices.items, (std::vector<std::string>{"kg", "Twenty-one character"}));
    EXPECT_EQ(choices.selected, 1u);
    EXPECT_EQ(PropValueChoices(definition, 3).selected, std::nullopt);
    EXPECT_EQ(GetSelectedPropValue(definition, 0)->m_number, 2);
    EXPECT_EQ(GetSelectedPropValue(definition, 2), nullptr);
    EXPECT_EQ(GetSelectedPropValue(definition, std::nullopt), nullptr);
}

TEST(FieldChoicesTest, FontTypesByMarket)
{
    TestMainFrame frame;
    struct Case {
        Market market;
        std::uint8_t current;
        std::size_t count;
        std::size_t selected;
    };
    const Case cases[] = {{MarketThailand, 6, 4, 2}, {MarketThailand, 3, 4, 0}, {MarketTaiwan, 3, 4, 3},
                          {MarketHongKong, 3, 3, 0}, {MarketHongKong, 2, 3, 2}};
    for (const Case& c : cases) {
        frame.m_setup.m_market = c.market;
        const FieldChoices choices = FontTypeChoices(c.current);
        EXPECT_EQ(choices.items.size(), c.count) << c.market;
        EXPECT_EQ(choices.selected, c.selected) << c.market << " " << int{c.current};
    }
    frame.m_setup.m_market = MarketUsa;
    EXPECT_TRUE(FontTypeChoices(1).items.empty());
}

TEST(FieldChoicesTest, LabelWidthsAndDescriptionLengthsAreTheDistinctOnesInRange)
{
    TestMainFrame frame;
    frame.m_setup.m_labelWidths = {60, 9, 80, 60, 501, 500};
    frame.m_setup.m_descLengths = {100, 0, 4, 999, 100, 1000};
    const FieldChoices widths = LabelWidthChoices(70);
    EXPECT_EQ(widths.text, "70");
    EXPECT_EQ(widths.items, (std::vector<std::string>{"60", "80", "500"}));
    const FieldChoices lengths = DescLengthChoices(3);
    EXPECT_EQ(lengths.text, "100");
    EXPECT_EQ(lengths.items, (std::vector<std::string>{"100", "999"}));
}

}  // namespace
}  // namespace varnel::test
