// CMasterScale: a department. It groups scales of the links under a name and gives them a PLU database
// of their own: working in a department means using its database and sending to its scales.
//
// Archive form (schema 1), little-endian:
//   object array of CScaleDef (the scales), u16 version 100 (absent in setups of the oldest format),
//   string name, u16 0, string database, u16 id
#pragma once

#include "db/site/ScaleDef.h"
#include "db/site/TextRules.h"
#include "platform/Serializable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CMasterScale : public CObject {
    VARNEL_DECLARE_SERIAL(CMasterScale)
public:
    static constexpr std::uint16_t kVersion = 100;

    CMasterScale() = default;
    CMasterScale(const CMasterScale&) = delete;
    CMasterScale& operator=(const CMasterScale&) = delete;

    void Serialize(CArchive& ar) override;

    bool HasScale(std::uint16_t scaleNo) const;
    bool HasLink(std::uint16_t linkNo) const;
    // Remove every entry of that scale or link.
    void RemoveScale(std::uint16_t scaleNo);
    void RemoveLink(std::uint16_t linkNo);
    // The department's scales as a selection for the links.
    ScaleDefs GetScaleDefs() const;

    std::uint16_t m_id = 0;
    std::string m_name;
    std::string m_database;
    std::vector<std::unique_ptr<CScaleDef>> m_scales;
};

// Whether two names are the same but for the case of their letters; a double-byte character (of the
// character rule given) matches only itself.
bool EqualsIgnoringCase(std::string_view a, std::string_view b, const CharRule& chars);

}  // namespace varnel
