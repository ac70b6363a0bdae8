// Text of the batch scripts the plug-in has the host execute (zarvex_run.cmd): raw 8-bit bytes,
// every line ended by a single line feed, no terminating zero. Paths written into a script are
// checked first, so that a script never says something other than what was meant.
#pragma once

#include <string>

class BatchScript {
public:
    // `subject` names what the script starts, for the console line of a refusal ("renderer",
    // "material packer").
    explicit BatchScript(std::string subject) : subject_(std::move(subject)) {}

    // Appends text as it is.
    void text(const std::string& text) { bytes_ += text; }
    void line(const std::string& text) { bytes_ += text + "\n"; }

    // `path` as it can stand in the script, with every '%' doubled so that the command
    // interpreter does not expand it. None, and the script is refused, when the path holds a
    // carriage return, line feed or NUL (it would end the script line), a double quote (it
    // would end the quoted argument), or when the written path has 1000 characters or more
    // (the longest piece a script line may hold).
    bool path(const std::string& path, std::string& written);
    // The same for a path inside double quotes that the program reads as an argument: a
    // trailing backslash is doubled, since a backslash before the closing quote would escape it.
    bool argumentPath(const std::string& path, std::string& written);

    bool refused() const { return !refusal_.empty(); }
    // The console line saying why the script was refused (the first reason), naming the path.
    const std::string& refusal() const { return refusal_; }
    const std::string& bytes() const { return bytes_; }

private:
    void refuse(const std::string& why, const std::string& path);

    std::string subject_;
    std::string bytes_;
    std::string refusal_;
};

// The longest piece of text (one literal or one path) a script line may hold is one less.
constexpr std::size_t kScriptPieceLimit = 1000;
