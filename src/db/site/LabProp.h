// CLabProp: the definition of one PLU, extra price, nutrition or production field: its name, number,
// default, allowed range or list of values, display width, decimals, and whether it is displayed and
// printed. The main frame keeps the definitions in five maps (IMainFrame::GetFieldDefMap).
//
// Archive form (schema 1, no version word of its own; the file that holds the definitions has one):
//   name, i32 default, u16 key, i32 minimum, i32 maximum, u16 display width, u16 decimals,
//   u16 display flag, u16 print flag, u16 field number, then the values as a map of u16 -> CPropValue
#pragma once

#include "db/site/PropValue.h"
#include "platform/Serializable.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace varnel {

// Two maps of owned objects alike: the same keys, each holding an equal object (or both none).
template <class OwningMap>
bool SameOwnedMaps(const OwningMap& a, const OwningMap& b)
{
    return std::ranges::equal(a, b, [](const auto& x, const auto& y) {
        if (x.first != y.first) return false;
        return x.second && y.second ? *x.second == *y.second : x.second == y.second;
    });
}

class CLabProp : public CObject {
    VARNEL_DECLARE_SERIAL(CLabProp)
public:
    using ValueMap = std::map<std::uint16_t, std::unique_ptr<CPropValue>>;

    CLabProp() = default;
    // Copies are deep: every value is an object of the copy's own.
    CLabProp(const CLabProp& other);
    CLabProp& operator=(const CLabProp& other);

    void Serialize(CArchive& ar) override;
    void Copy(const CLabProp& other) { *this = other; }
    void RemoveAllValues() { m_values.clear(); }
    // Replaces the values by copies of `values`, each under the same key.
    void CopyValues(const ValueMap& values);
    // A new empty value, for the caller to fill and store with AddValue.
    static std::unique_ptr<CPropValue> NewValue() { return std::make_unique<CPropValue>(); }
    // Stores the value under its number, replacing a value of the same number.
    void AddValue(std::unique_ptr<CPropValue> value);

    // With a value list, the numbers in it; without one, minimum to maximum.
    bool IsValueAllowed(std::int64_t value) const;

    // Every member the same, the values compared by what they hold.
    bool operator==(const CLabProp& other) const;

    std::string m_name;
    std::uint16_t m_key = 0;  // the definition's key in the map that holds it
    std::uint16_t m_fieldNo = 1000;
    ValueMap m_values;
    std::int32_t m_default = 0;
    std::int32_t m_min = 0;
    std::int32_t m_max = 255;
    std::uint16_t m_display = 1;
    std::uint16_t m_print = 0;
    std::uint16_t m_width = 0;     // display width, 1 to 28 once set
    std::uint16_t m_decimals = 0;  // 0 to 4
};

// A field-definition map of the main frame: definitions by their map key.
using CLabPropMap = std::map<std::uint16_t, std::unique_ptr<CLabProp>>;

}  // namespace varnel
