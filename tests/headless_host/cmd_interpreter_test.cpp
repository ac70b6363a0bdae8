#include "headless/cmd_interpreter.h"
#include "headless/host.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>

namespace {

using namespace headless;

TEST(SplitCommandLine, FollowsTheWindowsRuntimesRules) {
    struct Case {
        const char* line;
        std::vector<std::string> args;
    };
    for (const Case& c : {
             Case{"a b\tc", {"a", "b", "c"}},
             Case{"  \"a b\"  c ", {"a b", "c"}},
             Case{"-seed 12 \"C:\\my scenes\\room.zvs\" ",
                  {"-seed", "12", "C:\\my scenes\\room.zvs"}},
             Case{"a\"b c\"d", {"ab cd"}},
             Case{"\"\"", {""}},
             Case{"C:\\dir\\ x", {"C:\\dir\\", "x"}},
             Case{"\"C:\\\\\" x", {"C:\\", "x"}},
             Case{"\"C:\\\" x", {"C:\" x"}},
             Case{"a\\\\\\\"b", {"a\\\"b"}},
             Case{"\"a\"\"b\"", {"a\"b"}},
         }) {
        EXPECT_EQ(splitCommandLine(c.line), c.args) << c.line;
    }
}

TEST(ExpandPercents, AsAScriptFileDoes) {
    ::setenv("TOLVANE_TEST_VAR", "value", 1);
    ::unsetenv("TOLVANE_TEST_UNSET");
    struct Case {
        const char* line;
        const char* expanded;
    };
    for (const Case& c : {
             Case{"100%% done", "100% done"},
             Case{"C:\\50%%\\a%%b", "C:\\50%\\a%b"},
             Case{"[%TOLVANE_TEST_VAR%]", "[value]"},
             Case{"[%TOLVANE_TEST_UNSET%]", "[]"},
             Case{"%0 and %1 and %*", "C:\\s.cmd and  and "},
             Case{"lone % sign", "lone  sign"},
             Case{"end %", "end "},
         }) {
        EXPECT_EQ(expandPercents(c.line, "C:\\s.cmd"), c.expanded) << c.line;
    }
}

class CmdInterpreterTest : public ::testing::Test {
protected:
    void SetUp() override {
        drives.mapDrive('C', dir.path());
        dir.write("renderer/tool.exe", "#!/bin/sh\nexit 0\n", true);
        std::filesystem::create_directories(dir / "scripts");
    }

    // Runs the script text with a launcher that records instead of starting.
    ScriptRun run(const std::string& text) {
        ScriptRun r;
        r.file = "C:\\scripts\\run.cmd";
        CmdInterpreter interpreter(drives, [](ProgramStart& s) {
            s.started = true;
            s.pid = 1;
        });
        interpreter.run(text, dir / "scripts", r);
        return r;
    }

