// The default font of each description line of a new text, per text kind: a font position in the
// scale font list for each of lines 0 to 9, or one position for every line when the kind's per-line
// switch is off.
#pragma once

#include "platform/Serializable.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace varnel {

class CArchive;

class CDefLineFont : public CObject {
    VARNEL_DECLARE_SERIAL(CDefLineFont)

public:
    static constexpr std::size_t kLines = 10;
    // The text kinds in the order of their blocks.
    enum TextKind : std::size_t { PluDescription, ExtraMessage, ExtraMessage2, ExtraMessage3, Coupon, kTextKinds };
    using LinePositions = std::array<std::uint8_t, kLines>;

    CDefLineFont();

    // The text kind of a table number: 4, 29, 30 the extra messages, 8 coupons, any other the PLU.
    static TextKind TextKindOfTable(std::uint16_t table);

    // The font position of a line of the text kind of that table; lines above 9 count as 9.
    std::uint8_t GetLineFont(std::uint16_t table, std::uint16_t line) const;

    // Stored form:  u16 version (101), five blocks of a byte array of 10 positions, five i32 switches.
    // Version 100 holds only the first two blocks.
    void Serialize(CArchive& ar) override;

    std::array<LinePositions, kTextKinds> m_positions;
    std::array<std::int32_t, kTextKinds> m_perLine{};  // BOOL: each line has a font of its own
};

}  // namespace varnel
