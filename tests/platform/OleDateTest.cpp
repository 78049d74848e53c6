#include "platform/OleDate.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(OleDate, KnownDaysConvertBothWays)
{
    struct Case {
        double ole;
        DateTimeParts parts;
    } const cases[] = {
        {0.0, {1899, 12, 30, 0, 0, 0}},
        {1.5, {1899, 12, 31, 12, 0, 0}},
        {36526.25, {2000, 1, 1, 6, 0, 0}},
        {-1.25, {1899, 12, 29, 6, 0, 0}},  // before the epoch the fraction still counts forward
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OleDateToParts(c.ole), c.parts) << c.ole;
        EXPECT_DOUBLE_EQ(*PartsToOleDate(c.parts), c.ole);
    }
}

TEST(OleDate, TextsHaveOneFixedForm)
{
    const DateTimeParts parts{2026, 12, 10, 9, 5, 7};
    EXPECT_EQ(FormatDateTime(parts), "12/10/2026 09:05:07");
    EXPECT_EQ(ParseDateTime("12/10/2026 09:05:07"), parts);
    EXPECT_EQ(ParseDateTime("12/10/2026"), (DateTimeParts{2026, 12, 10, 0, 0, 0}));
    for (const char* bad : {"", "2026-12-10", "13/01/2026", "02/30/2026", "12/10/2026 25:00:00", "12/10/2026 1:2"})
        EXPECT_FALSE(ParseDateTime(bad).has_value()) << bad;
    EXPECT_FALSE(OleDateToParts(1e12).has_value());
}

}  // namespace
}  // namespace varnel