    TempDir dir;
    DriveMap drives;
};

TEST_F(CmdInterpreterTest, RunsTheLinesThePluginWrites) {
    const ScriptRun r = run("@echo off\r\n"
                            "cd /d \"C:\\renderer\"\r\n"
                            "echo Rendering frame 1...\n"
                            "start /belownormal tool.exe -seed 7 \"C:\\my scenes\\100%%.zvs\" -o "
                            "\"C:/out/a.png\" relative\\x \n"
                            "echo Done!\n"
                            "rem nothing\n"
                            ":: nothing either\n"
                            "echo.\n");
    EXPECT_EQ(r.output, (std::vector<std::string>{"Rendering frame 1...", "Done!", ""}));
    ASSERT_EQ(r.starts.size(), 1u);
    const ProgramStart& s = r.starts[0];
    EXPECT_TRUE(s.started);
    EXPECT_TRUE(s.belowNormal);
    EXPECT_EQ(s.program, dir / "renderer/tool.exe");
    EXPECT_EQ(s.directory, dir / "renderer");
    EXPECT_EQ(s.argumentText,
              "-seed 7 \"C:\\my scenes\\100%.zvs\" -o \"C:/out/a.png\" relative\\x ");
    EXPECT_EQ(s.arguments, (std::vector<std::string>{"-seed", "7", dir / "my scenes/100%.zvs", "-o",
                                                     dir / "out/a.png", "relative\\x"}));
}

TEST_F(CmdInterpreterTest, EchoShowsCommandsUntilSwitchedOff) {
    const ScriptRun r = run("echo hi\ncd ..\\renderer\necho\n@echo off\necho\ncd\n");
    const std::string scripts = drives.toWindows(dir / "scripts");
    const std::string renderer = drives.toWindows(dir / "renderer");
    EXPECT_EQ(r.output, (std::vector<std::string>{scripts + ">echo hi", "hi",
                                                  scripts + ">cd ..\\renderer", renderer + ">echo",
                                                  "ECHO is on.", "ECHO is off.", renderer}));
}

TEST_F(CmdInterpreterTest, AFailingLineShowsItsErrorAndTheScriptGoesOn) {
    const ScriptRun r = run("@echo off\n"
                            "cd /d \"C:\\nowhere\"\n"
                            "cd /d \"Q:\\unmapped\"\n"
                            "start missing.exe a\n"
                            "start /wait tool.exe\n"
                            "start\n"
                            "copy a b\n"
                            "cd /d C:\\renderer\n"
                            "start \"a title\" tool.exe x\n");
    EXPECT_EQ(r.output,
              (std::vector<std::string>{
                  "The system cannot find the path specified.",
                  "The system cannot find the path specified.",
                  "Windows cannot find 'missing.exe'. Make sure you typed the name correctly, and "
                  "then try again.",
                  "Invalid switch - \"/wait\".", "The syntax of the command is incorrect.",
                  "'copy' is not recognized as an internal or external command, operable program "
                  "or batch file."}));
    ASSERT_EQ(r.starts.size(), 2u);
    EXPECT_FALSE(r.starts[0].started);
    EXPECT_EQ(r.starts[0].program, dir / "scripts/missing.exe");
    EXPECT_TRUE(r.starts[1].started);
    EXPECT_EQ(r.starts[1].arguments, std::vector<std::string>{"x"});
}

TEST_F(CmdInterpreterTest, StartedProgramsRunInTheirDirectoryAtLowerPriority) {
    dir.write("renderer/record.exe",
              "#!/bin/sh\n"
              "{ pwd; cut -d' ' -f19 /proc/$$/stat; printf '%s\\n' \"$@\"; } > ../record.txt\n",
              true);
    HeadlessHost host;
    host.drives().mapDrive('C', dir.path());
    dir.write("scripts/run.cmd", "@echo off\ncd /d \"C:\\renderer\"\n"
                                 "start /belownormal record.exe \"C:\\a b\" --flag\n");
    EXPECT_TRUE(host.executeFile(HostFilename("C:\\scripts\\run.cmd")));
    host.waitForPrograms();
    const int parentNice = ::getpriority(PRIO_PROCESS, 0);
    EXPECT_EQ(dir.read("record.txt"), dir / "renderer" + "\n" +
                                          std::to_string(std::min(parentNice + 10, 19)) + "\n" +
                                          dir / "a b" + "\n--flag\n");
    ASSERT_EQ(host.scriptRuns().size(), 1u);
    EXPECT_TRUE(host.scriptRuns()[0].starts.at(0).started);
    EXPECT_GT(host.scriptRuns()[0].starts[0].pid, 0);
    EXPECT_EQ(host.executions(), std::vector<std::string>{"C:\\scripts\\run.cmd"});
}

TEST_F(CmdInterpreterTest, AProgramThatCannotRunIsRecordedAsNotStarted) {
    dir.write("renderer/broken.exe",
              "\x7f"
              "garbage, not a program",
              true);
    ProgramStart s;
    s.program = dir / "renderer/broken.exe";
    s.directory = dir / "renderer";
    launchProgram(s);
    EXPECT_FALSE(s.started);
    EXPECT_EQ(s.error, "cannot start: Exec format error");
}

TEST_F(CmdInterpreterTest, OnlyScriptsRunAndMissingFilesFail) {
    HeadlessHost host;
    host.drives().mapDrive('C', dir.path());
    dir.write("notes.txt", "echo no");
    EXPECT_TRUE(host.executeFile(HostFilename("C:\\notes.txt")));
    EXPECT_FALSE(host.executeFile(HostFilename("C:\\missing.cmd")));
    EXPECT_FALSE(host.executeFile(HostFilename()));
    EXPECT_TRUE(host.scriptRuns().empty());
    EXPECT_EQ(host.executions().size(), 3u);
}

} // namespace
