#include "db/site/LabProp.h"

#include "platform/Archive.h"
#include "platform/ArchiveCollections.h"

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CLabProp, 1)

CLabProp::CLabProp(const CLabProp& other) : CObject(other) { *this = other; }

CLabProp& CLabProp::operator=(const CLabProp& other)
{
    if (this == &other) return *this;
    m_name = other.m_name;
    m_key = other.m_key;
    m_fieldNo = other.m_fieldNo;
    CopyValues(other.m_values);
    m_default = other.m_default;
    m_min = other.m_min;
    m_max = other.m_max;
    m_display = other.m_display;
    m_print = other.m_print;
    m_width = other.m_width;
    m_decimals = other.m_decimals;
    return *this;
}

void CLabProp::CopyValues(const ValueMap& values)
{
    ValueMap copies;
    for (const auto& [key, value] : values)
        if (value) copies[key] = std::make_unique<CPropValue>(*value);
    m_values = std::move(copies);
}

void CLabProp::AddValue(std::unique_ptr<CPropValue> value)
{
    const std::uint16_t number = value->m_number;
    m_values[number] = std::move(value);
}

bool CLabProp::IsValueAllowed(std::int64_t value) const
{
    if (m_values.empty()) return value >= m_min && value <= m_max;
    return value >= 0 && value <= 0xFFFF && m_values.contains(static_cast<std::uint16_t>(value));
}

bool CLabProp::operator==(const CLabProp& other) const
{
    return m_name == other.m_name && m_key == other.m_key && m_fieldNo == other.m_fieldNo &&
           m_default == other.m_default && m_min == other.m_min && m_max == other.m_max &&
           m_display == other.m_display && m_print == other.m_print && m_width == other.m_width &&
           m_decimals == other.m_decimals && SameOwnedMaps(m_values, other.m_values);
}

void CLabProp::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_name << m_default << m_key << m_min << m_max << m_width << m_decimals << m_display << m_print
           << m_fieldNo;
    else
        ar >> m_name >> m_default >> m_key >> m_min >> m_max >> m_width >> m_decimals >> m_display >> m_print >>
            m_fieldNo;
    SerializeMapWordToOb(ar, m_values);
}

}  // namespace varnel
