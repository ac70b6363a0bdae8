// Records the largest single allocation the test program asks for, to show that a lying count
// in a file is refused before anything is allocated for it. Kept in a translation unit of its
// own so that the replaced allocation functions are never inlined into their callers.
#pragma once

#include <cstddef>

void resetLargestAllocation();
std::size_t largestAllocation();
