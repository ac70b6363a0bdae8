#include "commands/settings_file.h"

#include "fixture.h"

namespace {

using SettingsFileTest = CommandsTest;

constexpr const char* kFreshLastSettings =
    "<last_settings>\n"
    "    <SPECIFY_RENDER_OUTPUT>true</SPECIFY_RENDER_OUTPUT>\n"
    "    <EXPORTANDRUN>true</EXPORTANDRUN>\n"
    "    <STARTMASTER>false</STARTMASTER>\n"
    "    <RENDERALPHA>true</RENDERALPHA>\n"
    "    <NOGEOMETRY>false</NOGEOMETRY>\n"
    "    <RENDERCLAY>false</RENDERCLAY>\n"
    "    <SEPERATE_MATS>false</SEPERATE_MATS>\n"
    "    <SEPERATE_SETTINGS>true</SEPERATE_SETTINGS>\n"
    "    <EXPORT_ANIMATION>false</EXPORT_ANIMATION>\n"
    "    <EXPORT_ANIMATION_STATIC>true</EXPORT_ANIMATION_STATIC>\n"
    "    <CONSOLEMODE>false</CONSOLEMODE>\n"
    "    <EXPORT_ANIMATION_START>-3</EXPORT_ANIMATION_START>\n"
    "    <EXPORT_ANIMATION_END>12</EXPORT_ANIMATION_END>\n"
    "    <PRIORITY_ID>1660</PRIORITY_ID>\n"
    "    <PORT_NUMBER>7777</PORT_NUMBER>\n"
    "</last_settings>\n";

LastSettings sampleSettings() {
    LastSettings s;
    s.specifyRenderOutput = 1;
    s.exportAndRun = 1;
    s.renderAlpha = 1;
    s.separateSettings = 1;
    s.exportAnimationStatic = 1;
    s.exportAnimationStart = -3;
    s.exportAnimationEnd = 12;
    s.priorityId = 1660;
    s.portNumber = 7777;
    return s;
}

TEST_F(SettingsFileTest, ChoosingTheDirectoryWritesAFreshFileWithOnlyThePath) {
    host.ui().answer(headless::UiPrompt::Kind::Directory, "D:\\Renderers\\Zarvex");
    EXPECT_TRUE(chooseRendererDirectory());
    EXPECT_EQ(read(settingsPath()), "<global_settings>\n"
                                    "    <PATH>D:\\Renderers\\Zarvex</PATH>\n"
                                    "</global_settings>\n");
    ASSERT_EQ(host.ui().transcript().size(), 1u);
    EXPECT_EQ(host.ui().transcript()[0].text, "Choose Zarvex dir");
    EXPECT_FALSE(fs::exists(settingsPath() + ".tmp"));
}

TEST_F(SettingsFileTest, RendererLocationWithAndWithoutTheExecutable) {
    storeRendererDirectory("D:\\Renderers\\Zarvex");
    struct Case {
        bool withExecutable;
        bool console;
        const char* expected;
    };
    for (const Case& c :
         {Case{false, false, "D:\\Renderers\\Zarvex"}, Case{false, true, "D:\\Renderers\\Zarvex"},
          Case{true, false, "D:\\Renderers\\Zarvex\\zarvex.exe"},
          Case{true, true, "D:\\Renderers\\Zarvex\\zarvex_console.exe"}}) {
        HostFilename location;
        EXPECT_TRUE(readRendererLocation(location, c.withExecutable, c.console));
        EXPECT_EQ(location.text(), c.expected);
    }
}

TEST_F(SettingsFileTest, RendererLocationIsMissingWithoutTheFileTheSectionOrThePath) {
    for (const char* content : {static_cast<const char*>(nullptr), "<other/>\n",
                                "<global_settings><NAME>x</NAME></global_settings>",
                                "<global_settings><PATH>C:\\x</PATH>"}) {
        fs::remove(settingsPath());
        if (content != nullptr) {
            write(settingsPath(), content);
        }
        HostFilename location("unchanged");
        EXPECT_FALSE(readRendererLocation(location, true, false)) << (content ? content : "none");
        EXPECT_EQ(location.text(), "unchanged");
    }
}

TEST_F(SettingsFileTest, CancelledChooserStoresAnEmptyPathThatReadsAsFound) {
    EXPECT_TRUE(chooseRendererDirectory());
    EXPECT_EQ(read(settingsPath()), "<global_settings>\n    <PATH></PATH>\n</global_settings>\n");
    HostFilename location;
    ASSERT_TRUE(readRendererLocation(location, true, false));
    EXPECT_EQ(location.text(), "zarvex.exe");
}

TEST_F(SettingsFileTest, CancelledChooserKeepsAStoredPath) {
    storeRendererDirectory("D:\\Zarvex");
    const std::string before = read(settingsPath());
    EXPECT_TRUE(chooseRendererDirectory());
    EXPECT_EQ(read(settingsPath()), before);
}

TEST_F(SettingsFileTest, LastSettingsRoundTripInTheFilesOrderAndLayout) {
    EXPECT_TRUE(writeSettingsFile(sampleSettings(), std::nullopt));
    EXPECT_EQ(read(settingsPath()), kFreshLastSettings);
    const std::optional<LastSettings> back = readLastSettings();
    ASSERT_TRUE(back);
    EXPECT_TRUE(*back == sampleSettings());
}

TEST_F(SettingsFileTest, KeysReadAsTheHostReadsThem) {
    struct Case {
        const char* text;
        int32_t asBool;
        int32_t asInt;
    };
    for (const Case& c :
         {Case{"true", 1, 0}, Case{"TRUE", 1, 0}, Case{"yes", 0, 0}, Case{"1", 0, 1},
          Case{"12abc", 0, 12}, Case{"  -5", 0, -5}, Case{"abc", 0, 0}, Case{"", 0, 0},
          Case{"99999999999", 0, INT32_MAX}, Case{"-99999999999", 0, INT32_MIN}}) {
        write(settingsPath(), std::string("<last_settings><RENDERALPHA>") + c.text +
                                  "</RENDERALPHA><PORT_NUMBER>" + c.text +
                                  "</PORT_NUMBER></last_settings>");
        const std::optional<LastSettings> s = readLastSettings();
        ASSERT_TRUE(s) << c.text;
        EXPECT_EQ(s->renderAlpha, c.asBool) << c.text;
        EXPECT_EQ(s->portNumber, c.asInt) << c.text;
    }
}

TEST_F(SettingsFileTest, MissingKeysReadAsZeroAndAMissingSectionAsNone) {
    write(settingsPath(), "<global_settings><PATH>x</PATH></global_settings>");
    EXPECT_FALSE(readLastSettings());
    write(settingsPath(), "<last_settings><EXPORTANDRUN>true</EXPORTANDRUN></last_settings>");
    const std::optional<LastSettings> s = readLastSettings();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->exportAndRun, 1);
    EXPECT_EQ(s->portNumber, 0);
    EXPECT_EQ(s->priorityId, 0);
}

