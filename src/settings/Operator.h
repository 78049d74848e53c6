// COperator: one person who signs on at the scales (not a user of this program), with the name,
// font, password, log-off time and access level the scales keep for them.
//
// Archive form (the site setup file), little-endian:
//   u16      version, 101
//   string   name text: CR, one byte holding the font, then the name
//   u16      id
//   string   password
//   u16      log-off timer
//   u16      access level            (version 101 on)
// Site setups older than version 312 hold only the name text and the id, with no version word.
#pragma once

#include "platform/Serializable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

class COperator : public CObject {
    VARNEL_DECLARE_SERIAL(COperator)
public:
    static constexpr std::uint16_t kVersion = 101;

    COperator() = default;
    COperator(const COperator&) = default;
    COperator& operator=(const COperator&) = default;
    bool operator==(const COperator& other) const
    {
        return m_name == other.m_name && m_password == other.m_password && m_id == other.m_id &&
               m_logoffTimer == other.m_logoffTimer && m_accessLevel == other.m_accessLevel && m_font == other.m_font;
    }

    void Serialize(CArchive& ar) override;

    // CR, the font byte, then the name: the form the setup file and the line-coded scales keep.
    std::string GetNameText() const;
    // Takes the font from a name text that opens with CR and a font byte; any other text is the
    // whole name, in `defaultFont` (the market's default scale font).
    void SetNameText(std::string_view text, std::uint8_t defaultFont);

    std::string m_name;
    std::string m_password;
    std::uint16_t m_id = 0;
    std::uint16_t m_logoffTimer = 10;  // minutes
    std::uint16_t m_accessLevel = 10;
    std::uint8_t m_font = 3;           // scale font number of the name
};

}  // namespace varnel
