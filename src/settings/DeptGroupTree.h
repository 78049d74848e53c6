// The departments and groups that the PLUs carry, as the PLU lists show them in a tree.
#pragma once

#include "settings/DeptCode.h"

#include <memory>
#include <vector>

namespace varnel {

class CPluDefTb;

// One node per department code of a PLU, holding the group codes of its PLUs; both levels by
// ascending code, each code once, named as the PLU lists name departments and groups
// (GetDeptGroupName). The nodes are appended to `tree`.
void BuildDeptGroupTree(const CPluDefTb& plus, std::vector<std::unique_ptr<CDeptCode>>& tree);

}  // namespace varnel
