// A path value as the host hands it to plug-ins: Windows path text with drive letters and
// backslashes ("Z:\scenes\room.zvs"). The plug-in never opens such text itself; every file access
// goes through the host, which maps it to the machine's file system.
#pragma once

#include <string>

class HostFilename {
public:
    HostFilename() = default;
    explicit HostFilename(std::string text) : text_(std::move(text)) {}

    const std::string& text() const { return text_; }
    bool empty() const { return text_.empty(); }

    // Everything before the last separator ('\' or '/'); a drive root keeps its backslash
    // ("C:\room.zvs" gives "C:\"). Empty when the text names a bare file.
    HostFilename directory() const;
    // The last component ("C:\scenes\room.zvs" gives "room.zvs").
    HostFilename file() const;
    // The file part's suffix without the dot ("zvs"), or empty. A leading dot is not a suffix.
    std::string suffix() const;
    // True when suffix() equals `s`, ignoring ASCII letter case.
    bool checkSuffix(const std::string& s) const;
    // Replaces the suffix (or adds one); an empty `s` removes it.
    void setSuffix(const std::string& s);
    // The file part without its suffix ("room").
    std::string fileStem() const;

    // This path joined with a relative `name` by one backslash. An empty path gives `name`.
    HostFilename operator+(const HostFilename& name) const;
    HostFilename operator+(const std::string& name) const { return *this + HostFilename(name); }

    bool operator==(const HostFilename& o) const { return text_ == o.text_; }
    bool operator!=(const HostFilename& o) const { return text_ != o.text_; }

private:
    std::string text_;
};
