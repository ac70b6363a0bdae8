// tolvane-host as people run it: the program with a copy of the plug-in folder and a stand-in
// renderer directory whose programs record how they were started.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tolvane-cli-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root = pattern;
        fs::copy(TOLVANE_PLUGIN_DIR, root + "/plugin", fs::copy_options::recursive);
        for (const char* program : {"zarvex.exe", "zarvex_console.exe"}) {
            const std::string file = root + "/renderer/" + program;
            write(file, std::string("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/") +
                            program + ".args\"\n");
            ::chmod(file.c_str(), 0755);
        }
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    static void write(const std::string& file, const std::string& text) {
        fs::create_directories(fs::path(file).parent_path());
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    }
    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            out.push_back(line);
        }
        return out;
    }
    static int count(const std::string& text, const std::string& prefix) {
        int n = 0;
        for (const std::string& line : lines(text)) {
            n += line.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
        }
        return n;
    }

    // Runs tolvane-host with the plug-in copy; its exit status, with standard output and error
    // in `output`.
    int host(const std::string& arguments, std::string& output) {
        const std::string command = std::string(TOLVANE_HOST_PROGRAM) + " --plugin " + root +
                                    "/plugin " + arguments + " 2>&1";
        FILE* pipe = ::popen(command.c_str(), "r");
        output.clear();
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, n);
        }
        const int status = ::pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The launch line of the render script and the arguments the renderer program recorded.
    std::string launchLine() {
        const std::vector<std::string> script =
            lines(read(root + "/plugin/presets/zarvex_run.cmd"));
        return script.size() > 3 ? script[3] : std::string();
    }
    std::vector<std::string> recorded(const char* program) {
        return lines(read(root + "/renderer/" + program + ".args"));
    }
    // The seed written into a launch line.
    static std::string seedOf(const std::string& line) {
        const std::size_t at = line.find("-seed ");
        return at == std::string::npos ? "" : line.substr(at + 6, line.find(' ', at + 6) - at - 6);
    }
    std::string windows(const std::string& native) const {
        std::string text = "Z:" + native;
        for (char& c : text) {
            c = c == '/' ? '\\' : c;
        }
        return text;
    }

    std::string root;
};

