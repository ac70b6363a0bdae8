#include "scene/relative_path.h"

namespace {
constexpr std::size_t kShortest = 4;
// A drive root, "C:\", is three characters that the rule takes as equal.
constexpr std::size_t kDriveRootLength = 3;
} // namespace

std::optional<std::string> relativePath(const std::string& base, const std::string& target) {
    const std::size_t lb = base.size();
    const std::size_t lt = target.size();
    if (lb < kShortest || lt < kShortest || lb > kMaxRelativePathText ||
        lt > kMaxRelativePathText) {
        return std::nullopt;
    }
    if (base[0] != target[0]) {
        return target;
    }
    std::size_t i = kDriveRootLength;
    while (i < lb && i < lt && base[i] == target[i]) {
        ++i;
    }
    if (i == lb) {
        // std::string gives '\0' at index size(), so a target equal to the base is safe here.
        if (target[i] == '\\') {
            return target.substr(i + 1);
        }
        if (target[i - 1] == '\\') {
            return target.substr(i);
        }
    }
    // One level for the base's component that holds index i, one more for every later
    // component; a trailing backslash opens no component.
    std::size_t levels = 1;
    for (std::size_t k = i + 1; k < lb; ++k) {
        if (base[k] == '\\' && k + 1 < lb) {
            ++levels;
            ++k;
        }
    }
    std::size_t p = i;
    while (p > 0 && target[p - 1] != '\\') {
        --p;
    }
    if (3 * levels + lt - p > kMaxRelativePathText) {
        return std::nullopt;
    }
    std::string result;
    result.reserve(3 * levels + lt - p);
    for (std::size_t n = 0; n < levels; ++n) {
        result += "..\\";
    }
    result.append(target, p, std::string::npos);
    return result;
}
