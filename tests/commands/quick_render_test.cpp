#include "commands/quick_render.h"
#include "commands/settings_file.h"

#include "fixture.h"

#include "plugin/host/document.h"

namespace {

class QuickRenderTest : public CommandsTest {
protected:
    bool run() {
        QuickRender::setExportFlag(&flag);
        QuickRender command;
        const bool result = command.execute(&host.document());
        QuickRender::setExportFlag(nullptr);
        return result;
    }
    uint8_t flag = 0;
};

TEST_F(QuickRenderTest, FirstUseMakesTheFolderExportsAndStartsTheWindowRenderer) {
    installFakeRenderer();
    storeRendererDirectory("C:\\zarvex");
    // Options of the last export do not reach a quick render.
    LastSettings last;
    last.renderAlpha = 1;
    last.renderClay = 1;
    last.consoleMode = 1;
    writeSettingsFile(last, std::nullopt);
    EXPECT_TRUE(run());
    const std::string scene = path("plugin/presets/quickrender/quickrender.zvs");
    ASSERT_TRUE(fs::exists(scene));
    EXPECT_EQ(read(scene).find("render_foreground_alpha"), std::string::npos);
    const std::string script = read(scriptPath());
    const std::string launch = "start /belownormal zarvex.exe -seed ";
    const std::size_t at = script.find(launch);
    ASSERT_NE(at, std::string::npos);
    const std::string rest = script.substr(at + launch.size());
    EXPECT_EQ(rest.substr(rest.find(' ')),
              " \"C:\\plugin\\presets\\quickrender\\quickrender.zvs\"\necho Done!\n"
              "echo ------------------\n");
    EXPECT_EQ(recordedArguments().at(3), scene);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(host.cursors(), (std::vector<int32_t>{HostCursor::kBusy}));
    EXPECT_EQ(host.refreshes(), (std::vector<HostRefresh>{HostRefresh::DocumentUpdate,
                                                          HostRefresh::Event, HostRefresh::Views}));
}

TEST_F(QuickRenderTest, ExportsTheCurrentFrameWithoutMovingTheTime) {
    storeRendererDirectory("C:\\zarvex");
    host.document().setTime(HostTime::fromFrame(25, 30));
    EXPECT_TRUE(run());
    EXPECT_EQ(host.document().time().frame(30), 25);
    EXPECT_TRUE(host.document().evaluations().empty());
    EXPECT_EQ(consoleCount("Saved scene to: C:\\plugin\\presets\\quickrender\\quickrender.zvs"), 1);
}

TEST_F(QuickRenderTest, AFolderThatCannotBeMadeStopsEverything) {
    storeRendererDirectory("C:\\zarvex");
    write(path("plugin/presets/quickrender"), "a file where the folder belongs");
    EXPECT_FALSE(run());
    const std::vector<std::string>& lines = host.consoleLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "C:\\plugin\\presets\\quickrender");
    EXPECT_EQ(lines.back(), "Quickrender dir could not be created.");
    EXPECT_TRUE(host.executions().empty());
    EXPECT_EQ(flag, 0);
}

} // namespace
