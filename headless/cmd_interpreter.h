// The command scripts the plug-in has the host execute, run for real: a small interpreter for the
// subset of the Windows command interpreter that the plug-in writes.
//
//   @echo off | @echo on     command echo (an '@' hides one line's echo)
//   echo TEXT | echo.        a line in the script's window
//   cd [/d] DIR              the working directory (quotes allowed)
//   start [/belownormal | /low | /normal] ["TITLE"] PROGRAM ARGS
//                            starts PROGRAM, found in the working directory unless its path is
//                            absolute, without waiting, at lower priority for /belownormal
//                            and /low
//   rem ..., :: ...          comments
//
// Before a line runs, "%%" becomes "%", "%0" the script's path and "%NAME%" the environment
// variable NAME (empty when it is not set), as in a script file. A program receives its
// arguments split the way the Windows C runtime splits a command line (blanks separate, double
// quotes group, backslashes escape only quotes), and every argument that is an absolute Windows
// path ("C:\..." or "C:/...") is mapped to the native path of its drive.
#pragma once

#include "headless/drive_map.h"

#include <functional>
#include <string>
#include <vector>

namespace headless {

// One program a script started (or failed to start).
struct ProgramStart {
    // The native path of the program file.
    std::string program;
    // As the program receives them, after the mapping of Windows paths.
    std::vector<std::string> arguments;
    // The argument text as the script line had it.
    std::string argumentText;
    // The native working directory it starts in.
    std::string directory;
    bool belowNormal = false;
    bool started = false;
    int pid = 0;
    // Why it did not start.
    std::string error;
};

// One execution of a script.
struct ScriptRun {
    // The script as the plug-in named it (Windows text).
    std::string file;
    // The lines its window showed: echoes and error messages.
    std::vector<std::string> output;
    std::vector<ProgramStart> starts;
};

class CmdInterpreter {
public:
    // `launch` starts one program; it fills in started, pid and error.
    using Launcher = std::function<void(ProgramStart&)>;

    CmdInterpreter(const DriveMap& drives, Launcher launch)
        : drives_(drives), launch_(std::move(launch)) {}

    // Runs `text` line by line in `directory` (native), recording what happens in `run`. Lines
    // end with a line feed, optionally after a carriage return. A line that fails shows its
    // error and the script goes on, as the Windows interpreter does.
    void run(const std::string& text, const std::string& directory, ScriptRun& run);

private:
    void execute(const std::string& line, ScriptRun& run);
    void changeDirectory(const std::string& arguments, ScriptRun& run);
    void start(const std::string& arguments, ScriptRun& run);
    std::string windowsDirectory() const;

    const DriveMap& drives_;
    Launcher launch_;
    std::string directory_;
    std::string scriptPath_;
    bool echo_ = true;
};

// Splits a command line into arguments the way the Windows C runtime does: blanks and tabs
// separate; double quotes group and are removed; 2n backslashes before a quote give n
// backslashes and the quote groups, 2n+1 give n backslashes and a literal quote; other
// backslashes are literal.
std::vector<std::string> splitCommandLine(const std::string& text);

// Expands a script line's percent signs as a script file does (see above).
std::string expandPercents(const std::string& line, const std::string& scriptPath);

// Starts the program without waiting for it: in its directory, at lower priority (niceness
// raised by 10) when below normal is set. Fills in started and pid, or error.
void launchProgram(ProgramStart& start);

} // namespace headless

namespace headless {

// The programs scripts started, so that they can be waited for; ended ones are reaped when the
// table goes, running ones are left to run on.
class ChildProcesses {
public:
    ChildProcesses() = default;
    ChildProcesses(const ChildProcesses&) = delete;
    ChildProcesses& operator=(const ChildProcesses&) = delete;
    ~ChildProcesses();

    void add(int pid) { pids_.push_back(pid); }
    // Waits for every program to end.
    void waitAll();

private:
    std::vector<int> pids_;
};

} // namespace headless
