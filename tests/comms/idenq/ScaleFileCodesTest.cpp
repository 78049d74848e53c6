#include "comms/idenq/ScaleFileCodes.h"

#include "support/TestScales.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

namespace varnel {
namespace {

using namespace std::string_literals;

// A text code with its 0 byte and a binary code as they are, or none.
std::optional<std::string> CodeOf(std::uint16_t kind, const CLinkScaleSettings& scale, const CGeneralSetup& setup,
                                  std::uint32_t highestKey = 0)
{
    std::array<std::uint8_t, 32> out;
    out.fill(0xEE);
    std::size_t length = 999;
    if (!GetScaleFileCode(kind, scale, setup, highestKey, out, length)) {
        EXPECT_EQ(length, 999u);
        EXPECT_FALSE(HasScaleFileCode(kind, scale, setup));
        return std::nullopt;
    }
    EXPECT_TRUE(HasScaleFileCode(kind, scale, setup));
    // One byte past the code shows whether it was terminated.
    return std::string(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(length + 1));
}

std::string Text(std::string_view code) { return std::string(code) + '\0'; }
// A binary code and the untouched byte after it.
std::string Binary(std::string_view code) { return std::string(code) + '\xEE'; }

const std::string kZeroWord = Binary("\0\0\0\0"s);

TEST(GetScaleFileCode, GivesEachFamilyAndMarketItsCode)
{
    struct Case {
        std::uint16_t kind;
        std::uint16_t family;
        std::uint16_t market;
        std::optional<std::string> code;
        std::uint8_t nutrition = 0;
        bool message28 = false;
        std::uint32_t highestKey = 0;
    } const cases[] = {
        // PLU
        {0, 0, MarketUsa, Text("50000000")},
        {0, 4, MarketNewZealand, Text("500200000000")},
        {0, 5, MarketThailand, Text("500200000000")},
        {0, 2, MarketUsa, Text("440000000000")},
        {0, 1, MarketUsa, std::nullopt},
        {0, 3, MarketUsa, std::nullopt},
        {0, 7, MarketUsa, std::nullopt},
        {0, 6, MarketUsa, Binary("\0\0\0\0\0\0\0\0"s), 0, true},
        {0, 8, MarketUsa, kZeroWord},
        {0, 9, MarketUsa, Text("0,")},
        {0, 12, MarketTaiwan, Text("0,")},
        // Store, extra messages and coupons
        {1, 6, MarketUsa, kZeroWord},
        {1, 0, MarketUsa, std::nullopt},
        {1, 10, MarketUsa, std::nullopt},
        {2, 0, MarketUsa, Text("5100"), 0, false, 99},
        {2, 4, MarketNewZealand, Text("51020000"), 0, false, 100},
        {2, 5, MarketUsa, Text("510000"), 0, false, 9999},
        {2, 0, MarketUsa, Text("51000000"), 0, false, 10000},
        {2, 8, MarketUsa, kZeroWord},
        {2, 11, MarketUsa, Text("0,")},
        {3, 0, MarketThailand, Text("82020000")},
        {4, 0, MarketThailand, std::nullopt},
        {3, 0, MarketTaiwan, Text("580200")},
        {4, 0, MarketTaiwan, Text("590200")},
        {3, 4, MarketTaiwan, std::nullopt},
        {3, 0, MarketUsa, std::nullopt},
        {4, 6, MarketUsa, kZeroWord},
        {5, 0, MarketUsa, Text("5200")},
        {5, 5, MarketSweden, Text("520200")},
        {5, 10, MarketUsa, Text("0,")},
        // Keyboards, label formats, logos, batch labels
        {6, 8, MarketUsa, kZeroWord},
        {6, 12, MarketUsa, Text("0,")},
        {6, 9, MarketUsa, std::nullopt},
        {6, 0, MarketUsa, std::nullopt},
        {7, 6, MarketUsa, std::nullopt},
        {8, 10, MarketUsa, std::nullopt},
        {9, 9, MarketUsa, std::nullopt},
        {10, 6, MarketUsa, Binary("")},
        {10, 10, MarketUsa, Text("0,")},
        {10, 11, MarketUsa, std::nullopt},
        // Nutrition, advertising messages, operators
        {11, 0, MarketUsa, Text("53000000")},
        {11, 0, MarketNewZealand, std::nullopt},
        {11, 8, MarketUsa, kZeroWord},
        {12, 5, MarketHongKong, Text("54")},
        {12, 8, MarketUsa, Binary("\0"s)},
        {12, 6, MarketUsa, std::nullopt},
        {12, 9, MarketUsa, std::nullopt},
        {12, 11, MarketUsa, Text("0,")},
        {13, 6, MarketUsa, kZeroWord},
        {13, 9, MarketUsa, std::nullopt},
        {13, 12, MarketUsa, Text("0,")},
        // Production
        {14, 0, MarketUsa, Text("400000")},
        {14, 4, MarketThailand, Text("40010000")},
        {14, 1, MarketNewZealand, Text("40000000"), 1},
        {14, 1, MarketNewZealand, Text("910000")},
        {14, 2, MarketThailand, Text("400000")},
        {14, 3, MarketUsa, Text("910000")},
        {14, 7, MarketUsa, std::nullopt},
        {14, 8, MarketUsa, kZeroWord},
        {15, 5, MarketHongKong, Text("45010000")},
        {15, 0, MarketHongKong, std::nullopt},
        {15, 1, MarketAustralia, Text("93000000"), 1},
        {15, 1, MarketUsa, std::nullopt},
        {15, 6, MarketUsa, std::nullopt},
        {16, 5, MarketHongKong, Text("44010000")},
        {16, 1, MarketNewZealand, Text("94000000"), 1},
        {16, 5, MarketUsa, std::nullopt},
        {17, 0, MarketUsa, Text("43")},
        {17, 5, MarketChina, Text("4301")},
        {17, 2, MarketUsa, Text("43")},
        {17, 2, MarketNewZealand, std::nullopt},
        {17, 8, MarketUsa, Binary("\x99\0\0\0"s)},
        {17, 10, MarketUsa, Text("0,")},
        {18, 0, MarketUsa, Text("47")},
        {18, 4, MarketSouthAmerica, Text("4602")},
        {18, 5, MarketSouthAfrica, Text("4602")},
        {18, 0, MarketNewZealand, Text("4602"), 1},
        {18, 0, MarketNewZealand, std::nullopt},
        {18, 1, MarketAustralia, Text("47000000"), 1},
        {18, 1, MarketAustralia, std::nullopt},
        {18, 2, MarketUsa, Text("95")},
        {18, 2, MarketThailand, std::nullopt},
        {18, 6, MarketUsa, kZeroWord},
        {19, 8, MarketUsa, kZeroWord},
        {19, 11, MarketUsa, Text("0,")},
        {19, 0, MarketUsa, std::nullopt},
        // Campaigns and pop messages
        {20, 8, MarketUsa, Binary("\0"s)},
        {20, 6, MarketUsa, std::nullopt},
        {20, 9, MarketUsa, Text("0,")},
        {20, 9, MarketTaiwan, std::nullopt},
        {20, 10, MarketTaiwan, Text("0,")},
        {21, 6, MarketUsa, kZeroWord},
        {21, 8, MarketUsa, std::nullopt},
        {21, 9, MarketUsa, Text("0,")},
        {21, 11, MarketTaiwan, Text("0,")},
        {21, 10, MarketTaiwan, Text("0,")},
        {21, 12, MarketUsa, std::nullopt},
        // The kinds of the comma-separated families only
        {22, 12, MarketUsa, Text("0,")},
        {23, 9, MarketUsa, Text("0,")},
        {34, 10, MarketUsa, Text("0,")},
        {35, 11, MarketUsa, Text("0,")},
        {35, 8, MarketUsa, std::nullopt},
        {24, 9, MarketUsa, Text("0,")},
        {29, 11, MarketUsa, Text("0,")},
        {36, 11, MarketUsa, Text("0,")},
        {24, 10, MarketUsa, std::nullopt},
        {36, 12, MarketUsa, std::nullopt},
        {30, 9, MarketUsa, Text("0,")},
        {33, 9, MarketUsa, Text("0,")},
        {37, 9, MarketUsa, Text("0,")},
        {38, 9, MarketUsa, Text("0,")},
        {41, 9, MarketUsa, Text("0,")},
        {42, 9, MarketUsa, Text("0,")},
        {30, 11, MarketUsa, std::nullopt},
        {42, 10, MarketUsa, std::nullopt},
        {39, 10, MarketUsa, Text("0,")},
        {39, 9, MarketUsa, std::nullopt},
        {40, 11, MarketUsa, Text("0,")},
        {40, 10, MarketUsa, std::nullopt},
        // No kind above 42, no family above 12
        {43, 9, MarketUsa, std::nullopt},
        {100, 0, MarketUsa, std::nullopt},
        {0, 13, MarketUsa, std::nullopt},
        {0, 65534, MarketUsa, std::nullopt},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = c.market;
        frame.m_setup.m_nutritionInUse = c.nutrition;
        EXPECT_EQ(CodeOf(c.kind, test::ScaleOfFamily(c.family, c.message28), frame.m_setup, c.highestKey), c.code)
            << "kind " << c.kind << " family " << c.family << " market " << c.market << " nutrition "
            << int{c.nutrition};
    }
}

TEST(GetScaleFileCode, AScaleOfTheDefaultFamilyAsksAsThatFamily)
{
    test::TestMainFrame frame;
    frame.m_setup.m_defaultScaleFamily = 10;
    EXPECT_EQ(CodeOf(6, test::ScaleOfFamily(CLinkScaleSettings::kDefaultFamily), frame.m_setup), Text("0,"));
    frame.m_setup.m_defaultScaleFamily = 9;
    EXPECT_EQ(CodeOf(6, test::ScaleOfFamily(CLinkScaleSettings::kDefaultFamily), frame.m_setup), std::nullopt);
}

TEST(GetScaleFileCode, RefusesAnOutputTooSmallForTheCodeAndItsTerminator)
{
    test::TestMainFrame frame;
    std::array<std::uint8_t, 9> out;
    std::size_t length = 0;
    EXPECT_FALSE(GetScaleFileCode(0, test::ScaleOfFamily(0), frame.m_setup, 0, std::span(out).first(8), length));
    EXPECT_TRUE(GetScaleFileCode(0, test::ScaleOfFamily(0), frame.m_setup, 0, out, length));
    EXPECT_EQ(length, 8u);
    EXPECT_FALSE(GetScaleFileCode(0, test::ScaleOfFamily(8), frame.m_setup, 0, std::span(out).first(3), length));
    EXPECT_TRUE(GetScaleFileCode(0, test::ScaleOfFamily(8), frame.m_setup, 0, std::span(out).first(4), length));
    EXPECT_EQ(length, 4u);
}

TEST(MapMessageSlot, SendsMappedMessageKindsInTheExtraMessageAndCouponFiles)
{
    struct Case {
        std::array<std::uint8_t, 4> mapping;  // coupons, extra messages 1 to 3
        std::uint16_t kind;
        std::uint16_t family;
        std::uint16_t mapped;
    } const cases[] = {
        {{0, 5, 0, 0}, 24, 10, 2},   {{0, 0, 6, 0}, 25, 0, 3},    {{0, 0, 0, 7}, 26, 6, 4},
        {{8, 0, 0, 0}, 27, 8, 5},    {{0, 9, 0, 0}, 28, 12, 2},   {{0, 10, 0, 0}, 30, 10, 2},
        {{0, 11, 0, 0}, 22, 10, 2},  {{0, 12, 0, 0}, 32, 10, 2},  {{0, 13, 0, 0}, 33, 10, 2},
        // The extra message entries are tried first, in order, then the coupon entry.
        {{5, 0, 5, 5}, 24, 10, 3},   {{5, 0, 0, 0}, 24, 10, 5},
        // Family 9 asks for every kind under its own; unmapped kinds stay.
        {{0, 5, 0, 0}, 24, 9, 24},   {{0, 5, 0, 0}, 25, 10, 25},  {{0, 0, 0, 0}, 24, 10, 24},
        {{0, 5, 0, 0}, 23, 10, 23},  {{0, 5, 0, 0}, 2, 10, 2},    {{0, 9, 0, 0}, 29, 10, 29},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_messageFileMapping = c.mapping;
        EXPECT_EQ(MapMessageSlot(c.kind, c.family, frame.m_setup.m_messageFileMapping), c.mapped)
            << "kind " << c.kind << " family " << c.family;
    }
}

TEST(GetScaleFileCode, AsksForAMappedMessageKindByItsFile)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketThailand;
    frame.m_setup.m_messageFileMapping = {0, 0, 11, 0};  // comments travel as extra message #2
    EXPECT_EQ(CodeOf(22, test::ScaleOfFamily(0), frame.m_setup), Text("82020000"));
    EXPECT_EQ(CodeOf(22, test::ScaleOfFamily(10), frame.m_setup), Text("0,"));
    frame.m_setup.m_messageFileMapping = {0, 5, 0, 0};
    EXPECT_EQ(CodeOf(24, test::ScaleOfFamily(10), frame.m_setup), Text("0,"));
    EXPECT_EQ(CodeOf(24, test::ScaleOfFamily(9), frame.m_setup), Text("0,"));
    EXPECT_EQ(CodeOf(25, test::ScaleOfFamily(10), frame.m_setup), std::nullopt);
}

}  // namespace
}  // namespace varnel
