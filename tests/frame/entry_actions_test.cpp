// The entry's bookkeeping, with the plug-in's internals linked into the test.
#include "commands/export_and_run.h"
#include "commands/quick_render.h"
#include "objects/instance.h"
#include "plugin/entry.h"
#include "plugin/plugin_state.h"
#include "tests/support/plugin_fixture.h"

#include <gtest/gtest.h>

namespace {

TEST(PluginEntry, TheExportFlagLivesFromStartToTheLastEnd) {
    testing_support::PluginFolder folder;
    headless::HeadlessHost host;
    const std::string path = host.drives().toWindows(folder.file("tolvane.so"));

    ASSERT_EQ(pluginMain(1, &host, nullptr, const_cast<char*>(path.c_str())), 1);
    ASSERT_EQ(pluginMain(6, reinterpret_cast<void*>(intptr_t(1)), nullptr, nullptr), 1);
    ASSERT_EQ(pluginMain(2, nullptr, nullptr, nullptr), 1);

    uint8_t* flag = PluginState::exportFlag();
    ASSERT_NE(flag, nullptr);
    EXPECT_EQ(*flag, 0);
    EXPECT_EQ(MyExportAndRun::exportFlag(), flag);
    EXPECT_EQ(QuickRender::exportFlag(), flag);
    EXPECT_EQ(ZarvexInstance::exportFlag(), flag);
    EXPECT_EQ(PluginState::pluginPath(), path);
    EXPECT_EQ(pluginDirectory().text(), host.drives().toWindows(folder.path()));
    EXPECT_EQ(presetsDirectory().text(), host.drives().toWindows(folder.path()) + "\\presets");

    // A second hand-over changes nothing; the first end is balanced by it.
    EXPECT_EQ(pluginMain(1, &host, nullptr, const_cast<char*>("Z:\\elsewhere\\x.so")), 1);
    EXPECT_EQ(PluginState::pluginPath(), path);
    EXPECT_EQ(pluginMain(3, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(PluginState::exportFlag(), flag);
    EXPECT_EQ(host.resourceReleases(), 0);

    host.releasePlugins();
    EXPECT_EQ(pluginMain(3, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(PluginState::exportFlag(), nullptr);
    EXPECT_EQ(host.resourceReleases(), 1);
    // An end without a start does nothing more.
    EXPECT_EQ(pluginMain(3, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(host.resourceReleases(), 1);
    setHost(nullptr);
}

TEST(PluginEntry, KeepsAPathLongerThanTheHostsBuffer) {
    headless::HeadlessHost host;
    const std::string longPath = "Z:\\" + std::string(3000, 'd') + "\\tolvane.so";
    ASSERT_EQ(pluginMain(1, &host, nullptr, const_cast<char*>(longPath.c_str())), 1);
    EXPECT_EQ(PluginState::pluginPath(), longPath);
    EXPECT_EQ(pluginDirectory().text(), "Z:\\" + std::string(3000, 'd'));
    EXPECT_EQ(pluginMain(3, nullptr, nullptr, nullptr), 1);
    setHost(nullptr);
}

} // namespace
