// The export run: its console lines, paths, repeated runs, options and failures.
#include "export_fixture.h"

#include "plugin/host/host_ids.h"
#include "plugin/registration.h"

#include <fstream>

namespace testing_export {
namespace {

namespace fs = std::filesystem;

using Driver = ExportTest;

TEST_F(Driver, WithoutDocumentReturnsZeroAndPrintsNothing) {
    ZarvexSceneExporter fresh;
    EXPECT_EQ(fresh.exportScene(), 0);
    EXPECT_TRUE(host.consoleLines().empty());
}

TEST_F(Driver, EmptyDocumentPrintsTheRunsLinesInOrder) {
    ASSERT_EQ(exportTo(), 1);
    const std::vector<std::string> expectedPrefixes = {kDecorationLine,
                                                       "Starting export...",
                                                       "Exporting materials...",
                                                       "Material export time: ",
                                                       " ",
                                                       "Instanced objects found: 0",
                                                       " ",
                                                       "Exporting objects and lights...",
                                                       "Object export time: ",
                                                       "Instances exported: 0",
                                                       " ",
                                                       "Processing time: ",
                                                       "Saved scene to: D:\\out\\room.zvs",
                                                       "Saving time: ",
                                                       kDecorationLine};
    const auto& lines = host.consoleLines();
    ASSERT_EQ(lines.size(), expectedPrefixes.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].rfind(expectedPrefixes[i], 0), 0u) << i << ": " << lines[i];
    }
    const TiXmlElement* root = scene.FirstChildElement("scene");
    ASSERT_NE(root, nullptr);
    EXPECT_NE(root->FirstChildElement("renderer_settings"), nullptr);
    EXPECT_EQ(root->FirstChildElement("mesh"), nullptr);
}

TEST_F(Driver, SceneIsSavedWithItsOwnSuffixAndMeshesBesideIt) {
    addCube("Cube");
    ASSERT_EQ(exportTo("D:\\out\\test.xml"), 1);
    EXPECT_TRUE(fs::is_regular_file(root / "out" / "test.zvs"));
    EXPECT_FALSE(fs::exists(root / "out" / "test.xml"));
    EXPECT_TRUE(fs::is_regular_file(root / "out" / "models.test" / "test-1.zvmesh"));
    EXPECT_EQ(exporter.modelsDirectory().text(), "D:\\out\\models.test");
    EXPECT_TRUE(consoleHas("Saved scene to: D:\\out\\test.zvs"));
}

TEST_F(Driver, TwoRunsOfOneExporterWriteTheSameFiles) {
    headless::HObject* cube = addCube("Cube");
    addTag(cube, HostType::kPhongTag);
    addInstance("Again", cube);
    ASSERT_EQ(exportTo(), 1);
    const std::string first = sceneText("D:\\out\\room.zvs");
    ASSERT_FALSE(first.empty());
    ASSERT_EQ(exportTo(), 1);
    EXPECT_EQ(sceneText("D:\\out\\room.zvs"), first);
    EXPECT_EQ(consoleStartingWith("Instances exported: "),
              (std::vector<std::string>{"Instances exported: 1", "Instances exported: 1"}));
}

TEST_F(Driver, ForegroundAlphaOnlyWhenAsked) {
    for (const bool alpha : {false, true}) {
        ASSERT_EQ(exportTo("D:\\out\\room.zvs", alpha), 1);
        const TiXmlElement* settings =
            scene.FirstChildElement("scene")->FirstChildElement("renderer_settings");
        const TiXmlElement* first = settings->FirstChildElement();
        if (alpha) {
            ASSERT_NE(first, nullptr);
            EXPECT_STREQ(first->Value(), "render_foreground_alpha");
            EXPECT_STREQ(first->GetText(), "true");
        } else {
            EXPECT_EQ(settings->FirstChildElement("render_foreground_alpha"), nullptr);
        }
    }
}

TEST_F(Driver, UnwritableSceneFileIsReportedAndReturnsZero) {
    // The scene's directory is a file, so the scene cannot be written.
    fs::create_directories(root / "out");
    std::ofstream(root / "out" / "blocked") << "x";
    EXPECT_EQ(exportTo("D:\\out\\blocked\\room.zvs"), 0);
    EXPECT_TRUE(consoleStartingWith("Saved scene to: ").empty());
    EXPECT_EQ(
        consoleStartingWith("Could not write the scene file: "),
        std::vector<std::string>{"Could not write the scene file: D:\\out\\blocked\\room.zvs"});
    EXPECT_EQ(host.consoleLines().back(), kDecorationLine);
}

TEST(TimeTexts, SecondsAndMinutes) {
    struct Case {
        int32_t ms;
        const char* seconds;
        const char* minutes;
    };
    const Case cases[] = {{0, "0.000 s", "0 m, 0.000 s"},
                          {2375, "2.375 s", "0 m, 2.375 s"},
                          {65250, "65.250 s", "1 m, 5.250 s"},
                          {3600000, "3600.000 s", "60 m, 0.000 s"}};
    for (const Case& c : cases) {
        EXPECT_EQ(secondsText(c.ms), c.seconds) << c.ms;
        EXPECT_EQ(minutesText(c.ms), c.minutes) << c.ms;
    }
}

TEST(ValueTexts, RealsAndMatrixEntries) {
    EXPECT_EQ(realText(1.0f), "1.000000");
    EXPECT_EQ(realText(-0.5f), "-0.500000");
    EXPECT_EQ(realText(12.5f), "12.500000");
    EXPECT_EQ(matrixEntryText(1.0f), "1.00000000");
    EXPECT_EQ(matrixEntryText(-1.0f), "-1.00000000");
    EXPECT_EQ(matrixEntryText(-0.0f), "0.00000000");
    EXPECT_EQ(matrixEntryText(-4e-9f), "0.00000000");
}

TEST_F(Driver, LongNamesAreWrittenWhole) {
    const std::string name(2500, 'n');
    addCube(name);
    ASSERT_EQ(exportTo(), 1);
    const std::vector<const TiXmlElement*> meshes = elements("mesh");
    ASSERT_EQ(meshes.size(), 1u);
    const TiXmlNode* comment = meshes[0]->FirstChild();
    ASSERT_NE(comment->ToComment(), nullptr);
    EXPECT_EQ(comment->ValueStr(), name);
}

} // namespace
} // namespace testing_export
