// A document with every kind of node data the host keeps, through a document file and back,
// exported by the real module before and after.
#include "tests/headless_demo/demo_export_fixture.h"

#include "headless/document_file.h"
#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/material.h"

#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace demotest {

namespace {

using namespace headless;

constexpr int32_t kRenderSettings = 1020896;
// The render-settings node's sun link.
constexpr int32_t kSunLink = 1301;

class DemoDocumentFile : public DemoExportTest {
protected:
    void SetUp() override {
        DemoExportTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        addWhatTheDemoLacks();
    }

    // Node data the demo itself has no use for: a shader of the document, a second, switched off
    // render-settings node, document settings, a selection, a moved editor camera, a display
    // colour and a texture projection.
    void addWhatTheDemoLacks() {
        HostShader* shader = doc().insertShader(host().createShader(HostType::kBitmapShader));
        ASSERT_NE(shader, nullptr);
        shader->data().setFilename(HostShaderParam::kBitmapFile, HostFilename("spare.png"));
        std::unique_ptr<HostVideoPost> off = host().createVideoPost(kRenderSettings);
        ASSERT_TRUE(off);
        off->setBit(HostBit::kDisabled, true);
        off->data().setInt(1357, 1);
        ASSERT_NE(doc().renderData()->insertVideoPost(std::move(off),
                                                      doc().renderData()->firstVideoPost()),
                  nullptr);
        doc().settings().setInt(1, 5);
        doc().settings().setLink(2, doc().searchObject("Sun"));
        doc().setSelected(doc().searchObject("Pyramid"), true);
        HostMatrix m;
        m.off = Vector(5, 6, 7);
        doc().view().editorCamera()->setLocalMatrix(m);
        doc().searchObject("Crate")->setDisplayColour({2, Vector(1, 0.5f, 0), true});
        HostTag* floor = doc().searchObject("Floor")->tag(HostType::kTextureTag);
        floor->data().setInt(TextureTagParam::kProjection, TextureProjection::kCubic);
        floor->data().setReal(TextureTagParam::kLengthU, 0.5f);
    }

    // The scene and every mesh file of an export to the demo's folder.
    std::map<std::string, std::string> exported() {
        std::map<std::string, std::string> files;
        std::string text;
        EXPECT_TRUE(exportTo(folder() + "/scene.zvs", text));
        files["scene.zvs"] = text;
        for (const auto& entry : fs::directory_iterator(folder() + "/models.scene")) {
            files[entry.path().filename().string()] = testing_support::readFile(entry.path());
        }
        return files;
    }

    HostShader* linkedShader(HDocument& d, const std::string& material, int32_t channel) {
        for (HostMaterial* m = d.firstMaterial(); m; m = m->next()) {
            if (m->name() == material) {
                HostNode* node =
                    m->data().getLink(HostMaterialParam::kFirstShaderLink + channel, &d);
                return node ? node->toShader() : nullptr;
            }
        }
        return nullptr;
    }
};

TEST_F(DemoDocumentFile, LoadsBackEverythingAndExportsTheSameScene) {
    const std::map<std::string, std::string> before = exported();
    const HostFilename path = doc().path();
    const std::string text = saveDocumentFile(doc());
    host().setDocument(nullptr);
    std::string error;
    std::unique_ptr<HDocument> loaded = loadDocumentFile(host(), text, error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(saveDocumentFile(*loaded), text);

    HDocument& d = *loaded;
    // Render effects in order, plug-in nodes with their instances, the second switched off.
    const auto& effects = d.renderData()->effects();
    ASSERT_EQ(effects.size(), 2u);
    EXPECT_NE(effects[0]->pluginData(), nullptr);
    EXPECT_FALSE(effects[0]->hasBit(HostBit::kDisabled));
    EXPECT_TRUE(effects[1]->hasBit(HostBit::kDisabled));
    EXPECT_EQ(effects[0]->data().getLink(kSunLink, &d), d.searchObject("Sun"));
    EXPECT_EQ(d.renderData()->data().getInt(HostRenderParam::kWidth), 800);
    // Shaders of materials behind their channel links, and of the document.
    HostShader* brick = linkedShader(d, "Brick", 0);
    ASSERT_NE(brick, nullptr);
    EXPECT_EQ(brick->data().getFilename(HostShaderParam::kBitmapFile).text(), "brick.png");
    ASSERT_NE(linkedShader(d, "Marble", 0), nullptr);
    EXPECT_NE(linkedShader(d, "Marble", 0)->pluginData(), nullptr);
    ASSERT_EQ(d.shaders().size(), 1u);
    EXPECT_EQ(d.shaders()[0]->data().getFilename(HostShaderParam::kBitmapFile).text(), "spare.png");
    // Geometry tags, display colour, selection, settings and the editor camera.
    HostObject* pyramid = d.searchObject("Pyramid");
    ASSERT_EQ(pyramid->tag(HostType::kUvwTag)->uvwData()->size(), 5u);
    EXPECT_EQ((*pyramid->tag(HostType::kUvwTag)->uvwData())[4].c, Vector(1, 1, 0));
    EXPECT_EQ(pyramid->tag(HostType::kPolygonSelectionTag, 0)->polygonSelection()->indices(),
              std::vector<int32_t>{4});
    EXPECT_EQ(d.activeObjects(false), std::vector<HostObject*>{pyramid});
    EXPECT_EQ(d.searchObject("Crate")->displayColour(),
              (HostDisplayColour{2, Vector(1, 0.5f, 0), true}));
    EXPECT_EQ(d.settings().getLink(2, &d), d.searchObject("Sun"));
    EXPECT_EQ(d.view().editorCamera()->localMatrix().off, Vector(5, 6, 7));

    loaded->setPath(path);
    host().setDocument(std::move(loaded));
    const std::map<std::string, std::string> after = exported();
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, bytes] : before) {
        EXPECT_TRUE(after.count(name) && after.at(name) == bytes) << name;
    }
}

TEST_F(DemoDocumentFile, NodesOfFamiliesFollowWhenTheirIdsAreTaken) {
    // Loading next to the live document: every node gets a fresh ID, and the links to shaders,
    // to render effects' objects and in the settings point into the copy.
    std::string error;
    std::unique_ptr<HDocument> copy = loadDocumentFile(host(), saveDocumentFile(doc()), error);
    ASSERT_TRUE(copy) << error;
    HostShader* shader = linkedShader(*copy, "Brick", 6);
    ASSERT_NE(shader, nullptr);
    EXPECT_NE(shader, linkedShader(doc(), "Brick", 6));
    EXPECT_EQ(shader->document(), copy.get());
    EXPECT_EQ(shader->data().getFilename(HostShaderParam::kBitmapFile).text(), "brick_bump.png");
    HostObject* sun = copy->searchObject("Sun");
    EXPECT_EQ(copy->renderData()->firstVideoPost()->data().getLink(kSunLink, copy.get()), sun);
    EXPECT_EQ(copy->settings().getLink(2, copy.get()), sun);
    EXPECT_NE(copy->renderData()->uid(), doc().renderData()->uid());
}

} // namespace

} // namespace demotest
