// CKeyTypeDef: the codes by which scales of each keyboard system type know the 88 key meanings (0: the
// meaning is not offered on that type). The main frame owns one, saved in the general setup.
//
// Archive form (schema 1): u16 version (101), then per table, in the order other types, type 2, 6,
// 8 and 12, the framework's byte array of 88 codes. Version 100 and below hold no type-12 table:
// it is then a copy of the type-8 table.
#pragma once

#include "platform/Serializable.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace varnel {

class CKeyTypeDef : public CObject {
    VARNEL_DECLARE_SERIAL(CKeyTypeDef)

public:
    static constexpr std::uint16_t kVersion = 101;
    static constexpr std::size_t kMeanings = 88;
    enum Table : std::size_t { OtherTypes, Type2, Type6, Type8, Type12, kTables };
    using Codes = std::array<std::uint8_t, kMeanings>;

    CKeyTypeDef() = default;
    CKeyTypeDef(const CKeyTypeDef&) = default;
    CKeyTypeDef& operator=(const CKeyTypeDef&) = default;

    // A stored table of another length than 88 is refused.
    void Serialize(CArchive& ar) override;

    std::array<Codes, kTables> m_tables{};
};

}  // namespace varnel
