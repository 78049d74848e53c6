#include "settings/ui/DisplayFont.h"

#include "support/ui/GuiTest.h"

#include <cstring>

namespace varnel {
namespace {

class DisplayFontTest : public test::GuiTest {};

TEST_F(DisplayFontTest, TheMappedFieldsGoBothWaysAndTheOtherBytesStay)
{
    LogicalFont stored{};
    stored[0] = 0xF3;  // height -13
    stored[1] = stored[2] = stored[3] = 0xFF;
    stored[16] = 0xBC;  // weight 700
    stored[17] = 0x02;
    stored[20] = 1;     // italic
    stored[23] = 0xEE;  // character set: kept
    std::memcpy(stored.data() + 28, "Courier New", 11);
    const QFont font = ToQFont(stored);
    EXPECT_EQ(font.family(), "Courier New");
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_FALSE(font.underline());
    EXPECT_EQ(FromQFont(font, stored), stored);

    QFont other("Sans Serif");
    other.setPixelSize(20);
    other.setUnderline(true);
    const LogicalFont changed = FromQFont(other, stored);
    EXPECT_EQ(changed[0], 0xEC);  // -20
    EXPECT_EQ(changed[21], 1);
    EXPECT_EQ(changed[20], 0);
    EXPECT_EQ(changed[23], 0xEE);
    EXPECT_STREQ(reinterpret_cast<const char*>(changed.data() + 28), "Sans Serif");
}

}  // namespace
}  // namespace varnel
