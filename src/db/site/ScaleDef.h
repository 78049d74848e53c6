// CScaleDef: names one scale by its link and its scale number. Arrays of them select the scales of
// an operation: no array selects every scale, an empty one none.
//
// Archive form (schema 1): u16 link id, u16 scale id; no format word.
#pragma once

#include "platform/Serializable.h"

#include <cstdint>
#include <vector>

namespace varnel {

class CScaleDef : public CObject {
    VARNEL_DECLARE_SERIAL(CScaleDef)
public:
    CScaleDef() = default;
    CScaleDef(std::uint16_t linkId, std::uint16_t scaleId) : m_linkId(linkId), m_scaleId(scaleId) {}
    CScaleDef(const CScaleDef&) = default;
    CScaleDef& operator=(const CScaleDef&) = default;

    void Serialize(CArchive& ar) override;

    bool operator==(const CScaleDef& other) const
    {
        return m_linkId == other.m_linkId && m_scaleId == other.m_scaleId;
    }

    std::uint16_t m_linkId = 0;
    std::uint16_t m_scaleId = 0;
};

// A selection of scales; operations take a pointer to one, null meaning every scale.
using ScaleDefs = std::vector<CScaleDef>;

}  // namespace varnel
