// The names a scale uses on the file link: which are names at all, listing patterns, directory entries
// and DOS dates.
#include "comms/filelink/Qd47Names.h"

#include "platform/ByteOrder.h"
#include "platform/LocalTime.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

using namespace std::string_view_literals;

std::optional<std::string> Name(std::string_view wire, bool pattern = false)
{
    EXPECT_EQ(wire.size(), kQd47WireNameSize);
    const std::span<const std::uint8_t, kQd47WireNameSize> bytes(reinterpret_cast<const std::uint8_t*>(wire.data()),
                                                                 kQd47WireNameSize);
    return pattern ? Qd47ListingPattern(bytes) : Qd47FileName(bytes);
}

TEST(Qd47Names, OnlyStrictEightDotThreeNamesOfLettersDigitsUnderscoreAndHyphenAreNames)
{
    const std::pair<std::string_view, std::optional<std::string>> cases[] = {
        {"ITEM    001", "ITEM.001"}, {"PLU_2-A    ", "PLU_2-A"}, {"a       b  ", "a.b"},
        {"A B     TXT", std::nullopt}, {"..      DAT", std::nullopt}, {"A/B     C  ", std::nullopt},
        {"        TXT", std::nullopt}, {"ITEM    0 1", std::nullopt}, {"\xC4" "BC     TXT", std::nullopt},
        {"ITEM\0\0\0\0" "001"sv, std::nullopt}, {"*       ???", std::nullopt},
    };
    for (const auto& [wire, name] : cases) EXPECT_EQ(Name(std::string(wire.data(), wire.size())), name) << wire;
    const std::pair<std::string_view, bool> onDisk[] = {{"ITEM.001", true}, {"A", true},   {"LONGERNAME.TXT", false},
                                                        {"x.y.z", false},   {"A.", false}, {".A", false},
                                                        {"two words", false}};
    for (const auto& [name, allowed] : onDisk) EXPECT_EQ(IsQd47FileName(name), allowed) << name;
}

TEST(Qd47Names, PatternsMatchPartByPartWithoutCase)
{
    EXPECT_EQ(Name("???????????", true), "????????.???");
    EXPECT_EQ(Name("ITEM       ", true), "ITEM.");
    const struct {
        std::string_view name, pattern;
        bool matches;
    } cases[] = {
        {"ITEM.001", "????????.???", true}, {"A", "????????.???", true},  {"A", "*.*", true},
        {"item.001", "ITEM.*", true},       {"ITEM", "ITEM.", true},        {"ITEM.001", "ITEM.", false},
        {"ITEM.001", "IT?M.0*", true},      {"ITEMS.001", "ITEM.*", false}, {"MESG.001", "ITEM.001", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesQd47Pattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

TEST(Qd47Names, AnEntryCarriesTheNameSizeAndDosDateOfAFile)
{
    const auto modified = FromLocalParts({2024, 3, 15, 10, 30, 44});
    const auto entry = Qd47DirectoryEntry(2, {"AB.C", 70000, modified});
    EXPECT_EQ(entry[0], 2);
    EXPECT_EQ(std::string(entry.begin() + 1, entry.begin() + 12), "AB      C  ");
    EXPECT_EQ(entry[12], 0);
    EXPECT_EQ(LoadLe16(entry.data() + 13), 10 * 2048 + 30 * 32 + 22);
    EXPECT_EQ(LoadLe16(entry.data() + 15), (2024 - 1980) * 512 + 3 * 32 + 15);
    EXPECT_EQ(LoadLe32(entry.data() + 17), 70000u);
    EXPECT_EQ(FromDosDateTime(ToDosDateTime(modified)), modified);
}

}  // namespace
}  // namespace varnel::test
