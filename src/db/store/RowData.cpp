#include "db/store/RowData.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace varnel {

RowArena::Slice RowArena::Allocate(std::size_t size)
{
    // Slices start at multiples of 8, as separate allocations would.
    const std::size_t room = (size + 7) / 8 * 8;
    if (!m_block || m_blockSize - m_used < room) {
        m_blockSize = std::max(kBlockBytes, room);
        m_block = std::shared_ptr<std::uint8_t[]>(new std::uint8_t[m_blockSize]);
        m_used = 0;
    }
    Slice slice{m_block, m_block.get() + m_used};
    m_used += room;
    return slice;
}

RowData::RowData(std::size_t size)
{
    MoveToOwnBytes(size, 0);
    m_size = size;
}

RowData::RowData(std::span<const std::uint8_t> bytes, std::size_t size, RowArena& arena)
{
    m_size = std::max(size, bytes.size());
    m_room = m_size;
    RowArena::Slice slice = arena.Allocate(m_size);
    m_block = std::move(slice.block);
    m_bytes = slice.bytes;
    // An empty row has no bytes at all: std::copy and std::fill_n take that, memcpy does not.
    std::copy(bytes.begin(), bytes.end(), m_bytes);
    std::fill_n(m_bytes + bytes.size(), m_size - bytes.size(), std::uint8_t{0});
}

RowData::RowData(const RowData& other)
{
    MoveToOwnBytes(other.m_size, 0);
    std::copy(other.begin(), other.end(), m_bytes);
    m_size = other.m_size;
}

RowData& RowData::operator=(const RowData& other)
{
    if (this == &other) return *this;
    // A copy of a shorter row goes into the room this one has; a longer one gets bytes of its own.
    if (other.m_size > m_room) MoveToOwnBytes(other.m_size, 0);
    std::copy(other.begin(), other.end(), m_bytes);
    m_size = other.m_size;
    return *this;
}

RowData::RowData(RowData&& other) noexcept
    : m_own(std::move(other.m_own)),
      m_block(std::move(other.m_block)),
      m_bytes(std::exchange(other.m_bytes, nullptr)),
      m_size(std::exchange(other.m_size, 0)),
      m_room(std::exchange(other.m_room, 0))
{
}

RowData& RowData::operator=(RowData&& other) noexcept
{
    m_own = std::move(other.m_own);
    m_block = std::move(other.m_block);
    m_bytes = std::exchange(other.m_bytes, nullptr);
    m_size = std::exchange(other.m_size, 0);
    m_room = std::exchange(other.m_room, 0);
    return *this;
}

bool RowData::operator==(const RowData& other) const { return std::equal(begin(), end(), other.begin(), other.end()); }

void RowData::resize(std::size_t size)
{
    if (size > m_room) MoveToOwnBytes(size, m_size);
    if (size > m_size) std::memset(m_bytes + m_size, 0, size - m_size);
    m_size = size;
}

void RowData::shrink_to_fit()
{
    if (m_own && m_room > m_size) MoveToOwnBytes(m_size, m_size);
}

void RowData::MoveToOwnBytes(std::size_t size, std::size_t keep)
{
    auto own = std::make_unique_for_overwrite<std::uint8_t[]>(std::max<std::size_t>(size, 1));
    keep = std::min(keep, size);
    if (keep > 0) std::memcpy(own.get(), m_bytes, keep);
    std::memset(own.get() + keep, 0, size - keep);
    m_own = std::move(own);
    m_block.reset();
    m_bytes = m_own.get();
    m_room = size;
    m_size = keep;
}

}  // namespace varnel
