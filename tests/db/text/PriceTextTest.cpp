#include "db/text/PriceText.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

struct Case {
    std::string text;
    unsigned decimals;
    char decimalChar;
    bool ok;
    std::int32_t value;
};

void Check(bool (*parse)(std::string_view, unsigned, char, std::int32_t&), const Case& c)
{
    std::int32_t value = 4242;
    EXPECT_EQ(parse(c.text, c.decimals, c.decimalChar, value), c.ok) << '"' << c.text << '"';
    EXPECT_EQ(value, c.ok ? c.value : 4242) << '"' << c.text << '"';
}

TEST(ParsePrice, ReadsTheSmallestUnit)
{
    const Case cases[] = {
        {" $12.5", 2, '.', true, 1250},
        {"125", 2, '.', true, 125},
        {"1.25", 2, '.', true, 125},
        {"1.257", 2, '.', true, 125},
        {"1.2", 2, '.', true, 120},
        {"12.", 2, '.', true, 1200},
        {".5", 2, '.', true, 50},
        {"12  ", 2, '.', true, 12},
        {"1,5", 2, ',', true, 150},
        {"$0", 0, '.', true, 0},
        {"2147483647", 0, '.', true, 2147483647},
        {"12a", 2, '.', false, 0},
        {"12 3", 2, '.', false, 0},
        {"", 2, '.', false, 0},
        {"$", 2, '.', false, 0},
        {".", 2, '.', false, 0},    // a point without digits is no price
        {"-5", 2, '.', false, 0},
        {"1.5", 2, '\0', false, 0}, // no decimal character: the point is just a character
        {"1.5", 0, '.', false, 0},
        {"1.25.3", 2, '.', false, 0},
        {"2147483648", 0, '.', false, 0},
        {"21474836.48", 2, '.', false, 0},
        {"99999999999999999999", 2, '.', false, 0},
    };
    for (const Case& c : cases) Check(ParsePrice, c);
}

TEST(ParseSignedPrice, AllowsAMinusAmongTheLeadingCharacters)
{
    const Case cases[] = {
        {"-$1.5", 2, '.', true, -150},
        {" $-1.5", 2, '.', true, -150},
        {"-3", 2, '.', true, -3},
        {"7", 2, '.', true, 7},
        {"1-", 2, '.', false, 0},
        {"-", 2, '.', false, 0},
    };
    for (const Case& c : cases) Check(ParseSignedPrice, c);
}

}  // namespace
}  // namespace varnel
