#include "headless/drive_map.h"

#include <cctype>
#include <filesystem>

namespace headless {

namespace {

char driveKey(char letter) {
    return char(std::toupper((unsigned char)letter));
}

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

} // namespace

DriveMap::DriveMap() {
    roots_['Z'] = "/";
}

void DriveMap::mapDrive(char letter, const std::string& root) {
    roots_[driveKey(letter)] = withoutTrailingSlash(root);
}

void DriveMap::unmapDrive(char letter) {
    roots_.erase(driveKey(letter));
}

std::string DriveMap::toNative(const std::string& windowsPath) const {
    std::string rest = windowsPath;
    std::string root;
    const bool hasDrive = windowsPath.size() >= 2 && windowsPath[1] == ':' &&
                          std::isalpha((unsigned char)windowsPath[0]);
    if (hasDrive) {
        const auto it = roots_.find(driveKey(windowsPath[0]));
        if (it == roots_.end()) {
            return std::string();
        }
        root = it->second;
        rest = windowsPath.substr(2);
    }
    for (char& c : rest) {
        if (c == '\\') {
            c = '/';
        }
    }
    if (!hasDrive) {
        return rest;
    }
    if (root == "/") {
        return rest.empty() || rest[0] != '/' ? "/" + rest : rest;
    }
    if (rest.empty() || rest[0] != '/') {
        rest = "/" + rest;
    }
    return rest == "/" ? root : root + rest;
}

std::string DriveMap::toWindows(const std::string& nativePath) const {
    std::error_code ec;
    std::string absolute = std::filesystem::absolute(nativePath, ec).lexically_normal().string();
    if (ec) {
        absolute = nativePath;
    }
    absolute = withoutTrailingSlash(absolute);
    char bestDrive = 0;
    std::size_t bestLength = 0;
    for (const auto& [drive, root] : roots_) {
        const bool contains = root == "/" || absolute == root ||
                              (absolute.compare(0, root.size(), root) == 0 &&
                               absolute.size() > root.size() && absolute[root.size()] == '/');
        const std::size_t length = root == "/" ? 0 : root.size();
        if (contains && (bestDrive == 0 || length > bestLength)) {
            bestDrive = drive;
            bestLength = length;
        }
    }
    if (bestDrive == 0) {
        return std::string();
    }
    std::string rest = absolute.substr(bestLength);
    for (char& c : rest) {
        if (c == '/') {
            c = '\\';
        }
    }
    if (rest.empty()) {
        rest = "\\";
    }
    return std::string(1, bestDrive) + ":" + rest;
}

} // namespace headless
