// The plug-in's start in the headless host, through the real module.
#include "tests/support/plugin_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using headless::PluginKind;
using headless::RegisteredPlugin;
using testing_support::HostWithPlugin;
using testing_support::PluginFolder;

namespace {

const std::string kDecoration =
    ".__.--._.-._.-.__.--._.-.__.--._.-._.-.__.--._.-.__.--._.-._.-.__.--._.-.__.--._.-._.-.__.--"
    "._.-.__.--._.-._.-.__.--._.-.__.--.";

struct Row {
    PluginKind kind;
    int id;
    const char* name;
    int info;
    const char* description;
    const char* help;
    size_t icons;
};

// The registration table as the host must see it. Names are the string resources shipped in
// res/strings.xml; the two menu separators carry literal names.
const Row kRows[] = {
    {PluginKind::Tag, 1020892, "Zarvex Light Tag", 1, "tMyLightTag", "", 1},
    {PluginKind::Tag, 1021223, "Zarvex Exit Portal", 1, "TMyExitPortal", "", 1},
    {PluginKind::Tag, 1022083, "Zarvex Camera Tag", 1, "TCameraTag", "", 1},
    {PluginKind::Tag, 1022667, "Zarvex Subdivision", 1, "tSubdivision", "", 1},
    {PluginKind::Command, 1021741, "Export and Run", 0, "", "Export and Run", 1},
    {PluginKind::Command, 1020894, "About Tolvane", 0, "", "About", 1},
    {PluginKind::Command, 1021852, "Convert Materials", 0, "", "Convert Materials", 1},
    {PluginKind::Command, 1022469, "Import .zvm", 0, "", "Import .zvm", 1},
    {PluginKind::Command, 1023920, "Quick Render", 0, "", "Quick Render", 1},
    {PluginKind::Command, 1023984, "Zarvex Instance", 0, "", "Creates Instances", 1},
    {PluginKind::Command, 1024157, "Zarvex Material Helper", 0, "", "Creates material helper", 1},
    {PluginKind::Object, 1022273, "Zarvex Instance", 0x20000004, "Ozarvexinstance", "", 2},
    {PluginKind::Object, 1023293, "Zarvex Material Group", 0x10000000, "oMaterialGroup", "", 2},
    {PluginKind::Object, 1020893, "Zarvex Material Helper", 0x20000000, "oMyMaterialHelper", "", 2},
    {PluginKind::RenderEffect, 1020896, "Zarvex Render Settings", 0, "oMyRenderSettings", "", 0},
    {PluginKind::Command, 1022283, "#$4 --", 0, "", "", 0},
    {PluginKind::Command, 1022284, "#$8 --", 0, "", "", 0},
    {PluginKind::Shader, 1023863, "Zarvex ZSL Shader", 0, "xtolvanezslshader", "", 0},
};

std::vector<int> registeredIds(const headless::HeadlessHost& host) {
    std::vector<int> ids;
    for (const RegisteredPlugin& p : host.plugins()) {
        ids.push_back(p.id);
    }
    return ids;
}

std::vector<int> tableIds(size_t count) {
    std::vector<int> ids;
    for (size_t i = 0; i < count; ++i) {
        ids.push_back(kRows[i].id);
    }
    return ids;
}

bool bannerPrinted(const headless::HeadlessHost& host) {
    const auto& lines = host.consoleLines();
    return std::find(lines.begin(), lines.end(), "\n" + kDecoration) != lines.end();
}

TEST(StartSequence, RegistersEveryPlugInInTableOrderThenPrintsTheBanner) {
    PluginFolder folder;
    HostWithPlugin h(folder);
    const headless::StartResult result = h.start();
    ASSERT_TRUE(result.started()) << result.error;
    EXPECT_EQ(result.initialise, 1);
    EXPECT_EQ(result.resources, 1);

    const auto& plugins = h.host().plugins();
    ASSERT_EQ(plugins.size(), std::size(kRows));
    for (size_t i = 0; i < plugins.size(); ++i) {
        const Row& row = kRows[i];
        const RegisteredPlugin& p = plugins[i];
        SCOPED_TRACE(row.id);
        EXPECT_EQ(p.kind, row.kind);
        EXPECT_EQ(p.id, row.id);
        EXPECT_EQ(p.name, row.name);
        EXPECT_EQ(p.info, row.info);
        EXPECT_EQ(p.description, row.description);
        EXPECT_EQ(p.help, row.help);
        EXPECT_EQ(p.icons.size(), row.icons);
        EXPECT_EQ(p.diskLevel, 0);
        EXPECT_EQ(p.priority, row.kind == PluginKind::RenderEffect ? 100 : 0);
        for (const auto& icon : p.icons) {
            EXPECT_GT(icon->width(), 0);
            EXPECT_GT(icon->height(), 0);
        }
    }

    const auto& lines = h.host().consoleLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(kDecoration.size(), 127u);
    EXPECT_EQ(lines[0], "\n" + kDecoration);
    EXPECT_EQ(lines[4], kDecoration + "\n");
    EXPECT_THAT(lines[3], testing::StartsWith("._.-. For more information go to: "));
}

TEST(StartSequence, EmptyNameResourceLeavesOnlyThatPlugInOut) {
    PluginFolder folder;
    folder.setString(10010, "");
    HostWithPlugin h(folder);
    const headless::StartResult result = h.start();
    EXPECT_TRUE(result.started());
    std::vector<int> expected = tableIds(std::size(kRows));
    expected.erase(std::find(expected.begin(), expected.end(), 1021852));
    EXPECT_EQ(registeredIds(h.host()), expected);
    EXPECT_TRUE(bannerPrinted(h.host()));
}

TEST(StartSequence, SharedNameResourceEmptyLeavesBothUsersOut) {
    // The instance object and the "Creates Instances" command share one name.
    PluginFolder folder;
    folder.setString(10011, "");
    HostWithPlugin h(folder);
    EXPECT_TRUE(h.start().started());
    const std::vector<int> ids = registeredIds(h.host());
    EXPECT_EQ(ids.size(), std::size(kRows) - 2);
    EXPECT_THAT(ids, testing::Not(testing::Contains(1022273)));
    EXPECT_THAT(ids, testing::Not(testing::Contains(1023984)));
}

TEST(StartSequence, ShaderRegistersEvenWithoutItsName) {
    PluginFolder folder;
    folder.setString(10019, "");
    HostWithPlugin h(folder);
    EXPECT_TRUE(h.start().started());
    ASSERT_NE(h.host().plugin(1023863), nullptr);
    EXPECT_EQ(h.host().plugin(1023863)->name, "");
}

TEST(StartSequence, StopsAtTheFirstFailedRegistration) {
    struct Case {
        const char* removed;
        size_t registeredBefore;
    };
    // A missing icon fails its row; a missing description fails its row.
    const Case cases[] = {
        {"res/About.tif", 5},
        {"res/LightTag.tif", 0},
        {"res/description/oMaterialGroup.xml", 12},
        {"res/description/xtolvanezslshader.xml", 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.removed);
        PluginFolder folder;
        std::filesystem::remove(folder.file(c.removed));
        HostWithPlugin h(folder);
        const headless::StartResult result = h.start();
        EXPECT_EQ(result.start, 0);
        EXPECT_EQ(registeredIds(h.host()), tableIds(c.registeredBefore));
        EXPECT_FALSE(bannerPrinted(h.host()));
    }
}

TEST(StartSequence, AnIconThatIsNotAnImageFailsItsRegistration) {
    PluginFolder folder;
    testing_support::writeFile(folder.file("res/Export.tif"), "II*\0 not really an image");
    HostWithPlugin h(folder);
    EXPECT_EQ(h.start().start, 0);
    EXPECT_EQ(registeredIds(h.host()), tableIds(4));
}

TEST(StartSequence, ResourcesThatDoNotLoadFailMessageOne) {
    for (const char* broken : {"<strings><string id=\"10000\">x</strings>", ""}) {
        SCOPED_TRACE(broken);
        PluginFolder folder;
        testing_support::writeFile(folder.file("res/strings.xml"), broken);
        HostWithPlugin h(folder);
        const headless::StartResult result = h.start();
        EXPECT_EQ(result.initialise, 1);
        EXPECT_EQ(result.resources, -1);
        EXPECT_TRUE(h.host().plugins().empty());
    }
}

TEST(PluginEntry, ActionsAndMessagesAnswerAsTheHostExpects) {
    PluginFolder folder;
    HostWithPlugin h(folder);
    ASSERT_TRUE(h.start().started());
    auto& session = h.session();
    EXPECT_EQ(session.call(4), 2);
    EXPECT_EQ(session.call(5), -1);
    EXPECT_EQ(session.call(99), -1);
    EXPECT_EQ(session.call(6, reinterpret_cast<void*>(intptr_t(0))), 1);
    EXPECT_EQ(session.call(6, reinterpret_cast<void*>(intptr_t(2))), -1);
}

TEST(PluginEntry, OnlyTheLastEndReleasesTheResources) {
    PluginFolder folder;
    HostWithPlugin h(folder);
    ASSERT_TRUE(h.start().started());
    auto& session = h.session();
    EXPECT_EQ(session.initialise(), 1);
    EXPECT_EQ(session.call(3), 1);
    EXPECT_EQ(h.host().resourceReleases(), 0);
    EXPECT_EQ(h.host().resourceString(10007), "Export and Run");
    EXPECT_EQ(session.call(3), 1);
    EXPECT_EQ(h.host().resourceReleases(), 1);
    EXPECT_EQ(h.host().resourceString(10007), "");
}

TEST(PluginEntry, RefusesAnOldHostOrAMissingPath) {
    PluginFolder folder;
    {
        headless::HeadlessHost host;
        host.setInterfaceVersion(7499);
        headless::PluginSession session(host);
        std::string error;
        ASSERT_TRUE(session.open(folder.path(), error)) << error;
        EXPECT_EQ(session.initialise(), -3);
        host.setInterfaceVersion(7500);
        // A refused hand-over leaves nothing behind: the next attempt initialises afresh.
        EXPECT_EQ(session.initialise(), 1);
    }
    {
        headless::HeadlessHost host;
        headless::PluginSession session(host);
        std::string error;
        ASSERT_TRUE(session.open(folder.path(), error)) << error;
        EXPECT_EQ(session.call(1, static_cast<HostApplication*>(&host), nullptr, nullptr), -3);
        EXPECT_EQ(session.call(1, nullptr, nullptr, const_cast<char*>("Z:\\x\\tolvane.so")), -3);
    }
}

} // namespace
