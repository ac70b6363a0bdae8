#include "headless/cmd_interpreter.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace headless {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string trimLeft(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) {
        ++i;
    }
    return s.substr(i);
}

std::string trim(const std::string& s) {
    std::string t = trimLeft(s);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) {
        t.pop_back();
    }
    return t;
}

// The command word and what follows it. Like the Windows interpreter, "echo." and "cd.." end
// the word at the dot.
void splitCommand(const std::string& line, std::string& word, std::string& rest) {
    std::size_t end = 0;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '.' &&
           line[end] != '/' && line[end] != '"') {
        ++end;
    }
    word = lower(line.substr(0, end));
    rest = line.substr(end);
}

bool isWindowsAbsolute(const std::string& s) {
    return s.size() >= 3 && std::isalpha((unsigned char)s[0]) && s[1] == ':' &&
           (s[2] == '\\' || s[2] == '/');
}

std::string unquote(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c != '"') {
            out += c;
        }
    }
    return out;
}

// The next blank-separated token of `text` from `at`, with its quotes; `at` moves past it.
std::string nextToken(const std::string& text, std::size_t& at) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    const std::size_t begin = at;
    bool quoted = false;
    while (at < text.size() && (quoted || (text[at] != ' ' && text[at] != '\t'))) {
        if (text[at] == '"') {
            quoted = !quoted;
        }
        ++at;
    }
    return text.substr(begin, at - begin);
}

bool isExecutableFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

} // namespace

std::vector<std::string> splitCommandLine(const std::string& text) {
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\\') {
            std::size_t n = 0;
            while (i < text.size() && text[i] == '\\') {
                ++n;
                ++i;
            }
            inArgument = true;
            if (i < text.size() && text[i] == '"') {
                current.append(n / 2, '\\');
                if (n % 2 == 1) {
                    current += '"';
                    ++i;
                }
            } else {
                current.append(n, '\\');
            }
            continue;
        }
        if (c == '"') {
            inArgument = true;
            // Inside quotes, a doubled quote is a literal quote (the runtime's rule since 2008).
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                current += '"';
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) {
                args.push_back(current);
                current.clear();
                inArgument = false;
            }
            ++i;
            continue;
        }
        current += c;
        inArgument = true;
        ++i;
    }
    if (inArgument) {
        args.push_back(current);
    }
    return args;
}

std::string expandPercents(const std::string& line, const std::string& scriptPath) {
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '%') {
            out += line[i];
            continue;
        }
        if (i + 1 >= line.size()) {
            break;
        }
        const char next = line[i + 1];
        if (next == '%') {
            out += '%';
            ++i;
        } else if (next == '0') {
            out += scriptPath;
            ++i;
        } else if (std::isdigit((unsigned char)next) || next == '*') {
            // The script gets no arguments of its own.
            ++i;
        } else {
            const std::size_t close = line.find('%', i + 1);
            if (close == std::string::npos) {
                // A lone percent sign is dropped.
                continue;
            }
            const std::string name = line.substr(i + 1, close - i - 1);
            const char* value = std::getenv(name.c_str());
            if (value == nullptr) {
                std::string upper = name;
                std::transform(upper.begin(), upper.end(), upper.begin(),
                               [](unsigned char c) { return std::toupper(c); });
                value = std::getenv(upper.c_str());
            }
            if (value != nullptr) {
                out += value;
            }
            i = close;
        }
    }
    return out;
}

