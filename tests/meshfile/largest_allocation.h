// Records the largest single allocation the test program asks for, to show that a lying count
// in a file is refused before anything is allocated for it, and can make large allocations fail
// as if memory ran out. Kept in a translation unit of its
// own so that the replaced allocation functions are never inlined into their callers.
#pragma once

#include <cstddef>

void resetLargestAllocation();
std::size_t largestAllocation();

// From now on every allocation larger than `size` bytes throws std::bad_alloc; 0 lifts the
// limit.
void failAllocationsAbove(std::size_t size);