TEST_F(CliTest, ExportOfTheDemoStartsTheRendererWithTheLaunchLinesArguments) {
    std::string out;
    ASSERT_EQ(host("export --demo " + root + "/out/demo.zvs --run --renderer " + root +
                       "/renderer --wait",
                   out),
              0)
        << out;
    const std::string scene = root + "/out/demo.zvs";
    EXPECT_TRUE(fs::exists(scene));
    const std::string line = launchLine();
    const std::string seed = seedOf(line);
    EXPECT_EQ(line, "start /belownormal zarvex.exe -seed " + seed + " \"" + windows(scene) + "\"");
    EXPECT_EQ(recorded("zarvex.exe"), (std::vector<std::string>{"-seed", seed, scene}));
    EXPECT_EQ(count(out, "Saved scene to: " + windows(scene)), 1);
    EXPECT_NE(out.find("Wrote:\n  " + scene + "\n"), std::string::npos);
    // The demo's textures lie beside the scene, where the scene finds them.
    EXPECT_NE(out.find("  " + root + "/out/tex/brick.png\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(root + "/out/tex/brick.png"));
    EXPECT_NE(read(scene).find("<path>tex\\brick.png</path>"), std::string::npos);
}

TEST_F(CliTest, ExportOptionsReachTheSceneAndTheLaunch) {
    std::string out;
    ASSERT_EQ(host("export --demo " + root +
                       "/out/a.zvs --alpha --run --console --master 7000 "
                       "--image " +
                       root + "/img/shot.png --renderer " + root + "/renderer --wait",
                   out),
              0)
        << out;
    EXPECT_NE(read(root + "/out/a.zvs").find("<render_foreground_alpha>true"), std::string::npos);
    const std::string seed = seedOf(launchLine());
    EXPECT_EQ(launchLine(), "start /belownormal zarvex_console.exe -seed " + seed + " \"" +
                                windows(root + "/out/a.zvs") + "\" -n wm -p 7000 -o \"" +
                                windows(root + "/img/shot.png") + "\"");
    EXPECT_EQ(recorded("zarvex_console.exe"),
              (std::vector<std::string>{"-seed", seed, root + "/out/a.zvs", "-n", "wm", "-p",
                                        "7000", "-o", root + "/img/shot.png"}));
}

TEST_F(CliTest, ASavedDocumentExportsAFrameRange) {
    std::string out;
    ASSERT_EQ(host("save-demo " + root + "/demo.tvd", out), 0) << out;
    ASSERT_EQ(host("export " + root + "/demo.tvd " + root + "/out/anim.zvs --frames 0:2", out), 0)
        << out;
    EXPECT_EQ(count(out, "Saved scene to: "), 3);
    const std::string settings = read(root + "/plugin/presets/tolvaneSettings.cfg");
    EXPECT_NE(settings.find("<EXPORT_ANIMATION>true</EXPORT_ANIMATION>"), std::string::npos);
    EXPECT_NE(settings.find("<EXPORT_ANIMATION_END>2</EXPORT_ANIMATION_END>"), std::string::npos);
    // The next export without a range exports one frame, and over the same file only after the
    // overwrite question.
    ASSERT_EQ(host("export " + root + "/demo.tvd " + root + "/out/anim.zvs --no-geometry", out), 0)
        << out;
    EXPECT_EQ(count(out, "Saved scene to: "), 1);
    EXPECT_NE(out.find("[question] File already exists. Overwrite? -> yes"), std::string::npos);
    const std::string after = read(root + "/plugin/presets/tolvaneSettings.cfg");
    EXPECT_NE(after.find("<EXPORT_ANIMATION>false</EXPORT_ANIMATION>"), std::string::npos);
    EXPECT_NE(after.find("<NOGEOMETRY>true</NOGEOMETRY>"), std::string::npos);
}

TEST_F(CliTest, AFailedExportStartsNoRendererAndFails) {
    write(root + "/blocked", "a file, not a folder");
    std::string out;
    // The demo cannot live in a folder that cannot be made.
    EXPECT_EQ(host("export --demo " + root + "/blocked/a.zvs", out), 1) << out;
    EXPECT_NE(out.find("tolvane-host: cannot make the folder " + root + "/blocked/tex"),
              std::string::npos)
        << out;
    ASSERT_EQ(host("save-demo " + root + "/demo.tvd", out), 0) << out;
    EXPECT_EQ(host("export " + root + "/demo.tvd " + root + "/blocked/a.zvs --run --renderer " +
                       root + "/renderer",
                   out),
              1)
        << out;
    EXPECT_NE(out.find("The renderer was not started: the export did not complete."),
              std::string::npos);
    EXPECT_NE(out.find("tolvane-host: the export failed: 0 of 1 frames were written"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(root + "/renderer/zarvex.exe.args"));
}

TEST_F(CliTest, QuickRenderOfTheDemo) {
    std::string out;
    ASSERT_EQ(host("quick-render --demo --renderer " + root + "/renderer --wait", out), 0) << out;
    const std::string scene = root + "/plugin/presets/quickrender/quickrender.zvs";
    EXPECT_TRUE(fs::exists(scene));
    EXPECT_EQ(recorded("zarvex.exe"),
              (std::vector<std::string>{"-seed", seedOf(launchLine()), scene}));
    // Once the renderer is known, a quick render needs no choosing.
    fs::remove(root + "/renderer/zarvex.exe.args");
    ASSERT_EQ(host("quick-render --demo --wait", out), 0) << out;
    EXPECT_EQ(out.find("[choose directory]"), std::string::npos);
    EXPECT_TRUE(fs::exists(root + "/renderer/zarvex.exe.args"));
}

TEST_F(CliTest, UsageAndHelp) {
    std::string out;
    for (const char* command : {"export", "quick-render", "save-demo"}) {
        EXPECT_EQ(host(std::string(command) + " --help", out), 0) << command;
        EXPECT_NE(out.find(command), std::string::npos) << out;
    }
    EXPECT_EQ(host("export --demo a.zvs b.zvs", out), 2);
    EXPECT_NE(out.find("export --demo takes the scene file only"), std::string::npos);
    EXPECT_EQ(host("export --demo a.zvs --frames 2", out), 2);
    EXPECT_NE(out.find("--frames takes FIRST:LAST"), std::string::npos);
    EXPECT_NE(host("export --demo a.zvs --console", out), 0);
    EXPECT_EQ(host("export " + root + "/missing.tvd " + root + "/a.zvs", out), 1);
    EXPECT_NE(out.find("cannot read the document file"), std::string::npos);
}

} // namespace
