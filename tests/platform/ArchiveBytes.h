// Archive bytes spelt out by hand, for fixtures that pin the format down independently of the writer.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace varnel::test {

class ArchiveBytes {
public:
    ArchiveBytes& U8(std::uint8_t value)
    {
        m_bytes.push_back(value);
        return *this;
    }
    ArchiveBytes& U16(std::uint16_t value)
    {
        return U8(static_cast<std::uint8_t>(value)).U8(static_cast<std::uint8_t>(value >> 8));
    }
    ArchiveBytes& U32(std::uint32_t value)
    {
        return U16(static_cast<std::uint16_t>(value)).U16(static_cast<std::uint16_t>(value >> 16));
    }
    // The bytes of `raw`, without a length.
    ArchiveBytes& Raw(std::string_view raw)
    {
        m_bytes.insert(m_bytes.end(), raw.begin(), raw.end());
        return *this;
    }
    // A counted string shorter than 0xFF bytes.
    ArchiveBytes& Short(std::string_view text) { return U8(static_cast<std::uint8_t>(text.size())).Raw(text); }
    ArchiveBytes& NewClass(std::string_view name, std::uint16_t schema = 1)
    {
        return U16(0xFFFF).U16(schema).U16(static_cast<std::uint16_t>(name.size())).Raw(name);
    }

    const std::vector<std::uint8_t>& Get() const { return m_bytes; }
    operator const std::vector<std::uint8_t>&() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace varnel::test
