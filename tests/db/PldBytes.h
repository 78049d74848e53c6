// Builds ".pld" file images by hand, for fixtures of exact layouts and old versions.
#pragma once

#include <cstdint>
#include <string>

namespace varnel::test {

class PldBytes {
public:
    explicit PldBytes(std::uint16_t version) { Le16(version); }

    // A record of the current layout; `data` fills the first bytes of its room.
    PldBytes& Record(std::uint16_t table, std::uint16_t capacity, std::uint16_t length, std::uint32_t key,
                     const std::string& data = {})
    {
        Le16(table).Le16(capacity).Le16(length).Le16(0).Le32(key);
        return Room(capacity, data);
    }
    // A record of the 10-byte layout of the oldest versions.
    PldBytes& OldRecord(std::uint16_t table, std::uint16_t capacity, std::uint16_t length, std::uint32_t key,
                        const std::string& data = {})
    {
        Le16(table).Le16(capacity).Le16(length).Le32(key);
        return Room(capacity, data);
    }
    PldBytes& FreeBlock(std::uint16_t capacity) { return Record(0, capacity, 0, 0); }
    PldBytes& Raw(const std::string& bytes)
    {
        m_bytes += bytes;
        return *this;
    }
    const std::string& Bytes() const { return m_bytes; }

    PldBytes& Le16(std::uint16_t v)
    {
        m_bytes += static_cast<char>(v & 0xFF);
        m_bytes += static_cast<char>(v >> 8);
        return *this;
    }
    PldBytes& Le32(std::uint32_t v) { return Le16(static_cast<std::uint16_t>(v)).Le16(static_cast<std::uint16_t>(v >> 16)); }

private:
    PldBytes& Room(std::uint16_t capacity, const std::string& data)
    {
        std::string room(capacity, '\0');
        room.replace(0, std::min<std::size_t>(data.size(), capacity), data.substr(0, capacity));
        m_bytes += room;
        return *this;
    }

    std::string m_bytes;
};

}  // namespace varnel::test
