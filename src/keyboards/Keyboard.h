// CKeyboard: one layout keyboard: its system type, 240 keys (cells 1 to 120 the upper sheet, 121 to
// 240 the lower) and the default key whose style the keys with UseDefault are drawn in.
//
// Archive form (schema 1): u16 SysType, the 240 keys in cell order, the default key.
#pragma once

#include "keyboards/KbdKey.h"

#include <array>
#include <cstdint>

namespace varnel {

class CKeyboard : public CObject {
    VARNEL_DECLARE_SERIAL(CKeyboard)

public:
    static constexpr std::size_t kKeys = 240;
    static constexpr std::uint16_t kDefaultSysType = 6;

    CKeyboard();
    CKeyboard(const CKeyboard&) = default;
    CKeyboard& operator=(const CKeyboard&) = default;

    // Loading numbers each key by its cell.
    void Serialize(CArchive& ar) override;
    // Takes the other keyboard's system type, keys and default key.
    void Copy(const CKeyboard& other) { *this = other; }
    // Becomes the template keyboard's layout under `sysType`, its keys numbered by cell.
    void LoadDefaultLayout(std::uint16_t sysType, const CKeyboard& layout);

    std::uint16_t m_sysType = kDefaultSysType;
    std::array<CKbdKey, kKeys> m_keys;
    CKbdKey m_defaultKey;
};

}  // namespace varnel
