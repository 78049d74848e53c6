// Department and group codes: finding them by key, their stored forms old and new, the pickers, the
// setup list block, and the tree of the departments and groups of the PLUs.
#include "SettingsArchive.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "platform/ArchiveBytes.h"
#include "settings/DeptCode.h"
#include "settings/DeptGroupTree.h"
#include "support/DeptCodes.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

CDeptCodeList MeatAndDeli()
{
    CDeptCodeList list;
    list.Add(MakeDeptCode(5, "Meat", {{1, "Beef"}, {2, "Lamb"}}));
    list.Add(MakeDeptCode(8, "Deli", {}));
    return list;
}

TEST(DeptCodeTest, AKeyHoldsTheDepartmentAboveTheGroup)
{
    const CDeptCodeList list = MeatAndDeli();
    const CDeptCode* department = nullptr;
    const CGroupCode* group = nullptr;
    EXPECT_TRUE(list.Find(0x00050002, department, group));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->m_name, "Lamb");
    EXPECT_FALSE(list.Find(0x00050009, department, group));
    ASSERT_NE(department, nullptr);
    EXPECT_EQ(department->m_id, 5);
    EXPECT_EQ(group, nullptr);
    EXPECT_FALSE(list.Find(0x00060001, department, group));
    EXPECT_EQ(department, nullptr);

    std::string deptName = "old";
    std::string groupName = "old";
    EXPECT_TRUE(list.GetNames(0x00050009, deptName, groupName));
    EXPECT_EQ(deptName, "Meat");
    EXPECT_EQ(groupName, "old");
    EXPECT_FALSE(list.GetNames(0x00090001, deptName, groupName));
    EXPECT_TRUE(list.HasGroup(5, 1));
    EXPECT_FALSE(list.HasGroup(8, 1));
    EXPECT_EQ(list.GetFirstDeptId(), 5);
    EXPECT_EQ(list.GetLastDeptId(), 8);
    EXPECT_EQ(list.GetFirstGroupId(), 1);
    EXPECT_EQ(CDeptCodeList().GetFirstGroupId(), 0);
}

TEST(DeptCodeTest, TheStoredFormAndItsRoundTrip)
{
    CDeptCodeList list;
    auto meat = MakeDeptCode(5, "Meat", {{1, "Beef"}, {2, "Lamb"}});
    meat->m_pluFrom = 100;
    meat->m_pluTo = 199;
    list.Add(std::move(meat));
    const std::vector<std::uint8_t> expected = ArchiveBytes()
                                                   .U16(1)
                                                   .NewClass("CDeptCode")
                                                   .U16(101)
                                                   .Short("Meat")
                                                   .U16(5)
                                                   .U32(100)
                                                   .U32(199)
                                                   .U16(2)
                                                   .NewClass("CGroupCode")
                                                   .U16(101)
                                                   .Short("Beef")
                                                   .U16(1)
                                                   .U16(0x8003)
                                                   .U16(101)
                                                   .Short("Lamb")
                                                   .U16(2);
    EXPECT_EQ(Store(list), expected);
    CDeptCodeList loaded;
    ASSERT_TRUE(Load(loaded, expected));
    EXPECT_EQ(loaded, list);
}

TEST(DeptCodeTest, OldRecordsKeepTheirCodesAsCharacters)
{
    struct Case {
        const char* deptChar;
        std::uint16_t deptId;
        const char* groupChars;
        std::uint16_t groupId;
    };
    for (const Case& c : {Case{"7", 7, "12", 12}, Case{"x", 0, "4 ", 4}, Case{" ", 0, "ab", 0}}) {
        SCOPED_TRACE(c.deptChar);
        ArchiveBytes bytes;
        bytes.U16(1).NewClass("CDeptCode").U16(100).Short("Meat").Raw(c.deptChar);
        bytes.U16(1).NewClass("CGroupCode").U16(100).Short("Beef").Raw(c.groupChars);
        CDeptCodeList loaded;
        ASSERT_TRUE(Load(loaded, bytes));
        ASSERT_EQ(loaded.GetCount(), 1u);
        const CDeptCode& code = loaded.GetAt(0);
        EXPECT_EQ(code.m_id, c.deptId);
        EXPECT_EQ(code.m_pluFrom, 1u);
        EXPECT_EQ(code.m_pluTo, 999999u);
        ASSERT_EQ(code.m_groups.size(), 1u);
        EXPECT_EQ(code.m_groups[0]->m_name, "Beef");
        EXPECT_EQ(code.m_groups[0]->m_id, c.groupId);
    }
    ArchiveBytes cut;
    cut.U16(1).NewClass("CDeptCode").U16(100).Short("Meat");
    CDeptCodeList loaded;
    EXPECT_FALSE(Load(loaded, cut));
}

