// A listener for records refused on their way to a scale: keeps each key with the field that did not fit,
// and each report of records above the family's highest key.
#pragma once

#include "db/plu/DBComTb.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnel::test {

class RecordingRefusals final : public IRecordRefusals {
public:
    void RecordRefused(std::uint32_t key, std::string_view field) override { m_refused.emplace_back(key, field); }
    void RecordsBeyondFamily(std::uint32_t count, std::uint32_t highest) override
    {
        m_beyondFamily.emplace_back(count, highest);
    }

    std::vector<std::pair<std::uint32_t, std::string>> m_refused;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_beyondFamily;  // count, highest key
};

}  // namespace varnel::test
