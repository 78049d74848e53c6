#include "scaledata/MessageRow.h"

namespace varnel {

bool CScaleDataRow::ReserveData(std::size_t bytes)
{
    if (bytes > m_limit) return false;
    if (bytes > m_data.size()) m_data.resize(bytes, 0);
    return true;
}

void CScaleDataRow::Set(TextColumn c, std::string_view text)
{
    if (ReserveData(std::size_t{c.offset} + c.size)) WriteColumn(m_data, c, text);
}

void CScaleDataRow::ShrinkTo(std::size_t used)
{
    if (used < m_data.size()) {
        m_data.resize(used);
        m_data.shrink_to_fit();
    }
}

}  // namespace varnel
