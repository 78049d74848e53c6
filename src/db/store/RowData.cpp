#include "db/store/RowData.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace varnel {
namespace {

// Row objects carry the block they lie in (null for one alone on the heap) in front of them, as far
// before them as the heap aligns its allocations.
constexpr std::size_t kRowPrefix = 16;
static_assert(sizeof(void*) <= kRowPrefix && alignof(std::max_align_t) <= kRowPrefix);

void* PrefixedRow(void* memory, RowBlock* block)
{
    *static_cast<RowBlock**>(memory) = block;
    return static_cast<std::uint8_t*>(memory) + kRowPrefix;
}

}  // namespace

std::span<std::uint8_t> RowArena::NewImage(std::size_t size)
{
    RowBlock& image = m_image.Renew(size);
    return {image.Bytes(), size};
}

RowArena::Slice RowArena::Place(std::span<const std::uint8_t> bytes, std::size_t size)
{
    // Compared as addresses: bytes from elsewhere are no pointer into the image.
    if (RowBlock* image = m_image.Get(); image && size <= bytes.size() && size <= image->Size()) {
        const auto first = reinterpret_cast<std::uintptr_t>(bytes.data());
        const auto start = reinterpret_cast<std::uintptr_t>(image->Bytes());
        if (first >= start && first - start <= image->Size() - size)
            return {m_image.Hand(), image->Bytes() + (first - start)};
    }
    Slice slice = Allocate(m_data, m_dataUsed, size);
    const std::size_t copied = std::min(size, bytes.size());
    // An empty row has no bytes at all: std::copy_n and std::fill_n take that, memcpy does not.
    std::copy_n(bytes.begin(), copied, slice.bytes);
    std::fill_n(slice.bytes + copied, size - copied, std::uint8_t{0});
    return slice;
}

RowArena::Slice RowArena::Allocate(HeldRowBlock& blocks, std::size_t& used, std::size_t size)
{
    // Slices start at multiples of 16, as separate allocations would.
    const std::size_t room = (size + 15) / 16 * 16;
    if (!blocks.Get() || blocks.Get()->Size() - used < room) {
        blocks.Renew(std::max(kBlockBytes, room));
        used = 0;
    }
    Slice slice{blocks.Hand(), blocks.Get()->Bytes() + used};
    used += room;
    return slice;
}

void* RowArena::NewRow(std::size_t size)
{
    const Slice slice = Allocate(m_rows, m_rowsUsed, kRowPrefix + size);
    return PrefixedRow(slice.bytes, slice.block);
}

void* RowArena::NewHeapRow(std::size_t size) { return PrefixedRow(::operator new(kRowPrefix + size), nullptr); }

void RowArena::DeleteRow(void* row) noexcept
{
    if (!row) return;
    void* memory = static_cast<std::uint8_t*>(row) - kRowPrefix;
    if (RowBlock* block = *static_cast<RowBlock**>(memory)) block->Release();
    else ::operator delete(memory);
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
    const RowArena::Slice slice = arena.Place(bytes, m_size);
    m_block = slice.block;
    m_bytes = slice.bytes;
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
      m_block(std::exchange(other.m_block, nullptr)),
      m_bytes(std::exchange(other.m_bytes, nullptr)),
      m_size(std::exchange(other.m_size, 0)),
      m_room(std::exchange(other.m_room, 0))
{
}

RowData& RowData::operator=(RowData&& other) noexcept
{
    if (this == &other) return *this;
    LeaveBlock();
    m_own = std::move(other.m_own);
    m_block = std::exchange(other.m_block, nullptr);
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
    LeaveBlock();
    m_own = std::move(own);
    m_bytes = m_own.get();
    m_room = size;
    m_size = keep;
}

void RowData::LeaveBlock() noexcept
{
    if (m_block) std::exchange(m_block, nullptr)->Release();
}

}  // namespace varnel
