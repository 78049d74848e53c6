// The pickers' lists of field values, font types, label widths and description lengths.
#include "db/plu/FieldChoices.h"


#include <gtest/gtest.h>

namespace varnel::test {
namespace {

TEST(FieldChoicesTest, ValuesAreListedInNumberOrderWithTheirTextsCut)
{
    CLabProp definition;
    definition.m_values[1] = std::make_unique<CPropValue>("Twenty-one characters", 9);  // keyed apart from its number
    definition.AddValue(std::make_unique<CPropValue>("kg", 2));
    const FieldChoices choices = PropValueChoices(definition, 9, CharRule{});
    EXPECT_EQ(choices.items, (std::vector<std::string>{"kg", "Twenty-one character"}));
    EXPECT_EQ(choices.selected, 1u);
    EXPECT_EQ(PropValueChoices(definition, 3, CharRule{}).selected, std::nullopt);
    EXPECT_EQ(GetSelectedPropValue(definition, 0)->m_number, 2);
    EXPECT_EQ(GetSelectedPropValue(definition, 2), nullptr);
    EXPECT_EQ(GetSelectedPropValue(definition, std::nullopt), nullptr);
}

TEST(FieldChoicesTest, ValueTextsAreCutByTheCharacterRuleGiven)
{
    // Nineteen letters and a two-byte character: the cut at 20 bytes keeps the character whole where
    // the rule makes its first byte a lead byte, and cuts through it where not.
    CLabProp definition;
    definition.AddValue(std::make_unique<CPropValue>(std::string(19, 'a') + "\xA4\xA4", 1));
    const CharRule doubleByte{CharRule::LeadBytes::From160, CodePage::Western};
    EXPECT_EQ(PropValueChoices(definition, 1, doubleByte).items.at(0), std::string(19, 'a'));
    EXPECT_EQ(PropValueChoices(definition, 1, CharRule{}).items.at(0), std::string(19, 'a') + "\xA4");
}

TEST(FieldChoicesTest, FontTypesByMarket)
{
    CGeneralSetup setup;
    struct Case {
        Market market;
        std::uint8_t current;
        std::size_t count;
        std::size_t selected;
    };
    const Case cases[] = {{MarketThailand, 6, 4, 2}, {MarketThailand, 3, 4, 0}, {MarketTaiwan, 3, 4, 3},
                          {MarketHongKong, 3, 3, 0}, {MarketHongKong, 2, 3, 2}};
    for (const Case& c : cases) {
        setup.m_market = c.market;
        const FieldChoices choices = FontTypeChoices(c.current, setup);
        EXPECT_EQ(choices.items.size(), c.count) << c.market;
        EXPECT_EQ(choices.selected, c.selected) << c.market << " " << int{c.current};
    }
    setup.m_market = MarketUsa;
    EXPECT_TRUE(FontTypeChoices(1, setup).items.empty());
}

TEST(FieldChoicesTest, LabelWidthsAndDescriptionLengthsAreTheDistinctOnesInRange)
{
    CGeneralSetup setup;
    setup.m_labelWidths = {60, 9, 80, 60, 501, 500};
    setup.m_descLengths = {100, 0, 4, 999, 100, 1000};
    const FieldChoices widths = LabelWidthChoices(70, setup);
    EXPECT_EQ(widths.text, "70");
    EXPECT_EQ(widths.items, (std::vector<std::string>{"60", "80", "500"}));
    const FieldChoices lengths = DescLengthChoices(3, setup);
    EXPECT_EQ(lengths.text, "100");
    EXPECT_EQ(lengths.items, (std::vector<std::string>{"100", "999"}));
}

}  // namespace
}  // namespace varnel::test
