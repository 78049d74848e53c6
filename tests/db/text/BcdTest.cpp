#include "db/text/Bcd.h"

#include <gtest/gtest.h>

#include <vector>

namespace varnel {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t kUntouched = 0xEE;

TEST(PackBcd, PlacesDigitsRightAlignedAndTellsWhetherTheValueFitted)
{
    const struct {
        std::uint32_t value;
        std::size_t digits;
        Bytes bytes;
        bool fitted;
    } cases[] = {
        {12345, 4, {0x23, 0x45}, false},
        {12345, 5, {0x01, 0x23, 0x45}, true},
        {0, 3, {0x00, 0x00}, true},
        {7, 1, {0x07}, true},
        {99, 2, {0x99}, true},
        {100, 2, {0x00}, false},
        {4294967295u, 10, {0x42, 0x94, 0x96, 0x72, 0x95}, true},
        {1, 12, {0, 0, 0, 0, 0, 0x01}, true},
    };
    for (const auto& c : cases) {
        Bytes out(c.bytes.size() + 1, kUntouched);
        EXPECT_EQ(PackBcd(out, c.value, c.digits), c.fitted) << c.value << "/" << c.digits;
        EXPECT_EQ(Bytes(out.begin(), out.end() - 1), c.bytes) << c.value << "/" << c.digits;
        EXPECT_EQ(out.back(), kUntouched);
    }
}

TEST(PackBcd, RefusesNoDigitsAndAFieldTooSmall)
{
    Bytes out(2, kUntouched);
    EXPECT_FALSE(PackBcd(out, 5, 0));
    EXPECT_FALSE(PackBcd(out, 5, 5));
    EXPECT_FALSE(PackBcdShort(out, 5, 5));
    EXPECT_EQ(out, Bytes(2, kUntouched));
}

TEST(PackBcdShort, PacksTheWholeRange)
{
    Bytes out(3);
    EXPECT_TRUE(PackBcdShort(out, 65535, 5));
    EXPECT_EQ(out, (Bytes{0x06, 0x55, 0x35}));
}

TEST(PackBcdText, FillsPositionsFromTheLeft)
{
    const struct {
        const char* text;
        std::size_t digits;
        Bytes bytes;
    } cases[] = {
        {"12345", 5, {0x12, 0x34, 0x50}},  // odd count: the last low nibble stays 0
        {"12", 3, {0x01, 0x20}},
        {"9", 4, {0x00, 0x09}},
        {"", 2, {0x00}},
        {"1a", 2, {0x10}},                 // a non-digit counts as 0
        {"123456", 4, {0x12, 0x34}},       // only the first 4 characters are taken
    };
    for (const auto& c : cases) {
        Bytes out(c.bytes.size() + 1, kUntouched);
        EXPECT_TRUE(PackBcdText(out, c.text, c.digits)) << c.text;
        EXPECT_EQ(Bytes(out.begin(), out.end() - 1), c.bytes) << c.text;
        EXPECT_EQ(out.back(), kUntouched);
    }
    Bytes small(1, kUntouched);
    EXPECT_FALSE(PackBcdText(small, "123", 3));
    EXPECT_EQ(small[0], kUntouched);
}

TEST(UnpackBcdDigits, ReadsEveryNibbleAsACharacter)
{
    EXPECT_EQ(UnpackBcdDigits(Bytes{0x01, 0x23, 0x45}, 5), "12345");
    EXPECT_EQ(UnpackBcdDigits(Bytes{0x01, 0x23, 0x45}, 6), "012345");
    EXPECT_EQ(UnpackBcdDigits(Bytes{0x1A}, 2), "1:");
    EXPECT_EQ(UnpackBcdDigits(Bytes{0x12}, 0), "");
    EXPECT_EQ(UnpackBcdDigits(Bytes{0x12}, 3), "");  // needs 2 bytes
}

TEST(UnpackBcdNumbers, ReadUpToTheFirstNibbleAboveNineAndCheckTheWidth)
{
    const struct {
        Bytes bcd;
        std::size_t digits;
        bool ok;
        std::uint32_t value;
    } longs[] = {
        {{0x01, 0x23, 0x45}, 5, true, 12345},
        {{0x1A, 0x23}, 4, true, 1},
        {{0xA1}, 2, false, 0},
        {{0x42, 0x94, 0x96, 0x72, 0x95}, 10, true, 4294967295u},
        {{0x42, 0x94, 0x96, 0x72, 0x96}, 10, false, 0},
        {{0x12}, 4, false, 0},
        {{0x12}, 0, false, 0},
    };
    for (const auto& c : longs) {
        std::uint32_t value = 777;
        EXPECT_EQ(UnpackBcdLong(value, c.bcd, c.digits), c.ok) << testing::PrintToString(c.bcd);
        EXPECT_EQ(value, c.ok ? c.value : 777u) << testing::PrintToString(c.bcd);
    }

    std::uint16_t shortValue = 7;
    EXPECT_TRUE(UnpackBcdShort(shortValue, Bytes{0x06, 0x55, 0x35}, 5));
    EXPECT_EQ(shortValue, 65535);
    EXPECT_FALSE(UnpackBcdShort(shortValue, Bytes{0x06, 0x55, 0x36}, 5));
    EXPECT_EQ(shortValue, 65535);

    std::uint8_t byteValue = 7;
    EXPECT_TRUE(UnpackBcdByte(byteValue, Bytes{0x02, 0x55}, 3));
    EXPECT_EQ(byteValue, 255);
    EXPECT_FALSE(UnpackBcdByte(byteValue, Bytes{0x02, 0x56}, 3));
    EXPECT_EQ(byteValue, 255);
}

TEST(Bcd, PackedValuesUnpackToThemselves)
{
    for (const std::uint32_t value : {0u, 1u, 9u, 10u, 123456u, 999999u, 4000000000u}) {
        for (const std::size_t digits : {std::size_t{7}, std::size_t{8}, std::size_t{10}}) {
            Bytes field(BcdSize(digits));
            if (!PackBcd(field, value, digits)) continue;
            std::uint32_t back = 0;
            EXPECT_TRUE(UnpackBcdLong(back, field, digits));
            EXPECT_EQ(back, value) << digits;
        }
    }
}

}  // namespace
}  // namespace varnel
