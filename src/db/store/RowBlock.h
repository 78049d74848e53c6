// RowBlock: memory that the rows of one load share (a piece of the file's image, copied row data or
// the row objects themselves), freed with the last row that uses it.
//
// A load makes tens of thousands of rows, and a shared pointer per row would cost an atomic operation
// each. A block is counted by hand instead: it is made holding a large count for its maker, which
// hands single counts to rows without touching the block (HeldRowBlock) and gives back the ones it did
// not hand out when it lets the block go. Each row gives its count back with Release.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace varnel {

class RowBlock {
public:
    RowBlock(const RowBlock&) = delete;
    RowBlock& operator=(const RowBlock&) = delete;

    // A block of `size` bytes, not yet written, holding `count` counts for the caller.
    static RowBlock* Make(std::size_t size, std::size_t count);

    // Aligned as an allocation of the heap is.
    std::uint8_t* Bytes() { return reinterpret_cast<std::uint8_t*>(this) + kHeaderBytes; }
    std::size_t Size() const { return m_size; }
    // Gives back `count` counts; the last frees the block.
    void Release(std::size_t count = 1) noexcept;

private:
    static constexpr std::size_t kHeaderBytes = 16;

    RowBlock(std::size_t size, std::size_t count) : m_count(count), m_size(size) {}
    ~RowBlock() = default;

    std::atomic<std::size_t> m_count;
    std::size_t m_size;
};

// The maker's hold on its current block, handing one count at a time to the rows placed in it.
class HeldRowBlock {
public:
    HeldRowBlock() = default;
    HeldRowBlock(const HeldRowBlock&) = delete;
    HeldRowBlock& operator=(const HeldRowBlock&) = delete;
    ~HeldRowBlock() { Replace(nullptr); }

    // Lets the current block go and holds a new one of `size` bytes.
    RowBlock& Renew(std::size_t size)
    {
        Replace(RowBlock::Make(size, kCounts));
        return *m_block;
    }
    // The current block; null before the first.
    RowBlock* Get() const { return m_block; }
    // The block, with one count for the caller to give back.
    RowBlock* Hand()
    {
        ++m_handed;
        return m_block;
    }

private:
    // More than a block's rows could ever take.
    static constexpr std::size_t kCounts = std::size_t{1} << 40;

    void Replace(RowBlock* block)
    {
        if (m_block) m_block->Release(kCounts - m_handed);
        m_block = block;
        m_handed = 0;
    }

    RowBlock* m_block = nullptr;
    std::size_t m_handed = 0;
};

}  // namespace varnel