TEST_F(SettingsFileTest, ARewrittenSectionMovesToTheEndAndTheRestStays) {
    write(settingsPath(), "<!-- mine -->\n"
                          "<last_settings>\n    <PORT_NUMBER>1</PORT_NUMBER>\n</last_settings>\n"
                          "<global_settings>\n    <PATH>D:\\Zarvex</PATH>\n</global_settings>\n"
                          "<other a=\"1\">text</other>\n");
    EXPECT_TRUE(writeSettingsFile(sampleSettings(), std::nullopt));
    EXPECT_EQ(read(settingsPath()),
              std::string("<!-- mine -->\n"
                          "<global_settings>\n    <PATH>D:\\Zarvex</PATH>\n</global_settings>\n"
                          "<other a=\"1\">text</other>\n") +
                  kFreshLastSettings);
    EXPECT_TRUE(writeSettingsFile(std::nullopt, std::string("E:\\New")));
    const std::string text = read(settingsPath());
    const std::string section = "<global_settings>\n    <PATH>E:\\New</PATH>\n</global_settings>\n";
    ASSERT_GE(text.size(), section.size());
    EXPECT_EQ(text.substr(text.size() - section.size()), section);
    EXPECT_NE(text.find("<!-- mine -->"), std::string::npos);
    EXPECT_EQ(text.find("D:\\Zarvex"), std::string::npos);
}

TEST_F(SettingsFileTest, AnUnparsableFileIsKeptAsBackupBeforeItIsReplaced) {
    const std::string broken = "<global_settings><PATH>D:\\Zarvex</PATH>";
    write(settingsPath(), broken);
    EXPECT_FALSE(readLastSettings());
    EXPECT_TRUE(writeSettingsFile(sampleSettings(), std::nullopt));
    EXPECT_EQ(read(settingsPath() + ".bak"), broken);
    EXPECT_EQ(read(settingsPath()), kFreshLastSettings);
}

TEST_F(SettingsFileTest, AFailedWriteLeavesTheFileAsItWas) {
    storeRendererDirectory("D:\\Zarvex");
    const std::string before = read(settingsPath());
    // Something that is no file stands where the new file is written first.
    fs::create_directory(settingsPath() + ".tmp");
    EXPECT_FALSE(writeSettingsFile(sampleSettings(), std::nullopt));
    EXPECT_EQ(read(settingsPath()), before);
}

TEST_F(SettingsFileTest, ExactlyOneSectionIsWritten) {
    EXPECT_FALSE(writeSettingsFile(std::nullopt, std::nullopt));
    EXPECT_FALSE(writeSettingsFile(sampleSettings(), std::string("D:\\Zarvex")));
    EXPECT_FALSE(fs::exists(settingsPath()));
}

} // namespace
