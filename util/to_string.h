// Integer text for messages.
#pragma once

#include <cstdint>
#include <string>

// Decimal form of `value` as printf's "%i" prints it: "-" for negatives, no leading zeros and no
// plus sign. Does not throw except std::bad_alloc.
std::string toString(std::int32_t value);
