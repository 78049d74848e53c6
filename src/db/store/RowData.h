// A row's data area, and the arena that a load makes many of them in.
//
// A load would otherwise allocate each row's data on its own; a RowArena hands out slices of a few
// large blocks instead. A RowData in a slice uses it alone: it writes in place and shrinks within
// it, and only when it outgrows the slice does it move to bytes of its own. A block lives as long as
// one row's data lies in it. A copy of a row always gets bytes of its own, sized to the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace varnel {

class RowArena {
public:
    struct Slice {
        std::shared_ptr<std::uint8_t[]> block;
        std::uint8_t* bytes = nullptr;
    };

    // `size` bytes (not yet written) of the current block, or of a new one when it is full.
    Slice Allocate(std::size_t size);

private:
    // Small enough for the heap to serve it from memory that freed rows gave back, rather than
    // mapping fresh pages for every load.
    static constexpr std::size_t kBlockBytes = std::size_t{64} << 10;

    std::shared_ptr<std::uint8_t[]> m_block;
    std::size_t m_blockSize = 0;
    std::size_t m_used = 0;
};

class RowData {
public:
    RowData() = default;
    // `size` zero bytes of its own.
    explicit RowData(std::size_t size);
    // `bytes`, then zeros up to `size` bytes (at least the bytes'), in a slice of the arena.
    RowData(std::span<const std::uint8_t> bytes, std::size_t size, RowArena& arena);
    RowData(const RowData& other);
    RowData& operator=(const RowData& other);
    RowData(RowData&& other) noexcept;
    RowData& operator=(RowData&& other) noexcept;
    ~RowData() = default;

    std::uint8_t* data() { return m_bytes; }
    const std::uint8_t* data() const { return m_bytes; }
    std::size_t size() const { return m_size; }
    std::uint8_t* begin() { return m_bytes; }
    std::uint8_t* end() { return m_bytes + m_size; }
    const std::uint8_t* begin() const { return m_bytes; }
    const std::uint8_t* end() const { return m_bytes + m_size; }
    operator std::span<std::uint8_t>() { return {m_bytes, m_size}; }
    operator std::span<const std::uint8_t>() const { return {m_bytes, m_size}; }
    bool operator==(const RowData& other) const;

    // Bytes added are zero.
    void resize(std::size_t size);
    // Gives back the room past the size (bytes of its own only; a slice keeps its room).
    void shrink_to_fit();

private:
    // Bytes of its own for `size` bytes, the first `keep` of them kept.
    void MoveToOwnBytes(std::size_t size, std::size_t keep);

    std::unique_ptr<std::uint8_t[]> m_own;
    std::shared_ptr<std::uint8_t[]> m_block;  // the arena block of a slice
    std::uint8_t* m_bytes = nullptr;
    std::size_t m_size = 0;
    std::size_t m_room = 0;
};

}  // namespace varnel
