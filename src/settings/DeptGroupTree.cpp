#include "settings/DeptGroupTree.h"

#include "db/plu/DeptGroupName.h"
#include "db/plu/PluDefTb.h"

#include <algorithm>

namespace varnel {
namespace {

// The node of `id`, made and put before the first node with a higher code when it is missing.
template <class Node, class Make>
Node& FindOrInsert(std::vector<std::unique_ptr<Node>>& nodes, std::uint16_t id, Make make)
{
    const auto at = std::ranges::find_if(nodes, [&](const auto& node) { return node->m_id >= id; });
    if (at != nodes.end() && (*at)->m_id == id) return **at;
    return **nodes.insert(at, make());
}

}  // namespace

void BuildDeptGroupTree(const CPluDefTb& plus, std::vector<std::unique_ptr<CDeptCode>>& tree)
{
    const CObjDatabase& database = *plus.GetDatabase();
    const CGeneralSetup& setup = plus.GetRoles().Setup();
    for (const auto& entry : plus.GetIndex()) {
        const auto* row = dynamic_cast<const CPluDefRec*>(entry.record.get());
        if (!row) continue;
        const std::uint16_t deptId = row->GetDept();
        const std::uint16_t groupId = row->Get(PluCol::Group);
        CDeptCode& department = FindOrInsert(tree, deptId, [&] {
            return std::make_unique<CDeptCode>(deptId, GetDeptGroupName(setup, database, kDepartmentTable, deptId),
                                               setup.m_maxPluNo);
        });
        (void)FindOrInsert(department.m_groups, groupId, [&] {
            return std::make_unique<CGroupCode>(groupId, GetDeptGroupName(setup, database, kGroupTable, groupId));
        });
    }
}

}  // namespace varnel
