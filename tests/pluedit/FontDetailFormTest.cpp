// The detailed font settings: the font row, the effect boxes the first allowed font opens, and the
// format OK applies.
#include "LabelTextFixture.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

std::vector<AllowedFont> Fonts(bool effectsAllowed)
{
    return {{test::MakeTestFont({'1', 10, 20, false, false, 0, effectsAllowed}), 1},
            {test::MakeTestFont({'3', 10, 20}), 3}};
}

TEST(FontDetailForm, TheRowIsTheAllowedFontsPlaceAndOkGivesItsPositionInTheList)
{
    LabelTextFormat format;
    format.font = 3;
    format.effects[Underline] = true;
    format.extraEffects[Shadow] = true;
    FontDetailForm form(format, Fonts(true));
    EXPECT_EQ(form.GetFontNames(), (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(form.GetFontRow(), 1u);
    EXPECT_TRUE(form.IsChecked(Underline));
    EXPECT_TRUE(form.IsChecked(std::size_t{kLabelEffects} + Shadow));
    EXPECT_EQ(form.GetFormat(), format);
    form.SelectFontRow(0);
    form.SelectFontRow(5);  // no such row
    EXPECT_EQ(form.GetFormat().font, 1u);

    format.font = 2;  // a font the editor does not offer selects no row and is kept
    FontDetailForm other(format, Fonts(true));
    EXPECT_FALSE(other.GetFontRow());
    EXPECT_EQ(other.GetFormat().font, 2u);
}

TEST(FontDetailForm, EffectBoxesFollowTheFirstAllowedFontAndShadowAndOutlineAreAlwaysOpen)
{
    const FontDetailForm closed(LabelTextFormat{}, Fonts(false));
    const FontDetailForm open(LabelTextFormat{}, Fonts(true));
    const FontDetailForm none(LabelTextFormat{}, {});
    for (std::size_t check = 0; check < FontDetailForm::kChecks; ++check) {
        const bool extra = check >= kLabelEffects;
        EXPECT_EQ(closed.IsCheckEnabled(check), extra) << check;
        EXPECT_TRUE(open.IsCheckEnabled(check)) << check;
        EXPECT_EQ(none.IsCheckEnabled(check), extra) << check;
    }
}

}  // namespace
}  // namespace varnel
