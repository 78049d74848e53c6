// A row's data area, and the arena that a load makes many rows in.
//
// A load would otherwise copy each row's data into an allocation of its own, and allocate each row
// object on its own too. A RowArena lets the rows keep their data where the load read it, in the image
// of the file, hands out slices of a few large blocks for the rows it cannot keep there, and makes the
// row objects of classes deriving from ArenaRow side by side in blocks of their own. A RowData in a
// slice uses it alone: it writes in place and shrinks within it, and only when it outgrows the slice
// does it move to bytes of its own. A block (RowBlock.h) lives as long as one row or row object lies
// in it. A copy of a row always gets bytes of its own, sized to the data.
#pragma once

#include "db/store/RowBlock.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace varnel {

class RowArena {
public:
    struct Slice {
        RowBlock* block = nullptr;  // with one count for the row; null for bytes that are no block's
        std::uint8_t* bytes = nullptr;
    };

    RowArena() = default;
    RowArena(const RowArena&) = delete;
    RowArena& operator=(const RowArena&) = delete;
    ~RowArena() = default;

    // `size` bytes for the next piece of the image that the load reads: rows made from bytes in it
    // keep them there from now on (the arena may change them).
    std::span<std::uint8_t> NewImage(std::size_t size);
    // The place of a row of `size` bytes that starts with `bytes`: where the bytes lie, when they lie
    // in the image and are the whole row; else a slice of a block, the bytes copied and zeros after.
    Slice Place(std::span<const std::uint8_t> bytes, std::size_t size);

    // Memory for a row object of `size` bytes, in the arena (NewRow) or alone on the heap; both are
    // given back with DeleteRow.
    void* NewRow(std::size_t size);
    static void* NewHeapRow(std::size_t size);
    static void DeleteRow(void* row) noexcept;

private:
    // `size` bytes (not yet written) of the current block, or of a new one when it is full.
    Slice Allocate(HeldRowBlock& blocks, std::size_t& used, std::size_t size);

    // Small enough for the heap to serve it from memory that freed rows gave back, rather than
    // mapping fresh pages for every load.
    static constexpr std::size_t kBlockBytes = std::size_t{64} << 10;

    HeldRowBlock m_image;
    HeldRowBlock m_data;
    std::size_t m_dataUsed = 0;
    HeldRowBlock m_rows;
    std::size_t m_rowsUsed = 0;
};

// Rows of a class deriving from it can be made in a load's arena, `new (arena) Row(...)`; any row of
// it is deleted as usual, and the arena block it lies in is freed with the last row in it.
class ArenaRow {
public:
    static void* operator new(std::size_t size) { return RowArena::NewHeapRow(size); }
    static void* operator new(std::size_t size, RowArena& arena) { return arena.NewRow(size); }
    static void operator delete(void* row) noexcept { RowArena::DeleteRow(row); }
    static void operator delete(void* row, RowArena&) noexcept { RowArena::DeleteRow(row); }
};

class RowData {
public:
    RowData() = default;
    // `size` zero bytes of its own.
    explicit RowData(std::size_t size);
    // `bytes`, then zeros up to `size` bytes (at least the bytes'), where the arena places them.
    RowData(std::span<const std::uint8_t> bytes, std::size_t size, RowArena& arena);
    RowData(const RowData& other);
    RowData& operator=(const RowData& other);
    RowData(RowData&& other) noexcept;
    RowData& operator=(RowData&& other) noexcept;
    ~RowData() { LeaveBlock(); }

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
    void LeaveBlock() noexcept;

    std::unique_ptr<std::uint8_t[]> m_own;
    RowBlock* m_block = nullptr;  // the block of a slice, one count held
    std::uint8_t* m_bytes = nullptr;
    std::size_t m_size = 0;
    std::size_t m_room = 0;
};

}  // namespace varnel
