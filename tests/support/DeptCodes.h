// Department codes for tests: one department with its groups, by number and name, for PLUs 1 to 999999.
#pragma once

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "settings/DeptCode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <memory>
#include <utility>
#include <vector>

namespace varnel::test {

inline std::unique_ptr<CDeptCode> MakeDeptCode(std::uint16_t id, const char* name,
                                               const std::vector<std::pair<std::uint16_t, const char*>>& groups)
{
    auto code = std::make_unique<CDeptCode>(id, name, 999999);
    for (const auto& [groupId, groupName] : groups)
        code->m_groups.push_back(std::make_unique<CGroupCode>(groupId, groupName));
    return code;
}

// A new ".pld" database at `path`, open, holding a PLU of each (number, department, group).
inline void MakePlusOfDeptGroups(CPluDatabase& db, const std::string& path,
                                 const std::vector<std::tuple<std::uint32_t, std::uint16_t, std::uint16_t>>& plus)
{
    db.CreateAllTables();
    ASSERT_TRUE(db.Create(path));
    ASSERT_TRUE(db.Open(path));
    for (const auto& [number, dept, group] : plus) {
        auto row = std::make_unique<CPluDefRec>();
        db.GetPluTable()->InitNewPlu(number, *row);
        row->Set(PluCol::Dept, dept);
        row->Set(PluCol::Group, group);
        const std::uint16_t size = row->CalcDataSize();
        ASSERT_TRUE(db.GetPluTable()->AddPlu(number, size, std::move(row)));
    }
}

}  // namespace varnel::test
