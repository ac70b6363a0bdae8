// File access through mapped drives, prompts answered from the script, bitmaps, the timer and
// attribute layouts.
#include "headless/host.h"
#include "plugin/host/host_ids.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using headless::HeadlessHost;
using testing_support::TempDir;

TEST(HeadlessHost, FileAccessGoesThroughTheDriveMap) {
    TempDir dir;
    HeadlessHost host;
    host.drives().mapDrive('C', dir.path());
    // One level at a time, as on the host's file system.
    EXPECT_FALSE(host.createDirectory(HostFilename("C:\\scenes\\models.room")));
    EXPECT_TRUE(host.createDirectory(HostFilename("C:\\scenes")));
    EXPECT_TRUE(host.createDirectory(HostFilename("C:\\scenes\\models.room")));
    EXPECT_TRUE(host.fileExists(HostFilename("C:\\scenes"), true));
    EXPECT_TRUE(host.writeFile(HostFilename("C:\\scenes\\room.zvs"), std::string("a\0b", 3)));
    std::string bytes;
    ASSERT_TRUE(host.readFile(HostFilename("C:\\scenes\\room.zvs"), bytes));
    EXPECT_EQ(bytes, std::string("a\0b", 3));
    EXPECT_EQ(testing_support::readFile(dir.file("scenes/room.zvs")), bytes);
    EXPECT_TRUE(host.fileExists(HostFilename("C:\\scenes\\room.zvs")));
    EXPECT_FALSE(host.fileExists(HostFilename("C:\\scenes\\room.zvs"), true));
    EXPECT_EQ(host.listDirectory(HostFilename("C:\\scenes")),
              (std::vector<std::string>{"models.room", "room.zvs"}));
    // An unmapped drive holds nothing and takes nothing.
    EXPECT_FALSE(host.writeFile(HostFilename("Q:\\x.txt"), "x"));
    EXPECT_FALSE(host.readFile(HostFilename("C:\\missing"), bytes));
    EXPECT_TRUE(host.listDirectory(HostFilename("C:\\missing")).empty());
    EXPECT_FALSE(host.writeFile(HostFilename("C:\\no\\such\\dir\\x.txt"), "x"));
}

TEST(HeadlessHost, PromptsTakeTheScriptsAnswersAndCancelWithoutOne) {
    HeadlessHost host;
    host.ui().push("/tmp/scene.zvs");
    host.ui().push("yes");
    host.ui().push("no");
    HostFilename file;
    EXPECT_TRUE(host.fileSelect(HostFileSelect::Save, "Save zvs...", file));
    EXPECT_EQ(file.text(), "Z:\\tmp\\scene.zvs");
    EXPECT_TRUE(host.questionDialog("Overwrite?"));
    EXPECT_FALSE(host.questionDialog("Again?"));
    HostFilename untouched("kept");
    EXPECT_FALSE(host.fileSelect(HostFileSelect::Directory, "Choose", untouched));
    EXPECT_EQ(untouched.text(), "kept");
    const auto& t = host.ui().transcript();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].text, "Save zvs...");
    EXPECT_TRUE(t[3].cancelled);
}

TEST(HeadlessHost, BitmapsLoadRealImagesOnly) {
    TempDir dir;
    HeadlessHost host;
    auto icon = host.createBitmap();
    EXPECT_TRUE(icon->load(HostFilename(
        host.drives().toWindows(std::string(TOLVANE_SOURCE_DIR) + "/res/Export.tif"))));
    EXPECT_EQ(icon->width(), 32);
    EXPECT_EQ(icon->height(), 32);

    // A 1 x 1 PNG.
    const unsigned char png[] = {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
        0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00,
        0x00, 0x90, 0x77, 0x53, 0xde, 0x00, 0x00, 0x00, 0x0c, 0x49, 0x44, 0x41, 0x54, 0x08,
        0xd7, 0x63, 0xf8, 0xcf, 0xc0, 0x00, 0x00, 0x03, 0x01, 0x01, 0x00, 0x18, 0xdd, 0x8d,
        0xb0, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    testing_support::writeFile(dir.file("one.png"),
                               std::string(reinterpret_cast<const char*>(png), sizeof png));
    auto image = host.createBitmap();
    EXPECT_TRUE(image->load(HostFilename(host.drives().toWindows(dir.file("one.png")))));
    EXPECT_EQ(image->width(), 1);

    testing_support::writeFile(dir.file("fake.tif"), "II*");
    testing_support::writeFile(dir.file("text.png"), "hello");
    for (const char* name : {"fake.tif", "text.png", "missing.tif"}) {
        auto bad = host.createBitmap();
        EXPECT_FALSE(bad->load(HostFilename(host.drives().toWindows(dir.file(name))))) << name;
        EXPECT_EQ(bad->width(), 0);
    }
}

TEST(HeadlessHost, FakeClockMovesOnlyWhenToldOrSleeping) {
    HeadlessHost host;
    host.clock().setFake(1000);
    EXPECT_EQ(host.timerMs(), 1000);
    host.sleepMs(3000);
    EXPECT_EQ(host.timerMs(), 4000);
    host.clock().advance(250);
    EXPECT_EQ(host.timerMs(), 4250);
}

TEST(HeadlessHost, RefusesUnknownNodeTypesAndDuplicateRegistrations) {
    HeadlessHost host;
    EXPECT_EQ(host.createObject(424242), nullptr);
    EXPECT_EQ(host.createTag(HostType::kPolygonObject), nullptr);
    EXPECT_EQ(host.createMaterial(HostType::kTextureTag), nullptr);
    EXPECT_NE(host.createObject(HostType::kPolygonObject)->toPolygonObject(), nullptr);
    EXPECT_EQ(host.createObject(HostType::kNull)->toPolygonObject(), nullptr);

    CommandRegistration first;
    first.id = 5;
    first.command = std::make_unique<CommandData>();
    EXPECT_TRUE(host.registerCommand(std::move(first)));
    CommandRegistration again;
    again.id = 5;
    again.command = std::make_unique<CommandData>();
    EXPECT_FALSE(host.registerCommand(std::move(again)));
    CommandRegistration empty;
    empty.id = 6;
    EXPECT_FALSE(host.registerCommand(std::move(empty)));
    // Descriptions must exist in the loaded resources.
    EXPECT_FALSE(host.registerDescription(7, "oNothing"));
}

} // namespace
