// The counting replacements of the global operator new and delete.
#include "AllocationCount.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::uint64_t> g_allocations{0};

}  // namespace

// The replacements are kept out of line: inlined into a caller, the compiler would pair a malloc or
// free it sees there with the new or delete of the caller and warn of a mismatch.
[[gnu::noinline]] void* operator new(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* block) noexcept { std::free(block); }
[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace varnel::bench {

std::uint64_t AllocationCount() { return g_allocations.load(std::memory_order_relaxed); }

}  // namespace varnel::bench
