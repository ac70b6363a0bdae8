#include "scene/relative_path.h"

#include <vector>

namespace {
constexpr std::size_t kShortest = 4;
// A drive root, "C:\", is three characters that the rule takes as equal.
constexpr std::size_t kDriveRootLength = 3;

struct Component {
    std::size_t from;
    std::size_t length;
};

// The path components of `path` after its drive root, where each starts and how long it is.
// Runs of backslashes separate components like a single one; a trailing backslash opens none.
std::vector<Component> componentsOf(const std::string& path) {
    std::vector<Component> components;
    std::size_t at = kDriveRootLength;
    while (at < path.size()) {
        if (path[at] == '\\') {
            ++at;
            continue;
        }
        const std::size_t end = path.find('\\', at);
        const std::size_t stop = end == std::string::npos ? path.size() : end;
        components.push_back({at, stop - at});
        at = stop;
    }
    return components;
}

bool sameComponent(const std::string& a, const Component& ca, const std::string& b,
                   const Component& cb) {
    return ca.length == cb.length && a.compare(ca.from, ca.length, b, cb.from, cb.length) == 0;
}
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
    // Directories are compared as whole names, so C:\a\scene2 is not inside C:\a\scene.
    const std::vector<Component> from = componentsOf(base);
    const std::vector<Component> to = componentsOf(target);
    std::size_t common = 0;
    while (common < from.size() && common < to.size() &&
           sameComponent(base, from[common], target, to[common])) {
        ++common;
    }
    // The target's last name is always written, even where it names the base or one of its
    // parents: C:\a\b seen from C:\a\b is ..\b.
    if (common > 0 && common == to.size()) {
        --common;
    }
    const std::size_t levels = from.size() - common;
    const std::size_t rest = common < to.size() ? to[common].from : lt;
    if (3 * levels + lt - rest > kMaxRelativePathText) {
        return std::nullopt;
    }
    std::string result;
    result.reserve(3 * levels + lt - rest);
    for (std::size_t n = 0; n < levels; ++n) {
        result += "..\\";
    }
    result.append(target, rest, std::string::npos);
    return result;
}
