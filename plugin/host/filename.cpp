#include "plugin/host/filename.h"

#include <cctype>

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string::size_type lastSeparator(const std::string& s) {
    return s.find_last_of("\\/");
}

bool isDriveRoot(const std::string& s, std::string::size_type separator) {
    return separator == 2 && s.size() >= 3 && s[1] == ':' && std::isalpha((unsigned char)s[0]);
}

// Index of the dot that starts the suffix in the file part, or npos.
std::string::size_type suffixDot(const std::string& s) {
    const auto sep = lastSeparator(s);
    const auto start = sep == std::string::npos ? 0 : sep + 1;
    const auto dot = s.find_last_of('.');
    if (dot == std::string::npos || dot <= start) {
        return std::string::npos;
    }
    return dot;
}

} // namespace

HostFilename HostFilename::directory() const {
    const auto sep = lastSeparator(text_);
    if (sep == std::string::npos) {
        return HostFilename();
    }
    if (sep == 0 || isDriveRoot(text_, sep)) {
        return HostFilename(text_.substr(0, sep + 1));
    }
    return HostFilename(text_.substr(0, sep));
}

HostFilename HostFilename::file() const {
    const auto sep = lastSeparator(text_);
    return HostFilename(sep == std::string::npos ? text_ : text_.substr(sep + 1));
}

std::string HostFilename::suffix() const {
    const auto dot = suffixDot(text_);
    return dot == std::string::npos ? std::string() : text_.substr(dot + 1);
}

bool HostFilename::checkSuffix(const std::string& s) const {
    const std::string own = suffix();
    if (own.size() != s.size()) {
        return false;
    }
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (std::tolower((unsigned char)own[i]) != std::tolower((unsigned char)s[i])) {
            return false;
        }
    }
    return true;
}

void HostFilename::setSuffix(const std::string& s) {
    if (text_.empty()) {
        return;
    }
    const auto dot = suffixDot(text_);
    if (dot != std::string::npos) {
        text_.erase(dot);
    }
    if (!s.empty()) {
        text_ += '.';
        text_ += s;
    }
}

std::string HostFilename::fileStem() const {
    HostFilename f = file();
    f.setSuffix(std::string());
    return f.text();
}

HostFilename HostFilename::operator+(const HostFilename& name) const {
    if (text_.empty()) {
        return name;
    }
    if (name.empty()) {
        return *this;
    }
    std::string joined = text_;
    if (!isSeparator(joined.back())) {
        joined += '\\';
    }
    std::string::size_type start = 0;
    while (start < name.text_.size() && isSeparator(name.text_[start])) {
        ++start;
    }
    joined.append(name.text_, start, std::string::npos);
    return HostFilename(std::move(joined));
}