TEST(DeptCodeTest, PickersAndTheirSelections)
{
    TestMainFrame frame;
    frame.AddFieldDef(FieldDefMap::Plu, 1014).m_width = 3;
    const DeptCodeDisplay display = DeptCodeDisplay::Of(frame.m_setup, FieldDefSet(frame));
    const CDeptCodeList list = MeatAndDeli();

    const FieldChoices departments = list.FillDeptCombo(display, true, 8);
    EXPECT_EQ(departments.items, (std::vector<std::string>{"All Departments", "005 Meat", "008 Deli"}));
    EXPECT_EQ(departments.selected, std::optional<std::size_t>(2));
    EXPECT_EQ(list.FillDeptCombo(display, true, 65535).selected, std::optional<std::size_t>(0));
    EXPECT_EQ(list.FillDeptCombo(display, false, 5).selected, std::optional<std::size_t>(0));

    const FieldChoices groups = list.FillGroupCombo(display, true, 5, 2);
    EXPECT_EQ(groups.items, (std::vector<std::string>{"All Groups", "1 Beef", "2 Lamb"}));
    EXPECT_EQ(groups.selected, std::optional<std::size_t>(2));
    EXPECT_EQ(list.FillGroupCombo(display, true, 65535, 2).items.size(), 1u);

    struct Case {
        std::optional<std::size_t> row;
        bool withAll;
        std::uint32_t department;
        bool found;
        std::uint16_t group;
    };
    for (const Case& c : {Case{0, true, 5, true, 65535}, Case{2, true, 5, true, 2}, Case{3, true, 5, false, 0},
                          Case{0, false, 5, true, 1}, Case{std::nullopt, true, 5, false, 0},
                          Case{0, true, 65535, false, 0}, Case{0, false, 8, false, 0}}) {
        std::uint16_t id = 0;
        EXPECT_EQ(list.GetSelectedGroup(c.row, c.withAll, c.department, id), c.found);
        if (c.found) {
            EXPECT_EQ(id, c.group);
        }
    }
    std::uint16_t id = 0;
    EXPECT_TRUE(list.GetSelectedDept(0, true, id));
    EXPECT_EQ(id, 65535);
    EXPECT_TRUE(list.GetSelectedDept(1, false, id));
    EXPECT_EQ(id, 8);
    EXPECT_FALSE(list.GetSelectedDept(3, true, id));

    frame.m_setup.m_kauriAucklandHostImport = 1;
    EXPECT_EQ(list.GetAt(0).GetDisplayText(DeptCodeDisplay::Of(frame.m_setup, FieldDefSet(frame))), "Meat");
}

TEST(DeptCodeTest, GroupsOrderByTheirNumbers)
{
    const CGroupCode one(1, "a");
    const CGroupCode two(2, "b");
    EXPECT_EQ(one.IsBefore(two), 1);
    EXPECT_EQ(two.IsBefore(one), -1);
    EXPECT_EQ(one.IsBefore(CGroupCode(1, "c")), 0);
}

TEST(DeptCodeTest, TheSetupListBlock)
{
    std::string out;
    CDeptCodeList().Print(out);
    EXPECT_EQ(out, "");
    CDeptCodeList list;
    list.Add(MakeDeptCode(5, "Meat", {{1, "Beef"}}));
    list.Print(out);
    EXPECT_EQ(out, "Department Codes:\r\n"
                   "Dept. ID: 5\r\n"
                   "  Name                                : Meat\r\n"
                   "  PLU Range                           :      1 to 999999\r\n"
                   "  Group Codes:\r\n"
                   "    ID: 0001  Name: Beef\r\n"
                   "\r\n"
                   "\r\n\r\n");
}

TEST(DeptGroupTreeTest, EachDepartmentOnceWithItsGroupsInOrder)
{
    TestMainFrame frame;
    TempDir dir;
    CPluDatabase db;
    MakePlusOfDeptGroups(db, dir.File("plu.pld"), {{1, 5, 2}, {2, 5, 1}, {3, 3, 9}, {4, 5, 2}});
    std::vector<std::unique_ptr<CDeptCode>> tree;
    BuildDeptGroupTree(*db.GetPluTable(), tree);
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree[0]->m_id, 3);
    EXPECT_EQ(tree[0]->m_name, "Department 3");
    EXPECT_EQ(tree[1]->m_id, 5);
    ASSERT_EQ(tree[1]->m_groups.size(), 2u);
    EXPECT_EQ(tree[1]->m_groups[0]->m_id, 1);
    EXPECT_EQ(tree[1]->m_groups[1]->m_id, 2);
    EXPECT_EQ(tree[1]->m_groups[1]->m_name, "Group 2");
}

}  // namespace
}  // namespace varnel::test
