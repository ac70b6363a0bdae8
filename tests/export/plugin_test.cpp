// The plug-in module loaded into the headless host as the host loads it: the instance object and
// the tags registered with their descriptions, CreateInstances as a command, the instance's copy
// and drawing, all across the module boundary.
#include "headless/host.h"
#include "headless/plugin_session.h"
#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// IDs as stored in documents.
constexpr int32_t kInstance = 1022273;
constexpr int32_t kExitPortalTag = 1021223;
constexpr int32_t kSubdivisionTag = 1022667;
constexpr int32_t kMaterialGroup = 1023293;
constexpr int32_t kCreateInstances = 1023984;
constexpr int32_t kInstanceLink = 10000;
constexpr int32_t kInstanceManualBounds = 10001;
constexpr int32_t kInstanceBoundsGroup = 10010;
constexpr int32_t kInstanceDisplay = 10011;
constexpr int32_t kDisplayEdges = 10013;

class PluginInHost : public ::testing::Test {
protected:
    PluginInHost()
        : dir(fs::temp_directory_path() / ("tolvane-export-plugin-" + std::to_string(::getpid()))) {
        fs::remove_all(dir);
        fs::copy(TOLVANE_PLUGIN_DIR, dir, fs::copy_options::recursive);
    }
    ~PluginInHost() override {
        session.shutdown();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    fs::path dir;
    headless::HeadlessHost host;
    headless::PluginSession session{host};
};

TEST_F(PluginInHost, InstancesAndTagsWorkThroughTheModule) {
    const headless::StartResult started = session.start(dir.string());
    ASSERT_TRUE(started.started()) << started.error;
    headless::HDocument& doc = host.document();

    for (int32_t tagType : {kExitPortalTag, kSubdivisionTag}) {
        std::unique_ptr<HostTag> tag = host.createTag(tagType);
        ASSERT_TRUE(tag) << tagType;
        EXPECT_FALSE(tag->data().empty()) << tagType;
        EXPECT_TRUE(host.describe(*tag)) << tagType;
    }
    EXPECT_TRUE(host.createObject(kMaterialGroup));

    std::unique_ptr<HostObject> cube = host.createObject(HostType::kCube);
    cube->setName("Cube");
    HostObject* placed = doc.insertObject(std::move(cube), nullptr, nullptr);
    doc.setSelected(placed, true);
    ASSERT_TRUE(host.runCommand(kCreateInstances));
    HostObject* instance = placed->next();
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(instance->type(), kInstance);
    EXPECT_EQ(instance->data().getLink(kInstanceLink, &doc), placed);
    ASSERT_EQ(doc.undoSteps().size(), 1u);

    const std::unique_ptr<headless::HDescription> description = host.describe(*instance);
    ASSERT_TRUE(description);
    EXPECT_FALSE(description->isHidden(kInstanceLink));
    EXPECT_TRUE(description->isHidden(kInstanceBoundsGroup));
    instance->data().setBool(kInstanceManualBounds, true);
    EXPECT_TRUE(host.describe(*instance)->isHidden(kInstanceLink));

    // The editor's evaluation: the instance generates a copy of the cube, whose own cache the
    // host builds.
    host.evaluate();
    ASSERT_NE(instance->cache(), nullptr);
    EXPECT_EQ(instance->cache()->type(), HostType::kCube);
    ASSERT_NE(instance->cache()->cache(), nullptr);
    EXPECT_EQ(instance->cache()->cache()->toPolygonObject()->polygons().size(), 6u);

    instance->data().setInt(kInstanceDisplay, kDisplayEdges);
    host.drawViews();
    // The cube's cache drawn as six quadrangles of four edges.
    EXPECT_EQ(doc.view().lines().size(), 24u);
}

} // namespace
