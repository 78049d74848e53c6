// An output buffer for the text conversions with guard bytes after the capacity they are given: a
// conversion that writes past its capacity changes a guard byte.
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::test {

class GuardedBuffer {
public:
    explicit GuardedBuffer(std::size_t capacity) : m_bytes(capacity + kGuardSize, kGuardByte), m_capacity(capacity) {}

    std::span<char> Span() { return {m_bytes.data(), m_capacity}; }

    bool GuardIntact() const
    {
        return std::all_of(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_capacity), m_bytes.end(),
                           [](char byte) { return byte == kGuardByte; });
    }

    // The first `length` bytes written.
    std::string Bytes(std::size_t length) const { return std::string(m_bytes.data(), std::min(length, m_capacity)); }

    // The text up to its 0 byte; npos-long text (the whole capacity) when none was written.
    std::string_view Text() const
    {
        const std::string_view all(m_bytes.data(), m_capacity);
        return all.substr(0, all.find('\0'));
    }
    bool IsTerminated() const
    {
        return std::string_view(m_bytes.data(), m_capacity).find('\0') != std::string_view::npos;
    }

private:
    static constexpr std::size_t kGuardSize = 64;
    static constexpr char kGuardByte = '\x5A';
    std::vector<char> m_bytes;
    std::size_t m_capacity;
};

}  // namespace varnel::test
