// A replacement of the nothrow operator new that fails on request, so that tests reach the
// out-of-memory paths of AllocZeroed's callers.
#include "allocation_failure.h"

#include <atomic>
#include <cstddef>
#include <new>

namespace {
std::atomic<int> s_allocations_until_failure{0};
} // namespace

namespace comlink_test {

void fail_nothrow_allocation(int nth) {
    s_allocations_until_failure = nth;
}

} // namespace comlink_test

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    int left = s_allocations_until_failure.load();
    if (left > 0) {
        s_allocations_until_failure = left - 1;
        if (left == 1)
            return nullptr;
    }
    // The throwing form allocates, so the usual operator delete releases the block.
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}
