// An operator's fields as one comparable value, for the operator tests.
#pragma once

#include "settings/Operator.h"

#include <cstdint>
#include <string>

namespace varnel::test {

struct OperatorFields {
    std::uint16_t id;
    std::string name;
    std::uint8_t font;
    std::string password;
    std::uint16_t logoffTimer;
    std::uint16_t accessLevel;
    bool operator==(const OperatorFields&) const = default;
};

inline OperatorFields FieldsOf(const COperator& op)
{
    return {op.m_id, op.m_name, op.m_font, op.m_password, op.m_logoffTimer, op.m_accessLevel};
}

}  // namespace varnel::test
