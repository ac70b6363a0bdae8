#include "commands/pack_script.h"
#include "commands/render_script.h"
#include "commands/settings_file.h"

#include "fixture.h"

namespace {

using ScriptsTest = CommandsTest;

const HostFilename kExecutable("D:\\Zarvex\\zarvex.exe");

std::string renderScript(const std::string& launchLine) {
    return "@echo off\n"
           "cd /d \"D:\\Zarvex\"\n"
           "echo Rendering frame 1...\n" +
           launchLine +
           "\n"
           "echo Done!\n"
           "echo ------------------\n";
}

TEST(RenderScriptText, EveryLaunchLineVariantByteForByte) {
    struct Case {
        const char* name;
        RenderLaunch launch;
        const char* line;
    };
    RenderLaunch plain;
    plain.sceneFile = HostFilename("C:\\scenes\\room.zvs");
    RenderLaunch console = plain;
    console.console = true;
    RenderLaunch consoleBelow = console;
    consoleBelow.belowNormal = true;
    RenderLaunch master = plain;
    master.startMaster = true;
    master.port = 7777;
    master.imageFile = HostFilename("C:\\out\\shot.tif");
    RenderLaunch halt = plain;
    halt.haltSamples = 200;
    RenderLaunch capitals = plain;
    capitals.sceneFile = HostFilename("C:\\scenes\\Room.ZVS");
    RenderLaunch bare = plain;
    bare.sceneFile = HostFilename("C:\\scenes\\room");
    RenderLaunch image = plain;
    image.imageFile = HostFilename("C:\\out\\shot");
    RenderLaunch all = plain;
    all.belowNormal = true;
    all.console = true;
    all.haltSamples = 75;
    all.startMaster = true;
    all.port = 6000;
    all.imageFile = HostFilename("C:\\out\\p.png");
    for (const Case& c : {
             Case{"plain", plain, "start zarvex.exe -seed 42 \"C:\\scenes\\room.zvs\""},
             Case{"console", console, "start zarvex_console.exe -seed 42 \"C:\\scenes\\room.zvs\""},
             Case{"console below normal", consoleBelow,
                  "start /belownormal zarvex_console.exe -seed 42 \"C:\\scenes\\room.zvs\""},
             Case{"master before image", master,
                  "start zarvex.exe -seed 42 \"C:\\scenes\\room.zvs\" -n wm -p 7777 -o "
                  "\"C:\\out\\shot.png\""},
             Case{"halt samples", halt,
                  "start zarvex.exe -seed 42 \"C:\\scenes\\room.zvs\" -haltspp 200"},
             Case{"scene suffix in capitals", capitals,
                  "start zarvex.exe -seed 42 \"C:\\scenes\\Room.zvs\""},
             Case{"scene without suffix", bare,
                  "start zarvex.exe -seed 42 \"C:\\scenes\\room.zvs\""},
             Case{"image without suffix", image,
                  "start zarvex.exe -seed 42 \"C:\\scenes\\room.zvs\" -o \"C:\\out\\shot.png\""},
             Case{"everything", all,
                  "start /belownormal zarvex_console.exe -seed 42 \"C:\\scenes\\room.zvs\" "
                  "-haltspp 75 -n wm -p 6000 -o \"C:\\out\\p.png\""},
         }) {
        std::string text;
        std::string refusal;
        ASSERT_TRUE(renderScriptText(kExecutable, 42, c.launch, text, refusal)) << c.name;
        EXPECT_EQ(text, renderScript(c.line)) << c.name;
    }
}

TEST(RenderScriptText, PercentSignsAreDoubledInEveryPath) {
    RenderLaunch launch;
    launch.sceneFile = HostFilename("C:\\100%\\a%b.zvs");
    launch.imageFile = HostFilename("C:\\%TEMP%\\i.png");
    std::string text;
    std::string refusal;
    ASSERT_TRUE(renderScriptText(HostFilename("D:\\50%\\zarvex.exe"), 1, launch, text, refusal));
    EXPECT_NE(text.find("cd /d \"D:\\50%%\"\n"), std::string::npos);
    EXPECT_NE(text.find("\"C:\\100%%\\a%%b.zvs\" -o \"C:\\%%TEMP%%\\i.png\"\n"), std::string::npos);
}

TEST(RenderScriptText, PathsThatWouldBreakTheScriptRefuseTheLaunch) {
    const std::string longName(993, 'n');
    ASSERT_EQ(("C:\\" + longName + ".zvs").size(), 1000u);
    struct Case {
        const char* name;
        std::string executable;
        std::string scene;
        std::string image;
        std::string refusal;
    };
    for (const Case& c : {
             Case{"line feed in the scene", "D:\\Z\\zarvex.exe", "C:\\a\nb.zvs", "",
                  "The renderer was not started: a path holds a line break or NUL character: "
                  "C:\\a\\nb.zvs"},
             Case{"carriage return in the image", "D:\\Z\\zarvex.exe", "C:\\a.zvs", "C:\\i\r.png",
                  "The renderer was not started: a path holds a line break or NUL character: "
                  "C:\\i\\r.png"},
             Case{"NUL in the renderer directory", std::string("D:\\Z\0x\\zarvex.exe", 17),
                  "C:\\a.zvs", "",
                  "The renderer was not started: a path holds a line break or NUL character: "
                  "D:\\Z\\0x"},
             Case{"double quote", "D:\\Z\\zarvex.exe", "C:\\a\"b.zvs", "",
                  "The renderer was not started: a path holds a double quote: C:\\a\"b.zvs"},
             Case{"1000 characters", "D:\\Z\\zarvex.exe", "C:\\" + longName + ".zvs", "",
                  "The renderer was not started: a path of 1000 characters or more does not fit "
                  "into the script: C:\\" +
                      longName + ".zvs"},
         }) {
        RenderLaunch launch;
        launch.sceneFile = HostFilename(c.scene);
        launch.imageFile = HostFilename(c.image);
        std::string text = "untouched";
        std::string refusal;
        EXPECT_FALSE(renderScriptText(HostFilename(c.executable), 1, launch, text, refusal))
            << c.name;
        EXPECT_EQ(refusal, c.refusal) << c.name;
        EXPECT_EQ(text, "untouched") << c.name;
    }
}

TEST(RenderScriptText, APathJustUnderTheLimitIsWrittenWhole) {
    RenderLaunch launch;
    launch.sceneFile = HostFilename("C:\\" + std::string(992, 'n') + ".zvs");
    ASSERT_EQ((launch.sceneFile.directory() + (launch.sceneFile.fileStem() + ".zvs")).text().size(),
              999u);
    std::string text;
    std::string refusal;
    EXPECT_TRUE(renderScriptText(kExecutable, 1, launch, text, refusal));
    EXPECT_NE(text.find(launch.sceneFile.text()), std::string::npos);
}

TEST(PackScriptText, ThreeLinesTheLastWithoutLineFeed) {
    std::string text;
    std::string refusal;
    ASSERT_TRUE(packScriptText(HostFilename("D:\\Zarvex"), true, HostFilename("C:\\m\\glass.zvm"),
                               HostFilename("C:\\m\\glass.pzvm"), text, refusal));
    EXPECT_EQ(text, "@echo off\n"
                    "cd /d \"D:\\Zarvex\"\n"
                    "start zarvex_console.exe --pack \"C:\\m\\glass.zvm\" \"C:\\m\\glass.pzvm\" ");
    ASSERT_TRUE(packScriptText(HostFilename(), false, HostFilename("C:\\m\\glass.pzvm"),
                               HostFilename("C:\\"), text, refusal));
    // A backslash before the closing quote would escape it for the packer.
    EXPECT_EQ(text, "@echo off\n"
                    "cd /d \"\"\n"
                    "start zarvex_console.exe --unpack \"C:\\m\\glass.pzvm\" \"C:\\\\\" ");
}

TEST(PackScriptText, RefusesPathsThatWouldBreakTheScript) {
    std::string text;
    std::string refusal;
    EXPECT_FALSE(packScriptText(HostFilename("D:\\Zarvex"), true, HostFilename("C:\\a\nb.zvm"),
                                HostFilename("C:\\b.pzvm"), text, refusal));
    EXPECT_EQ(refusal, "The material packer was not started: a path holds a line break or NUL "
                       "character: C:\\a\\nb.zvm");
}

TEST(RenderSeed, FollowsTheGeneratorAndClamps) {
    SeedRandom random{12345};
    EXPECT_DOUBLE_EQ(random.next(), 852725874.0 / 2147483648.0);
    EXPECT_DOUBLE_EQ(random.next(), 36930327.0 / 2147483648.0);
    EXPECT_EQ(renderSeed(12345, 10000), 3970);
    EXPECT_EQ(renderSeed(12345, 0), 0);
    EXPECT_EQ(renderSeed(12345, -10000), 0);
    // 0.397 times the largest reading stays below the limit; a value that rounds to 1 in
    // single precision does not.
    EXPECT_EQ(renderSeed(12345, INT32_MAX), 852725888);
    SeedRandom high{86342093};
    EXPECT_DOUBLE_EQ(high.next(), 2147483638.0 / 2147483648.0);
    EXPECT_EQ(renderSeed(86342093, INT32_MAX), INT32_MAX);
}

TEST_F(ScriptsTest, RunRendererStartsTheProgramInTheRendererDirectory) {
    installFakeRenderer();
    storeRendererDirectory("C:\\zarvex");
    RenderLaunch launch;
    launch.sceneFile = HostFilename("C:\\scenes\\room.zvs");
    launch.belowNormal = true;
    launch.imageFile = HostFilename("C:\\out\\room.png");
    EXPECT_TRUE(runRenderer(launch));
    ASSERT_EQ(host.executions().size(), 1u);
    EXPECT_EQ(host.executions()[0], "C:\\plugin\\presets\\zarvex_run.cmd");
    const std::vector<std::string> args = recordedArguments();
    ASSERT_EQ(args.size(), 6u);
    EXPECT_EQ(args[0], path("zarvex/zarvex.exe"));
    EXPECT_EQ(args[1], "-seed");
    EXPECT_EQ(args[3], path("scenes/room.zvs"));
    EXPECT_EQ(args[4], "-o");
    EXPECT_EQ(args[5], path("out/room.png"));
    // The seed on the command line is the one the script holds.
    EXPECT_NE(read(scriptPath()).find("-seed " + args[2] + " "), std::string::npos);
    ASSERT_EQ(host.scriptRuns().size(), 1u);
    ASSERT_EQ(host.scriptRuns()[0].starts.size(), 1u);
    EXPECT_TRUE(host.scriptRuns()[0].starts[0].belowNormal);
    EXPECT_EQ(host.scriptRuns()[0].output,
              (std::vector<std::string>{"Rendering frame 1...", "Done!", "------------------"}));
}

TEST_F(ScriptsTest, MissingLocationAsksOnceAndWritesNothingWhenStillMissing) {
    // A settings file that never parses: the chooser's answer cannot be stored.
    fs::create_directory(settingsPath());
    RenderLaunch launch;
    launch.sceneFile = HostFilename("C:\\a.zvs");
    EXPECT_FALSE(runRenderer(launch));
    ASSERT_EQ(host.ui().transcript().size(), 1u);
    EXPECT_EQ(host.ui().transcript()[0].text, "Choose Zarvex dir");
    EXPECT_FALSE(fs::exists(scriptPath()));
    EXPECT_TRUE(host.executions().empty());
}

TEST_F(ScriptsTest, ARefusedOrUnwrittenScriptRunsNothing) {
    storeRendererDirectory("C:\\zarvex");
    RenderLaunch launch;
    launch.sceneFile = HostFilename("C:\\a\nb.zvs");
    write(scriptPath(), "an old script");
    EXPECT_FALSE(runRenderer(launch));
    EXPECT_TRUE(consoleHas("The renderer was not started: a path holds a line break or NUL "
                           "character: C:\\a\\nb.zvs"));
    EXPECT_EQ(read(scriptPath()), "an old script");
    fs::remove(scriptPath());
    fs::create_directory(scriptPath());
    launch.sceneFile = HostFilename("C:\\a.zvs");
    EXPECT_FALSE(runRenderer(launch));
    EXPECT_TRUE(consoleHas("The renderer was not started: could not write "
                           "C:\\plugin\\presets\\zarvex_run.cmd"));
    EXPECT_TRUE(host.executions().empty());
}

TEST_F(ScriptsTest, PackingStartsThePackerWithoutAskingForTheRenderer) {
    installFakeRenderer();
    EXPECT_TRUE(packMaterialFile(HostFilename("C:\\m\\a.zvm"), HostFilename("C:\\m\\a.pzvm")));
    EXPECT_TRUE(host.ui().transcript().empty());
    EXPECT_EQ(read(scriptPath()), "@echo off\ncd /d \"\"\nstart zarvex_console.exe --pack "
                                  "\"C:\\m\\a.zvm\" \"C:\\m\\a.pzvm\" ");
    storeRendererDirectory("C:\\zarvex");
    EXPECT_TRUE(packMaterialFile(HostFilename("C:\\m\\a.zvm"), HostFilename("C:\\m\\a.pzvm")));
    EXPECT_EQ(recordedArguments(),
              (std::vector<std::string>{path("zarvex/zarvex_console.exe"), "--pack",
                                        path("m/a.zvm"), path("m/a.pzvm")}));
}

TEST_F(ScriptsTest, UnpackingWaitsAndFindsTheMaterialFile) {
    installFakeRenderer();
    storeRendererDirectory("C:\\zarvex");
    write(path("target/notes.txt"), "");
    write(path("target/b.zvm"), "");
    write(path("target/c.zvm"), "");
    const int32_t before = host.timerMs();
    EXPECT_EQ(unpackMaterialArchive(HostFilename("C:\\a.pzvm"), HostFilename("C:\\target")).text(),
              "C:\\target\\b.zvm");
    EXPECT_EQ(host.timerMs() - before, 3000);
    EXPECT_EQ(recordedArguments(),
              (std::vector<std::string>{path("zarvex/zarvex_console.exe"), "--unpack",
                                        path("a.pzvm"), path("target")}));
    fs::remove(path("target/b.zvm"));
    fs::remove(path("target/c.zvm"));
    EXPECT_TRUE(
        unpackMaterialArchive(HostFilename("C:\\a.pzvm"), HostFilename("C:\\target")).empty());
}

} // namespace
