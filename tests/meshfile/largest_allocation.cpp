#include "largest_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> largest{0};
std::atomic<std::size_t> failAbove{0};
} // namespace

void resetLargestAllocation() {
    largest = 0;
}
std::size_t largestAllocation() {
    return largest.load();
}
void failAllocationsAbove(std::size_t size) {
    failAbove = size;
}

void* operator new(std::size_t size) {
    std::size_t seen = largest.load();
    while (size > seen && !largest.compare_exchange_weak(seen, size)) {
    }
    const std::size_t limit = failAbove.load();
    if (limit != 0 && size > limit) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
