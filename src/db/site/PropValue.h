// CPropValue: one allowed value of a field definition: its number and the text that names it.
// Archive form: the text (counted string), then the number (u16).
#pragma once

#include "platform/Serializable.h"

#include <cstdint>
#include <string>

namespace varnel {

class CPropValue : public CObject {
    VARNEL_DECLARE_SERIAL(CPropValue)
public:
    CPropValue() = default;
    CPropValue(std::string text, std::uint16_t number) : m_text(std::move(text)), m_number(number) {}
    CPropValue(const CPropValue&) = default;
    CPropValue& operator=(const CPropValue&) = default;

    void Serialize(CArchive& ar) override;
    void Copy(const CPropValue& other) { *this = other; }
    // "  %4.4d %s", or "* %4.4d %s" for the definition's default.
    std::string Format(std::uint32_t defaultNumber) const;

    bool operator==(const CPropValue& other) const { return m_text == other.m_text && m_number == other.m_number; }

    std::string m_text;
    std::uint16_t m_number = 0;
};

}  // namespace varnel
