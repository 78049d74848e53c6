#include "comms/idenq/ScaleFamily.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(ScaleFamily, Type9To12AreTheCommaSeparatedFamilies)
{
    for (std::uint16_t family = 0; family <= 13; ++family)
        EXPECT_EQ(IsType9To12(family), family >= 9 && family <= 12) << "family " << family;
    EXPECT_FALSE(IsType9To12(65535));
}

TEST(ScaleFamily, NamesComeFromTheFamilyNames)
{
    const char* const names[] = {"TR-5300", "HBKU (5300 mode)", "TR-5200", "HBKU (5200 mode)", "ZNQ",
                                 "GK-6300", "LumenXT", "Lumen", "TR-5400 XT", "RUX/PZ4/TARN4",
                                 "TR-5400", "VM-8100b/QF", "KB-7100"};
    for (std::uint16_t family = 0; family <= kHighestScaleFamily; ++family)
        EXPECT_EQ(GetScaleFamilyName(family), names[family]) << "family " << family;
    EXPECT_EQ(GetScaleFamilyName(13), "");
    EXPECT_EQ(GetScaleFamilyName(65535), "");
}

TEST(GetDataKindOfTable, MapsEveryScaleTableAndNothingElse)
{
    struct Case {
        std::uint16_t table;
        std::uint16_t kind;
    } const tables[] = {
        {2, 0},   {3, 12},  {4, 2},   {7, 1},   {8, 5},   {9, 11},  {10, 20}, {12, 6},  {18, 14}, {19, 18}, {20, 17},
        {29, 3},  {30, 4},  {31, 7},  {32, 8},  {33, 33}, {34, 10}, {37, 21}, {39, 39}, {50, 16}, {51, 15}, {53, 38},
        {61, 13}, {62, 41}, {63, 42}, {69, 40}, {70, 22}, {71, 23}, {72, 24}, {73, 25}, {74, 26}, {75, 27}, {76, 28},
        {77, 29}, {78, 30}, {79, 31}, {80, 32}, {81, 33}, {82, 34}, {83, 35}, {85, 36}, {86, 37},
    };
    for (const Case& c : tables) EXPECT_EQ(GetDataKindOfTable(c.table), c.kind) << "table " << c.table;

    for (const std::uint16_t none : {0, 1, 5, 6, 11, 13, 14, 15, 16, 17, 21, 28, 35, 38, 40, 52, 60, 64, 68, 84, 87, 88,
                                     100, 65535})
        EXPECT_EQ(GetDataKindOfTable(none), kNoDataKind) << "table " << none;
}

}  // namespace
}  // namespace varnel
