// Department codes for tests: one department with its groups, by number and name.
#pragma once

#include "settings/DeptCode.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace varnel::test {

inline std::unique_ptr<CDeptCode> MakeDeptCode(std::uint16_t id, const char* name,
                                               const std::vector<std::pair<std::uint16_t, const char*>>& groups)
{
    auto code = std::make_unique<CDeptCode>(id, name);
    for (const auto& [groupId, groupName] : groups)
        code->m_groups.push_back(std::make_unique<CGroupCode>(groupId, groupName));
    return code;
}

}  // namespace varnel::test
