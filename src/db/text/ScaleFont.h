// One font of a scale family: its code in escape-coded text (the character after ESC 'C'), the name
// the label text editor shows, the flags the editor reads and the metrics it sizes lines with.
#pragma once

#include "platform/Serializable.h"

#include <array>
#include <cstdint>
#include <string>

namespace varnel {

class CArchive;

class CScaleFont : public CObject {
    VARNEL_DECLARE_SERIAL(CScaleFont)

public:
    // Places in the seven flag bytes.
    static constexpr std::size_t kLayoutFlag = 0;         // the editor spreads text over the line width
    static constexpr std::size_t kUpperCaseOnlyFlag = 1;  // the font has no lower case
    // The effects the label text editor lets the user set in the font.
    static constexpr std::size_t kBoldAllowedFlag = 2;
    static constexpr std::size_t kItalicAllowedFlag = 3;
    static constexpr std::size_t kUnderlineAllowedFlag = 4;
    static constexpr std::size_t kReverseAllowedFlag = 5;
    static constexpr std::size_t kBoxedAllowedFlag = 6;
    // The five in the order of the effects' escape digits: Bold, Reverse, Italic, Underline, Boxed.
    static constexpr std::array<std::size_t, 5> kEffectAllowedFlags = {
        kBoldAllowedFlag, kReverseAllowedFlag, kItalicAllowedFlag, kUnderlineAllowedFlag, kBoxedAllowedFlag};

    CScaleFont() = default;

    // Copies the name, the code and flag bytes and the metrics.
    void Copy(const CScaleFont& other) { *this = other; }

    // Stored form:  u16 schema (102), name, u8 code, 7 flag bytes, u8 further flag (from 102 on),
    //               u16 width, u16 height, u16 line pitch, u16 metric 1, u16 metric 2,
    //               u16 line limit (from 101 on)
    void Serialize(CArchive& ar) override;

    std::string m_name;
    std::uint8_t m_code = '0';
    std::array<std::uint8_t, 7> m_flags{};
    std::uint8_t m_furtherFlag = 0;
    std::uint16_t m_charWidth = 0;   // dots
    std::uint16_t m_charHeight = 0;  // dots
    std::uint16_t m_linePitch = 0;   // dots
    std::uint16_t m_metric1 = 0;
    std::uint16_t m_metric2 = 0;
    std::uint16_t m_lineLimit = 0;
};

}  // namespace varnel
