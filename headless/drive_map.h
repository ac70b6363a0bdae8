// Windows path text to paths of this machine and back, the way Wine maps drives: Z: is the root
// of the file system ("Z:\tmp\a.zvs" is "/tmp/a.zvs"); other letters map to chosen directories.
#pragma once

#include <map>
#include <string>

namespace headless {

class DriveMap {
public:
    DriveMap();

    // Maps drive `letter` (either case) to the native directory `root`.
    void mapDrive(char letter, const std::string& root);
    void unmapDrive(char letter);

    // The native path of Windows path text. Both separators are accepted. A path on an unmapped
    // drive maps to nothing (empty); a path without a drive keeps its (relative) text with '/'.
    std::string toNative(const std::string& windowsPath) const;
    // The Windows text of a native path: under the deepest mapped root that contains it, or on Z:.
    // Relative paths are made absolute against the working directory first.
    std::string toWindows(const std::string& nativePath) const;

private:
    std::map<char, std::string> roots_;
};

} // namespace headless
