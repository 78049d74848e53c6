// Bounded output of the text conversions.
#include "db/text/BoundedText.h"

#include "db/text/DoubleByteText.h"

#include <algorithm>

namespace varnel {

bool BoundedText::Append(std::string_view piece, std::size_t reserve)
{
    if (!Fits(piece.size(), reserve)) return false;
    std::copy(piece.begin(), piece.end(), m_out.begin() + static_cast<std::ptrdiff_t>(m_size));
    m_size += piece.size();
    return true;
}

bool BoundedText::AppendChar(std::string_view text, std::size_t& position, std::size_t reserve,
                             const CharRule& chars)
{
    const std::size_t length = GetCharLength(text.substr(position), chars);
    if (length == 0 || !Append(text.substr(position, length), reserve)) return false;
    position += length;
    return true;
}

std::size_t BoundedText::AppendBytesThatFit(std::string_view bytes, std::size_t reserve)
{
    const std::size_t room = m_size + reserve < m_out.size() ? m_out.size() - reserve - m_size : 0;
    const std::size_t count = std::min(bytes.size(), room);
    std::copy_n(bytes.begin(), count, m_out.begin() + static_cast<std::ptrdiff_t>(m_size));
    m_size += count;
    return count;
}

void BoundedText::Truncate(std::size_t size) { m_size = std::min(m_size, size); }

void BoundedText::Terminate()
{
    if (m_size < m_out.size()) m_out[m_size] = '\0';
}

}  // namespace varnel
