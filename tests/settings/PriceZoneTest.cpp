// Price zones: names, the lists of the pickers, the stored map form and the setup list block.
#include "SettingsArchive.h"
#include "platform/ArchiveBytes.h"
#include "settings/PriceZone.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

CPriceZoneList Zones(std::initializer_list<std::pair<std::uint16_t, const char*>> zones)
{
    CPriceZoneList list;
    for (const auto& [id, name] : zones) EXPECT_TRUE(list.SetZone(id, name));
    return list;
}

TEST(PriceZoneTest, NamesOfDefinedUndefinedAndTheDefaultZone)
{
    CPriceZoneList list = Zones({{7, "North"}});
    EXPECT_FALSE(list.SetZone(0, "never stored"));
    EXPECT_EQ(list.GetName(0), "Use Defaults");
    EXPECT_EQ(list.GetName(7), "North");
    EXPECT_EQ(list.GetName(12), "Price Zone 0012");
    EXPECT_TRUE(list.IsDefined(7));
    EXPECT_FALSE(list.IsDefined(0));
}

TEST(PriceZoneTest, PickersListZonesByIdWithTheDefaultRowFirst)
{
    const CPriceZoneList list = Zones({{7, "North"}, {3, "South"}});
    struct Case {
        std::uint16_t selected;
        bool withDefault;
        std::vector<std::string> rows;
        std::size_t selectedRow;
    };
    const Case cases[] = {
        {7, false, {"0003  South", "0007  North"}, 1},
        {9, false, {"0003  South", "0007  North"}, 0},
        {0, true, {"Use Defaults", "0003  South", "0007  North"}, 0},
        {7, true, {"Use Defaults", "0003  South", "0007  North"}, 2},
    };
    for (const Case& c : cases) {
        const FieldChoices choices = list.FillCombo(c.selected, c.withDefault);
        EXPECT_EQ(choices.items, c.rows);
        EXPECT_EQ(choices.selected, std::optional<std::size_t>(c.selectedRow));
    }
    EXPECT_EQ(list.FillListBox(3).items, (std::vector<std::string>{"0003  South", "0007  North"}));
    const FieldChoices none = CPriceZoneList().FillCombo(0, true);
    EXPECT_TRUE(none.items.empty());
    EXPECT_FALSE(none.selected);
}

TEST(PriceZoneTest, TheListIsStoredInTheMapFormAndReadBackWithoutZoneZeroOrNulls)
{
    CPriceZoneList list = Zones({{7, "North"}, {3, "South"}});
    const std::vector<std::uint8_t> expected = ArchiveBytes()
                                                   .U16(2)
                                                   .U16(3)
                                                   .NewClass("CPriceZone")
                                                   .Short("South")
                                                   .U16(3)
                                                   .U16(7)
                                                   .U16(0x8001)
                                                   .Short("North")
                                                   .U16(7);
    EXPECT_EQ(Store(list), expected);

    ArchiveBytes stored;
    stored.U16(3).U16(0).NewClass("CPriceZone").Short("Default").U16(0);
    stored.U16(4).U16(0x0000);
    stored.U16(5).U16(0x8001).Short("Five").U16(5);
    CPriceZoneList loaded;
    ASSERT_TRUE(Load(loaded, stored));
    EXPECT_EQ(loaded, Zones({{5, "Five"}}));
}

TEST(PriceZoneTest, TheSetupListBlock)
{
    std::string out;
    CPriceZoneList().Print(out);
    EXPECT_EQ(out, "");
    Zones({{7, "North"}, {3, "South"}}).Print(out);
    EXPECT_EQ(out, "  Price Zones:\r\n    Id: 0003  Name: South\r\n    Id: 0007  Name: North\r\n");
}

}  // namespace
}  // namespace varnel::test
