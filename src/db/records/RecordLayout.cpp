#include "db/records/RecordLayout.h"

namespace varnel {

std::optional<std::int64_t> CsvFieldReader::Number()
{
    std::uint32_t value = 0;
    if (!CsvReadInt(m_text, m_position, value)) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::int64_t> CsvFieldReader::NumberOf(ColumnRef column)
{
    switch (column.type) {
    case ColumnRef::Type::Short: {
        std::uint16_t value = 0;
        if (!CsvReadShort(m_text, m_position, value)) return std::nullopt;
        return value;
    }
    case ColumnRef::Type::Byte: {
        std::uint8_t value = 0;
        if (!CsvReadByte(m_text, m_position, value)) return std::nullopt;
        return value;
    }
    default: return Number();
    }
}

std::string CsvFieldReader::Text(std::size_t maximum)
{
    std::string text;
    CsvReadField({m_text.data(), m_text.size()}, m_position, maximum, text, m_chars);
    return text;
}

void CsvFieldReader::Skip(std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) static_cast<void>(Text(0));
}

}  // namespace varnel
