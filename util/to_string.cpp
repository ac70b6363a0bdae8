#include "util/to_string.h"

std::string toString(std::int32_t value) {
    return std::to_string(value);
}
