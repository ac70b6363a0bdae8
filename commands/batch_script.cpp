#include "commands/batch_script.h"

namespace {

// The path as a console line can show it: line breaks and NUL as escapes.
std::string shown(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\0') {
            out += "\\0";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

void BatchScript::refuse(const std::string& why, const std::string& path) {
    if (refusal_.empty()) {
        refusal_ = "The " + subject_ + " was not started: " + why + ": " + shown(path);
    }
}

bool BatchScript::path(const std::string& path, std::string& written) {
    if (path.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
        refuse("a path holds a line break or NUL character", path);
        return false;
    }
    if (path.find('"') != std::string::npos) {
        refuse("a path holds a double quote", path);
        return false;
    }
    written.clear();
    for (char c : path) {
        written += c;
        if (c == '%') {
            written += '%';
        }
    }
    if (written.size() >= kScriptPieceLimit) {
        refuse("a path of " + std::to_string(kScriptPieceLimit) +
                   " characters or more does not fit into the script",
               path);
        return false;
    }
    return true;
}

bool BatchScript::argumentPath(const std::string& path, std::string& written) {
    if (!this->path(path, written)) {
        return false;
    }
    if (!written.empty() && written.back() == '\\') {
        written += '\\';
    }
    return true;
}
