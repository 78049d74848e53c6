// "Preset Key Setup": the codes by which scales of one keyboard system type know the preset key
// meanings, one "Code" row (0 to 88, 0 = unused) per meaning, over a copy of that type's table of the
// key type definition. The short layout has the eight meanings every type knows (PLU to Operator); the
// long one adds Price, X, Mkd. Price and Save.
//
// OK is refused with 61278 while two of the eight share a code other than 0. The codes of meanings
// without a row stay as they were.
#pragma once

#include "keyboards/KeyTypeDef.h"
#include "platform/Messages.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace varnel {

class PresetKeySetupForm {
public:
    enum class Layout { Short, Long };
    struct Row {
        const char* caption;
        std::size_t meaning;  // the entry of the table the row edits
    };
    static constexpr std::uint8_t kMaxCode = 88;
    static constexpr MessageId kMsgSameCode = 61278;

    PresetKeySetupForm(const CKeyTypeDef::Codes& codes, Layout layout);

    std::span<const Row> GetRows() const;
    std::uint8_t GetCode(std::size_t row) const { return m_codes.at(GetRows()[row].meaning); }
    void SetCode(std::size_t row, std::uint8_t code) { m_codes.at(GetRows()[row].meaning) = code; }
    // 0 when the codes may be taken; else the message that refuses them.
    MessageId Check() const;
    const CKeyTypeDef::Codes& GetCodes() const { return m_codes; }

private:
    CKeyTypeDef::Codes m_codes;
    Layout m_layout;
};

}  // namespace varnel
