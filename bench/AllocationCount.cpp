// The counting replacements of the global operator new and delete: allocations, and the bytes held.
#include "AllocationCount.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<std::uint64_t> g_allocations{0};
std::atomic<std::int64_t> g_heapBytes{0};
std::atomic<std::int64_t> g_heapPeak{0};
std::atomic<int> g_uncounted{0};

bool Counting() { return g_uncounted.load(std::memory_order_relaxed) == 0; }

void* Counted(void* block)
{
    if (!block) throw std::bad_alloc();
    if (!Counting()) return block;
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    const auto size = static_cast<std::int64_t>(malloc_usable_size(block));
    const std::int64_t now = g_heapBytes.fetch_add(size, std::memory_order_relaxed) + size;
    std::int64_t peak = g_heapPeak.load(std::memory_order_relaxed);
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
    return block;
}

void Released(void* block)
{
    if (block && Counting()) g_heapBytes.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(block)), std::memory_order_relaxed);
    std::free(block);
}

}  // namespace

// The replacements are kept out of line: inlined into a caller, the compiler would pair a malloc or
// free it sees there with the new or delete of the caller and warn of a mismatch.
[[gnu::noinline]] void* operator new(std::size_t size) { return Counted(std::malloc(size == 0 ? 1 : size)); }
[[gnu::noinline]] void operator delete(void* block) noexcept { Released(block); }
[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept { Released(block); }

namespace varnel::bench {

std::uint64_t AllocationCount() { return g_allocations.load(std::memory_order_relaxed); }
std::int64_t HeapBytes() { return g_heapBytes.load(std::memory_order_relaxed); }
std::int64_t HeapPeak() { return g_heapPeak.load(std::memory_order_relaxed); }
void ResetHeapPeak() { g_heapPeak.store(HeapBytes(), std::memory_order_relaxed); }

UncountedScope::UncountedScope() { g_uncounted.fetch_add(1, std::memory_order_relaxed); }
UncountedScope::~UncountedScope() { g_uncounted.fetch_sub(1, std::memory_order_relaxed); }

}  // namespace varnel::bench
