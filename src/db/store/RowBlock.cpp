#include "db/store/RowBlock.h"

#include <new>

namespace varnel {

static_assert(sizeof(RowBlock) <= 16 && alignof(RowBlock) <= 16);

RowBlock* RowBlock::Make(std::size_t size, std::size_t count)
{
    void* memory = ::operator new(kHeaderBytes + size);
    return new (memory) RowBlock(size, count);
}

void RowBlock::Release(std::size_t count) noexcept
{
    if (m_count.fetch_sub(count, std::memory_order_acq_rel) != count) return;
    this->~RowBlock();
    ::operator delete(this);
}

}  // namespace varnel
