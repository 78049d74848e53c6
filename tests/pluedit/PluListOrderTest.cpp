// The PLU list's sorts against a plain stable sort by the same rules, over enough PLUs with shared
// prefixes, ties and mixed case that every part of the sort runs.
#include "PluListFixture.h"

#include "pluedit/PluListOrder.h"

#include <algorithm>
#include <numeric>
#include <random>

namespace varnel::test {
namespace {

class PluListOrderTest : public PluListFixture {
protected:
    // PLUs 1..count with names and POS codes drawn from small sets, so that many are equal.
    void AddMixed(std::size_t count, const std::vector<std::string>& names)
    {
        std::mt19937 random(7);
        const std::vector<std::string> codes = {"", "0", "7", "07", "12", "0012", "100", "99", "A1", "0A1", "123456"};
        for (std::uint32_t n = 1; n <= count; ++n) {
            const std::string& name = names[random() % names.size()];
            const std::string& code = codes[random() % codes.size()];
            Add({n, name.c_str(), code.c_str()});
        }
    }
    std::vector<std::size_t> AllPositions() const
    {
        std::vector<std::size_t> positions(Plus().GetRecordCount());
        std::iota(positions.begin(), positions.end(), std::size_t{0});
        return positions;
    }
    template <class Before>
    std::vector<std::size_t> StableSorted(Before before) const
    {
        std::vector<std::size_t> positions = AllPositions();
        std::stable_sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
            std::uint32_t key = 0;
            return before(*dynamic_cast<const CPluDefRec*>(Plus().GetRecordAt(a, key)),
                          *dynamic_cast<const CPluDefRec*>(Plus().GetRecordAt(b, key)));
        });
        return positions;
    }
    static std::string Lower(std::string_view text, bool doubleByte)
    {
        std::string lower;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (doubleByte && byte >= 160 && byte <= 254 && i + 1 < text.size()) {
                lower += text.substr(i, 2);
                ++i;
            } else {
                lower += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte);
            }
        }
        return lower;
    }
};

TEST_P(PluListOrderTest, PosCodeOrderIsAStableSortByTrimmedCode)
{
    AddMixed(500, {"x"});
    std::vector<std::size_t> positions = AllPositions();
    SortByPosCode(Plus(), positions);
    EXPECT_EQ(positions, StableSorted([](const CPluDefRec& a, const CPluDefRec& b) {
                  return PosCodeBefore(TrimPosCode(a.Get(PluCol::PosCode)), TrimPosCode(b.Get(PluCol::PosCode)));
              }));
}

TEST_P(PluListOrderTest, NameOrderIsAStableSortByNameWithoutCase)
{
    // Names that share long prefixes and differ in case only, in their last bytes or in length.
    AddMixed(600, {"Beef mince premium 00017", "BEEF MINCE PREMIUM 00017", "Beef mince premium 00018",
                   "beef mince premium 0001", "Beef mince premium 00017x", "Lamb", "lamb", "[lamb]", "_pork", "",
                   "Zucchini", "zucchini & feta"});
    for (const bool doubleByte : {false, true}) {
        const CharRule chars{doubleByte ? CharRule::LeadBytes::From160 : CharRule::LeadBytes::OfCodePage,
                             CodePage::Western};
        std::vector<std::size_t> positions = AllPositions();
        SortByName(Plus(), positions, chars);
        EXPECT_EQ(positions, StableSorted([doubleByte](const CPluDefRec& a, const CPluDefRec& b) {
                      return Lower(a.Get(PluCol::Name), doubleByte) < Lower(b.Get(PluCol::Name), doubleByte);
                  })) << doubleByte;
    }
}

TEST_P(PluListOrderTest, DoubleByteNamesSortByTheirBytesWhole)
{
    // "\xB0" "A" and "\xB0" "a" are two different characters; "\xB0" "A" comes first.
    std::vector<std::string> names;
    for (const char* tail : {"a", "A", "b", "B"})
        for (const char* head : {"\xB0", "\xB1", "C", "c"}) names.push_back(std::string(head) + tail + "\xB2" "z");
    AddMixed(300, names);
    const CharRule chars{CharRule::LeadBytes::From160, CodePage::Western};
    std::vector<std::size_t> positions = AllPositions();
    SortByName(Plus(), positions, chars);
    EXPECT_EQ(positions, StableSorted([](const CPluDefRec& a, const CPluDefRec& b) {
                  return Lower(a.Get(PluCol::Name), true) < Lower(b.Get(PluCol::Name), true);
              }));
}

TEST_P(PluListOrderTest, PositionsPastTheTableSortLast)
{
    AddMixed(40, {"b", "a"});
    std::vector<std::size_t> positions = AllPositions();
    positions.insert(positions.begin() + 3, 1000);
    SortByName(Plus(), positions, {});
    EXPECT_EQ(positions.back(), 1000u);
    EXPECT_EQ(positions.size(), 41u);
}

INSTANTIATE_TEST_SUITE_P(Databases, PluListOrderTest, ::testing::Values("pld"));

}  // namespace
}  // namespace varnel::test