void launchProgram(ProgramStart& start) {
    std::vector<std::string> argvText;
    argvText.push_back(start.program);
    argvText.insert(argvText.end(), start.arguments.begin(), start.arguments.end());
    std::vector<char*> argv;
    for (std::string& a : argvText) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    // The child reports a failed exec through this pipe; a successful exec closes it unread.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        start.error = std::string("cannot start: ") + std::strerror(errno);
        return;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        start.error = std::string("cannot start: ") + std::strerror(errno);
        ::close(report[0]);
        ::close(report[1]);
        return;
    }
    if (pid == 0) {
        ::close(report[0]);
        int error = 0;
        if (::chdir(start.directory.c_str()) != 0) {
            error = errno;
        } else {
            if (start.belowNormal) {
                errno = 0;
                if (::nice(10) == -1 && errno != 0) {
                    error = errno;
                }
            }
            if (error == 0) {
                ::execv(argv[0], argv.data());
                error = errno;
            }
        }
        ssize_t ignored = ::write(report[1], &error, sizeof error);
        (void)ignored;
        ::_exit(127);
    }
    ::close(report[1]);
    int error = 0;
    ssize_t n = 0;
    do {
        n = ::read(report[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    ::close(report[0]);
    if (n == ssize_t(sizeof error)) {
        ::waitpid(pid, nullptr, 0);
        start.error = std::string("cannot start: ") + std::strerror(error);
        return;
    }
    start.started = true;
    start.pid = int(pid);
}

void CmdInterpreter::run(const std::string& text, const std::string& directory, ScriptRun& run) {
    directory_ = directory;
    scriptPath_ = run.file;
    echo_ = true;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        execute(line, run);
        begin = end + 1;
    }
}

std::string CmdInterpreter::windowsDirectory() const {
    return drives_.toWindows(directory_);
}

void CmdInterpreter::execute(const std::string& rawLine, ScriptRun& run) {
    std::string line = trimLeft(rawLine);
    bool quiet = false;
    if (!line.empty() && line[0] == '@') {
        quiet = true;
        line = trimLeft(line.substr(1));
    }
    if (line.empty()) {
        return;
    }
    if (echo_ && !quiet) {
        run.output.push_back(windowsDirectory() + ">" + line);
    }
    line = expandPercents(line, scriptPath_);
    std::string word;
    std::string rest;
    splitCommand(line, word, rest);
    if (word == "rem" || line.compare(0, 2, "::") == 0) {
        return;
    }
    if (word == "echo") {
        const std::string argument = trim(rest);
        if (!rest.empty() && rest[0] == '.') {
            run.output.push_back(rest.substr(1));
        } else if (lower(argument) == "off") {
            echo_ = false;
        } else if (lower(argument) == "on") {
            echo_ = true;
        } else if (argument.empty()) {
            run.output.push_back(echo_ ? "ECHO is on." : "ECHO is off.");
        } else {
            // The text after the one separating blank, trailing blanks included.
            run.output.push_back(rest.substr(1));
        }
        return;
    }
    if (word == "cd" || word == "chdir") {
        changeDirectory(rest, run);
        return;
    }
    if (word == "start") {
        start(rest, run);
        return;
    }
    run.output.push_back("'" + word + "' is not recognized as an internal or external command, " +
                         "operable program or batch file.");
}

void CmdInterpreter::changeDirectory(const std::string& arguments, ScriptRun& run) {
    std::string rest = trim(arguments);
    if (lower(rest.substr(0, 2)) == "/d" &&
        (rest.size() == 2 || rest[2] == ' ' || rest[2] == '"')) {
        rest = trim(rest.substr(2));
    }
    const std::string target = unquote(rest);
    if (target.empty()) {
        run.output.push_back(windowsDirectory());
        return;
    }
    std::string native;
    if (std::isalpha((unsigned char)target[0]) && target.size() >= 2 && target[1] == ':') {
        native = drives_.toNative(target);
    } else {
        std::string relative = target;
        std::replace(relative.begin(), relative.end(), '\\', '/');
        native = (fs::path(directory_) / relative).string();
    }
    std::error_code ec;
    if (native.empty() || !fs::is_directory(native, ec)) {
        run.output.push_back("The system cannot find the path specified.");
        return;
    }
    directory_ = fs::path(native).lexically_normal().string();
    if (directory_.size() > 1 && directory_.back() == '/') {
        directory_.pop_back();
    }
}

void CmdInterpreter::start(const std::string& arguments, ScriptRun& run) {
    ProgramStart program;
    program.directory = directory_;
    std::size_t at = 0;
    std::string token = nextToken(arguments, at);
    while (!token.empty() && token[0] == '/') {
        const std::string option = lower(token);
        if (option == "/belownormal" || option == "/low") {
            program.belowNormal = true;
        } else if (option != "/normal") {
            run.output.push_back("Invalid switch - \"" + token + "\".");
            return;
        }
        token = nextToken(arguments, at);
    }
    // As for the Windows interpreter, a first quoted text is the window's title.
    if (!token.empty() && token[0] == '"') {
        token = nextToken(arguments, at);
    }
    if (token.empty()) {
        run.output.push_back("The syntax of the command is incorrect.");
        return;
    }
    const std::string name = unquote(token);
    std::string path;
    if (isWindowsAbsolute(name)) {
        path = drives_.toNative(name);
    } else {
        std::string relative = name;
        std::replace(relative.begin(), relative.end(), '\\', '/');
        path = relative.empty() || relative[0] == '/'
                   ? relative
                   : (fs::path(directory_) / relative).lexically_normal().string();
    }
    if (!isExecutableFile(path) && isExecutableFile(path + ".exe")) {
        path += ".exe";
    }
    program.program = path;
    program.argumentText = at < arguments.size() ? arguments.substr(at + 1) : std::string();
    for (const std::string& argument : splitCommandLine(program.argumentText)) {
        const std::string native = isWindowsAbsolute(argument) ? drives_.toNative(argument) : "";
        program.arguments.push_back(native.empty() ? argument : native);
    }
    if (!isExecutableFile(path)) {
        program.error = "no program " + path;
        run.output.push_back("Windows cannot find '" + name +
                             "'. Make sure you typed the name correctly, and then try again.");
    } else {
        launch_(program);
        if (!program.started) {
            run.output.push_back(name + ": " + program.error);
        }
    }
    run.starts.push_back(std::move(program));
}

} // namespace headless

namespace headless {

ChildProcesses::~ChildProcesses() {
    for (int pid : pids_) {
        ::waitpid(pid, nullptr, WNOHANG);
    }
}

void ChildProcesses::waitAll() {
    for (int pid : pids_) {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    pids_.clear();
}

} // namespace headless
