// CKbdKey: one key of a layout keyboard: its meaning (a key type and its value) and how it is drawn.
//
// Archive form (no version word): u8 Type, u32 Data, u8 UseDefault, u8 SplitKey, u16 DrawSplit, u8
// IsStrikeOut, u8 IsUnderline, u8 IsItalic, u8 lfCharSet, u16 Justification, u16 FontSize, u16
// FontWeight, u16 LinkKey, u32 BkgColor, u32 CharColor, KeyText, FaceName. KeyNo is the key's cell,
// given by the keyboard that holds it. Loading keeps at most 39 characters of the text and 31 of the face.
#pragma once

#include "platform/Serializable.h"

#include <cstdint>
#include <string>

namespace varnel {

class CKbdKey : public CObject {
    VARNEL_DECLARE_SERIAL(CKbdKey)

public:
    static constexpr std::size_t kMaxKeyText = 39;
    static constexpr std::size_t kMaxFaceName = 31;

    CKbdKey() = default;
    CKbdKey(const CKbdKey&) = default;
    CKbdKey& operator=(const CKbdKey&) = default;

    void Serialize(CArchive& ar) override;

    std::uint8_t m_keyNo = 0;  // cell 1 to 240
    std::uint8_t m_type = 0;   // key meaning 0 to 87
    std::uint32_t m_data = 0;
    std::uint8_t m_useDefault = 1;
    std::uint8_t m_splitKey = 0;
    std::uint16_t m_drawSplit = 0;
    std::uint8_t m_isStrikeOut = 0;
    std::uint8_t m_isUnderline = 0;
    std::uint8_t m_isItalic = 0;
    std::uint8_t m_charSet = 0;
    std::uint16_t m_justification = 0;
    std::uint16_t m_fontSize = 0;
    std::uint16_t m_fontWeight = 0;
    std::string m_faceName;
    std::uint16_t m_linkKey = 0;
    std::string m_keyText;
    std::uint32_t m_bkgColor = 0xFFFFFF;
    std::uint32_t m_charColor = 0;
};

}  // namespace varnel
