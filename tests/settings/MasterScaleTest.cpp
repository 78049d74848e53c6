// Departments: their archive forms (the oldest without a version word), the current department,
// lookups by name without case, and the removal of links and scales.
#include "SettingsArchive.h"
#include "settings/MasterScaleList.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

std::unique_ptr<CMasterScale> Department(std::uint16_t id, std::string name, std::string database,
                                         std::vector<CScaleDef> scales)
{
    auto department = std::make_unique<CMasterScale>();
    department->m_id = id;
    department->m_name = std::move(name);
    department->m_database = std::move(database);
    for (const CScaleDef& def : scales) department->m_scales.push_back(std::make_unique<CScaleDef>(def));
    return department;
}

class Departments : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.Add(Department(1, "Meat", "/srv/meat.pld", {{3, 1}, {3, 2}, {4, 7}}));
        list.Add(Department(2, "Deli", "/srv/deli.pld", {{3, 5}}));
    }

    TestMainFrame frame;
    CMasterScaleList list;
};

TEST_F(Departments, ADepartmentIsStoredAsItsScalesThenVersionNameZeroDatabaseAndId)
{
    CMasterScale& deli = *list.GetDepartments()[1];
    const std::vector<std::uint8_t> bytes = Store(deli);
    // Scales: count 1, the class tag naming CScaleDef (schema 1), link 3, scale 5.
    ASSERT_GE(bytes.size(), 29u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 2), (std::vector<std::uint8_t>{1, 0}));
    const std::vector<std::uint8_t> tail(bytes.end() - 29, bytes.end());
    EXPECT_EQ(tail, (std::vector<std::uint8_t>{3, 0, 5, 0, 100, 0, 4, 'D', 'e', 'l', 'i', 0, 0, 13, '/', 's', 'r', 'v',
                                               '/', 'd', 'e', 'l', 'i', '.', 'p', 'l', 'd', 2, 0}));
}

TEST_F(Departments, TheListLoadsBackWithItsCurrentDepartmentAndFromTheOldestFormat)
{
    list.SetCurrent(2);
    const std::vector<std::uint8_t> bytes = Store(list);
    CMasterScaleList loaded;
    ASSERT_TRUE(Load(loaded, bytes));
    ASSERT_EQ(loaded.GetDepartments().size(), 2u);
    EXPECT_EQ(loaded.GetCurrentName(), "Deli");
    EXPECT_EQ(loaded.GetCurrentDatabase(), "/srv/deli.pld");
    EXPECT_EQ(loaded.GetDepartments()[0]->GetScaleDefs(), (ScaleDefs{{3, 1}, {3, 2}, {4, 7}}));

    // The oldest setups carry no version word: the same bytes without it read alike.
    CMasterScale alone;
    alone.m_id = 9;
    alone.m_name = "Fish";
    std::vector<std::uint8_t> old = Store(alone);
    const std::vector<std::uint8_t> versionWord{100, 0};
    const auto at = std::search(old.begin(), old.end(), versionWord.begin(), versionWord.end());
    ASSERT_NE(at, old.end());
    old.erase(at, at + 2);
    CMasterScale oldest;
    ASSERT_TRUE(Load(oldest, old, kOldestSetupFormat));
    EXPECT_EQ(oldest.m_name, "Fish");
    EXPECT_EQ(oldest.m_id, 9);

    // A damaged list leaves the one in memory as it was.
    CMasterScaleList kept;
    kept.Add(Department(5, "Bakery", "", {}));
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.end() - 3);
    EXPECT_FALSE(Load(kept, cut));
    ASSERT_EQ(kept.GetDepartments().size(), 1u);
    EXPECT_EQ(kept.GetDepartments()[0]->m_name, "Bakery");
}

TEST_F(Departments, TheCurrentDepartmentLookupsAndNamesWithoutCase)
{
    EXPECT_EQ(list.GetCurrentId(), 0);
    list.SetCurrent(1);
    EXPECT_EQ(list.GetCurrentId(), 1);
    list.SetCurrent(0);
    EXPECT_EQ(list.GetCurrent(), nullptr);
    EXPECT_EQ(list.GetCurrentDatabase(), "");
    list.SetCurrent(77);
    EXPECT_EQ(list.GetCurrent(), nullptr);

    EXPECT_EQ(list.FindByName("MEAT", CharRule{}), list.GetDepartments()[0].get());
    EXPECT_EQ(list.FindByName("meat ", CharRule{}), nullptr);
    EXPECT_EQ(list.GetNameById(2), "Deli");
    EXPECT_EQ(list.GetNameById(3), "");
    EXPECT_TRUE(EqualsIgnoringCase("Crème", "CRèME", CharRule{}));
}

TEST_F(Departments, RemovingALinkTakesOnlyItsScalesAndLeavesEmptyDepartments)
{
    EXPECT_TRUE(list.IsLinkAssigned(3));
    EXPECT_TRUE(list.IsScaleAssigned(7));
    list.RemoveLink(3);
    EXPECT_FALSE(list.IsLinkAssigned(3));
    EXPECT_EQ(list.GetDepartments()[0]->GetScaleDefs(), (ScaleDefs{{4, 7}}));
    ASSERT_EQ(list.GetDepartments().size(), 2u);
    EXPECT_TRUE(list.GetDepartments()[1]->m_scales.empty());
    list.RemoveScale(7);
    EXPECT_FALSE(list.IsScaleAssigned(7));
}

TEST_F(Departments, TheSetupReportListsEachDepartment)
{
    std::string out;
    list.Print(out);
    EXPECT_EQ(out, "Master Scales\r\n  Id: 01  Name: Meat\r\n  Database: /srv/meat.pld\r\n\r\n"
                   "  Id: 02  Name: Deli\r\n  Database: /srv/deli.pld\r\n\r\n\r\n\r\n");
    std::string none;
    CMasterScaleList().Print(none);
    EXPECT_EQ(none, "");
}

}  // namespace
}  // namespace varnel::test
