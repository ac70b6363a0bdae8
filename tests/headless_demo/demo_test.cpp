// The built-in demo document with the real plug-in module loaded.
#include "headless/demo.h"
#include "headless/document.h"
#include "headless/document_file.h"
#include "headless/host.h"
#include "headless/plugin_session.h"

#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

using namespace headless;

class DemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tolvane-demo-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root = pattern;
        // The plug-in writes into its folder: it gets a copy of its own.
        fs::copy(TOLVANE_PLUGIN_DIR, root + "/plugin", fs::copy_options::recursive);
        ASSERT_TRUE(session.start(root + "/plugin").started());
        std::string error;
        std::unique_ptr<HDocument> demo = buildDemoDocument(host, error);
        ASSERT_TRUE(demo) << error;
        host.setDocument(std::move(demo));
    }
    void TearDown() override {
        session.shutdown();
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    HDocument& doc() { return host.document(); }

    std::string root;
    HeadlessHost host;
    PluginSession session{host};
};

TEST_F(DemoTest, HoldsEveryKindOfNode) {
    std::set<int32_t> objects;
    std::set<int32_t> tags;
    forEachObject(doc().firstObject(), [&](HostObject* o) {
        objects.insert(o->type());
        for (HostTag* t = o->firstTag(); t != nullptr; t = t->next()) {
            tags.insert(t->type());
        }
    });
    EXPECT_EQ(objects,
              (std::set<int32_t>{HostType::kPolygonObject, HostType::kLight, HostType::kCamera,
                                 HostType::kNull, HostType::kCube, HostType::kSphere,
                                 HostType::kPlane, HostType::kSubdivisionGenerator,
                                 HostType::kTwistDeformer, 1022273, 1023293, 1020893}));
    EXPECT_EQ(tags, (std::set<int32_t>{HostType::kPhongTag, HostType::kTextureTag,
                                       HostType::kUvwTag, HostType::kPolygonSelectionTag, 1020892,
                                       1021223, 1022083, 1022667}));
    std::set<int32_t> shaders;
    for (HostMaterial* m = doc().firstMaterial(); m != nullptr; m = m->next()) {
        for (const auto& shader : static_cast<HMaterial*>(m)->shaders()) {
            shaders.insert(shader->type());
        }
    }
    EXPECT_EQ(shaders, (std::set<int32_t>{HostType::kBitmapShader, 1023863}));
    ASSERT_NE(doc().renderData()->firstVideoPost(), nullptr);
    EXPECT_EQ(doc().renderData()->firstVideoPost()->type(), 1020896);
    ASSERT_NE(doc().firstMaterial(), nullptr);
    EXPECT_EQ(doc().firstMaterial()->type(), HostType::kStandardMaterial);
    EXPECT_EQ(doc().view().sceneCamera(), doc().searchObject("Camera"));
    HostObject* instance = doc().searchObject("Cube Instance");
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(instance->data().getLink(10000, &doc()), doc().searchObject("Cube"));
    // Plug-in nodes are made through the plug-in: they carry its instance.
    EXPECT_NE(instance->pluginData(), nullptr);
}

TEST_F(DemoTest, FramesOfTheAnimationDiffer) {
    HostObject* cube = doc().searchObject("Cube");
    HostObject* sphere = doc().searchObject("Sphere");
    HostMaterial* plastic = doc().firstMaterial();
    std::vector<HostMatrix> matrices;
    std::vector<Real> radii;
    std::vector<Vector> colours;
    for (int32_t frame : {0, 1, 2}) {
        doc().setTime(HostTime::fromFrame(frame, doc().fps()));
        doc().evaluate();
        matrices.push_back(cube->localMatrix());
        radii.push_back(sphere->data().getReal(1110));
        colours.push_back(plastic->data().getVector(2100));
    }
    for (int i = 1; i < 3; ++i) {
        EXPECT_NE(matrices[i].off, matrices[i - 1].off);
        EXPECT_NE(matrices[i].v1, matrices[i - 1].v1);
        EXPECT_GT(radii[i], radii[i - 1]);
        EXPECT_NE(colours[i], colours[i - 1]);
    }
}

TEST_F(DemoTest, GoesThroughADocumentFileUnchanged) {
    // A plug-in node keeps the file's parameters, not its first values, even when they are none.
    HostTag* lightTag = doc().searchObject("Key Light")->firstTag();
    ASSERT_NE(lightTag->pluginData(), nullptr);
    lightTag->data().clear();
    lightTag->data().setInt(424242, 1);
    const std::string text = saveDocumentFile(doc());
    host.setDocument(nullptr);
    std::string error;
    std::unique_ptr<HDocument> loaded = loadDocumentFile(host, text, error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(saveDocumentFile(*loaded), text);
    host.setDocument(std::move(loaded));
}

} // namespace
