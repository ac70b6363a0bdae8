#include "headless/document.h"
#include "headless/document_file.h"
#include "headless/host.h"

#include "plugin/host/host_ids.h"
#include "plugin/host/render_data.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace headless;

// A document with a value of every type, a small tree with tags and geometry, a view camera and
// animation.
std::unique_ptr<HDocument> sampleDocument(HeadlessHost& host) {
    auto doc = std::make_unique<HDocument>();
    doc->setName("Sample <&> \"doc\"");
    doc->setFps(25);
    doc->setTime(HostTime::fromFrame(7, 25));
    HostMaterial* material =
        doc->insertMaterial(host.createMaterial(HostType::kStandardMaterial), nullptr);
    material->setName("Wood");
    HostObject* group = doc->insertObject(host.createObject(HostType::kNull), nullptr, nullptr);
    group->setName("Group");
    HostObject* cube = doc->insertObject(host.createObject(HostType::kCube), group, nullptr);
    cube->setName("Cube");
    HostObject* mesh = doc->insertObject(host.createObject(HostType::kPolygonObject), group, cube);
    mesh->setName("Mesh");
    HostObject* camera = doc->insertObject(host.createObject(HostType::kCamera), nullptr, group);
    camera->setName("Camera");
    HostContainer& c = material->data();
    c.set(1, HostValue());
    c.setBool(2, true);
    c.setInt(3, -2147483647 - 1);
    c.setReal(4, 0.1f);
    c.setReal(5, -0.0f);
    c.setReal(6, 3.4028235e38f);
    c.setVector(7, Vector(1e-7f, -2.5f, 123456.79f));
    c.setString(8, "line\nbreak \"quoted\" <tag> &amp; \xc3\xbc\xff\t  two  blanks ");
    c.setString(9, std::string("with\0nul", 8));
    c.setString(10, "");
    c.setFilename(11, HostFilename("C:\\tex\\wood 100%.png"));
    c.setLink(12, cube);
    c.setCustom(13, HostCustomData{1001053, std::string("\0\x01\xfe", 3)});
    HostMatrix m;
    m.off = Vector(1.5f, -2, 3);
    m.v1 = Vector(0, 0, -1);
    m.v3 = Vector(1, 0, 0);
    cube->setLocalMatrix(m);
    cube->setRenderVisibility(HostVisibility::Off);
    cube->setEditorVisibility(HostVisibility::On);
    cube->setEnabled(false);
    cube->setBit(HostBit::kGeneratorInput, true);
    cube->setBit(1u << 31, true);
    cube->data().setReal(1110, 50);
    HostTag* texture = cube->insertTag(host.createTag(HostType::kTextureTag));
    texture->toTextureTag()->setMaterial(material);
    texture->data().setString(1006, "Top");
    HostTag* selection = cube->insertTag(host.createTag(HostType::kPolygonSelectionTag), texture);
    selection->setName("Top");
    HostPolygonObject* polygons = mesh->toPolygonObject();
    polygons->setPoints({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0.333333343f, 1, 1e-30f}});
    polygons->setPolygons({{0, 1, 2, 3}, {0, 2, 3, 3}});
    doc->view().setSceneCamera(camera);
    // Node data beyond the containers.
    HostTag* uvw = mesh->insertTag(host.createTag(HostType::kUvwTag));
    *uvw->uvwData() = {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0.25f, 1e-9f}},
                       {{0.5f, 0.5f, 0}, {1, 1, 1}, {0, 1, 0}, {0, 1, 0}}};
    HostTag* top = mesh->insertTag(host.createTag(HostType::kPolygonSelectionTag), uvw);
    top->setName("Top");
    top->polygonSelection()->select(1);
    top->polygonSelection()->select(7);
    mesh->setDisplayColour({2, Vector(0.25f, 0.5f, 1), true});
    doc->setSelected(mesh, true);
    HostShader* owned = material->insertShader(host.createShader(HostType::kBitmapShader));
    owned->data().setFilename(1000, HostFilename("wood.png"));
    owned->setName("Wood grain");
    material->data().setLink(8000, owned);
    HostShader* loose = doc->insertShader(host.createShader(HostType::kBitmapShader));
    loose->data().setLink(5, cube);
    doc->settings().setReal(1, 2.5f);
    doc->settings().setLink(2, mesh);
    doc->renderData()->data().setInt(HostRenderParam::kWidth, 1920);
    doc->renderData()->setName("Final");
    HostMatrix eye;
    eye.off = Vector(0, 100, -300);
    doc->view().editorCamera()->setLocalMatrix(eye);
    doc->view().editorCamera()->data().setReal(500, 50);
    AnimationTrack& position = doc->animation().track(cube->uid(), TrackTarget::Position);
    position.setKey(0, HostValue(Vector(0, 0, 0)));
    position.setKey(1.0 / 3.0, HostValue(Vector(10, 0, 0)), Interpolation::Step);
    doc->animation().track(material->uid(), TrackTarget::Parameter, 4).setKey(0.2, HostValue(0.5f));
    return doc;
}

HostObject* find(HDocument& doc, const std::string& name) {
    return doc.searchObject(name);
}

TEST(DocumentFile, LoadSaveAndLoadAgainLosesNothing) {
    HeadlessHost host;
    std::unique_ptr<HDocument> original = sampleDocument(host);
    const std::string text = saveDocumentFile(*original);
    original.reset();
    std::string error;
    std::unique_ptr<HDocument> loaded = loadDocumentFile(host, text, error);
    ASSERT_TRUE(loaded) << error;
    // The IDs were free again, so the nodes took them back and the text is the same.
    EXPECT_EQ(saveDocumentFile(*loaded), text);

    EXPECT_EQ(loaded->name(), "Sample <&> \"doc\"");
    EXPECT_EQ(loaded->fps(), 25);
    EXPECT_EQ(loaded->time().frame(25), 7);
    HostMaterial* material = loaded->firstMaterial();
    ASSERT_NE(material, nullptr);
    const HostContainer& c = material->data();
    EXPECT_EQ(c.type(1), HostValueType::None);
    EXPECT_EQ(c.getInt(3), -2147483647 - 1);
    EXPECT_EQ(c.getReal(4), 0.1f);
    EXPECT_TRUE(std::signbit(c.getReal(5)));
    EXPECT_EQ(c.getReal(6), 3.4028235e38f);
    EXPECT_EQ(c.getVector(7), Vector(1e-7f, -2.5f, 123456.79f));
    EXPECT_EQ(c.getString(8), "line\nbreak \"quoted\" <tag> &amp; \xc3\xbc\xff\t  two  blanks ");
    EXPECT_EQ(c.getString(9), std::string("with\0nul", 8));
    EXPECT_EQ(c.type(10), HostValueType::String);
    EXPECT_EQ(c.getFilename(11).text(), "C:\\tex\\wood 100%.png");
    EXPECT_EQ(c.getCustom(13), (HostCustomData{1001053, std::string("\0\x01\xfe", 3)}));
    HostObject* cube = find(*loaded, "Cube");
    ASSERT_NE(cube, nullptr);
    EXPECT_EQ(c.getLink(12, loaded.get()), cube);
    EXPECT_EQ(cube->up(), find(*loaded, "Group"));
    EXPECT_EQ(cube->next(), find(*loaded, "Mesh"));
    EXPECT_EQ(loaded->firstObject()->next(), find(*loaded, "Camera"));
    EXPECT_EQ(cube->localMatrix().off, Vector(1.5f, -2, 3));
    EXPECT_EQ(cube->renderVisibility(), HostVisibility::Off);
    EXPECT_EQ(cube->editorVisibility(), HostVisibility::On);
    EXPECT_FALSE(cube->enabled());
    EXPECT_TRUE(cube->hasBit(HostBit::kGeneratorInput));
    EXPECT_TRUE(cube->hasBit(1u << 31));
    ASSERT_NE(cube->tag(HostType::kTextureTag), nullptr);
    EXPECT_EQ(cube->tag(HostType::kTextureTag)->toTextureTag()->material(), material);
    EXPECT_EQ(cube->tag(HostType::kTextureTag)->next()->name(), "Top");
    HostPolygonObject* mesh = find(*loaded, "Mesh")->toPolygonObject();
    EXPECT_EQ(mesh->points()[3], Vector(0.333333343f, 1, 1e-30f));
    EXPECT_EQ(mesh->polygons()[1], (HostPolygon{0, 2, 3, 3}));
    EXPECT_EQ(loaded->view().sceneCamera(), find(*loaded, "Camera"));
    HostTag* uvw = mesh->tag(HostType::kUvwTag);
    ASSERT_NE(uvw, nullptr);
    ASSERT_EQ(uvw->uvwData()->size(), 2u);
    EXPECT_EQ((*uvw->uvwData())[0].d, Vector(0, 0.25f, 1e-9f));
    EXPECT_EQ(mesh->tag(HostType::kPolygonSelectionTag)->polygonSelection()->indices(),
              (std::vector<int32_t>{1, 7}));
    EXPECT_EQ(mesh->displayColour(), (HostDisplayColour{2, Vector(0.25f, 0.5f, 1), true}));
    EXPECT_EQ(loaded->activeObjects(false), std::vector<HostObject*>{mesh});
    HostNode* owned = c.getLink(8000, loaded.get());
    ASSERT_NE(owned, nullptr);
    ASSERT_NE(owned->toShader(), nullptr);
    EXPECT_EQ(owned->name(), "Wood grain");
    EXPECT_EQ(owned->data().getFilename(1000).text(), "wood.png");
    ASSERT_EQ(loaded->shaders().size(), 1u);
    EXPECT_EQ(loaded->shaders()[0]->data().getLink(5, loaded.get()), cube);
    EXPECT_EQ(loaded->settings().getReal(1), 2.5f);
    EXPECT_EQ(loaded->settings().getLink(2, loaded.get()), mesh);
    EXPECT_EQ(loaded->renderData()->data().getInt(HostRenderParam::kWidth), 1920);
    EXPECT_EQ(loaded->renderData()->name(), "Final");
    EXPECT_EQ(loaded->view().editorCamera()->localMatrix().off, Vector(0, 100, -300));
    EXPECT_EQ(loaded->view().editorCamera()->data().getReal(500), 50.0f);
    // The animation came along: at 1/3 s the stepped key holds.
    loaded->setTime(HostTime{0.34});
    loaded->evaluate();
    EXPECT_EQ(cube->localMatrix().off, Vector(10, 0, 0));
    EXPECT_EQ(material->data().getReal(4), 0.5f);
}

TEST(DocumentFile, TakenIdsAreReplacedAndLinksFollow) {
    HeadlessHost host;
    std::unique_ptr<HDocument> original = sampleDocument(host);
    const std::string text = saveDocumentFile(*original);
    std::string error;
    std::unique_ptr<HDocument> copy = loadDocumentFile(host, text, error);
    ASSERT_TRUE(copy) << error;
    HostObject* cube = find(*copy, "Cube");
    EXPECT_NE(cube->uid(), find(*original, "Cube")->uid());
    EXPECT_EQ(copy->firstMaterial()->data().getLink(12, copy.get()), cube);
    EXPECT_EQ(cube->tag(HostType::kTextureTag)->toTextureTag()->material(), copy->firstMaterial());
    EXPECT_EQ(copy->view().sceneCamera(), find(*copy, "Camera"));
    copy->setTime(HostTime{1});
    copy->evaluate();
    EXPECT_EQ(cube->localMatrix().off, Vector(10, 0, 0));
    EXPECT_EQ(find(*original, "Cube")->localMatrix().off, Vector(1.5f, -2, 3));
}

TEST(DocumentFile, ALinkToANodeOutsideTheFileReadsAsNoLink) {
    HeadlessHost host;
    HDocument doc;
    HostObject* a = doc.insertObject(host.createObject(HostType::kNull), nullptr, nullptr);
    HDocument other;
    HostObject* elsewhere =
        other.insertObject(host.createObject(HostType::kNull), nullptr, nullptr);
    a->data().setLink(1, elsewhere);
    std::string error;
    std::unique_ptr<HDocument> loaded = loadDocumentFile(host, saveDocumentFile(doc), error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(loaded->firstObject()->data().getLinkValue(1).node, 0u);
}

TEST(DocumentFile, WhatADocumentLacksStaysLacking) {
    HeadlessHost host;
    HDocument doc;
    doc.setRenderData(nullptr);
    std::string error;
    std::unique_ptr<HDocument> loaded = loadDocumentFile(host, saveDocumentFile(doc), error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(loaded->renderData(), nullptr);
    EXPECT_EQ(loaded->view().sceneCamera(), nullptr);
    // A file from before render data was kept gives the document a new one.
    loaded = loadDocumentFile(host, "<tolvane-document version=\"1\"/>", error);
    ASSERT_TRUE(loaded) << error;
    ASSERT_NE(loaded->renderData(), nullptr);
    EXPECT_EQ(loaded->renderData()->data().getInt(HostRenderParam::kWidth), 800);
}

TEST(DocumentFile, DeepTreesLoad) {
    HeadlessHost host;
    HDocument doc;
    HostObject* parent = nullptr;
    for (int i = 0; i < 400; ++i) {
        parent = doc.insertObject(host.createObject(HostType::kNull), parent, nullptr);
    }
    std::string error;
    std::unique_ptr<HDocument> loaded = loadDocumentFile(host, saveDocumentFile(doc), error);
    ASSERT_TRUE(loaded) << error;
    int depth = 0;
    for (HostObject* o = loaded->firstObject(); o != nullptr; o = o->down()) {
        ++depth;
    }
    EXPECT_EQ(depth, 400);
}

TEST(DocumentFile, RefusesFilesThatDoNotFit) {
    const std::string head = "<tolvane-document version=\"1\">";
    const std::string tail = "</tolvane-document>";
    auto objects = [&](const std::string& inner) {
        return head + "<objects>" + inner + "</objects>" + tail;
    };
    struct Case {
        std::string text;
        const char* error;
    };
    for (const Case& c : {
             Case{"<tolvane-document version=\"2\"/>",
                  "version 2 is not the document file version 1"},
             Case{"<other/>", "the file holds one <tolvane-document> element"},
             Case{"<tolvane-document version=\"1\">", "not a well-formed XML text"},
             Case{"<tolvane-document version=\"1\" fps=\"0\"/>",
                  "fps is a whole number of at least 1"},
             Case{head + "<strange/>" + tail, "unknown document element <strange>"},
             Case{objects("<object type=\"1020893\" uid=\"5\"/>"),
                  "the host cannot create an object of type 1020893 (is the plug-in started?)"},
             Case{objects("<object type=\"5140\"/>"), "a <object> without a numeric uid"},
             Case{objects("<object type=\"5140\" uid=\"5\"/><object type=\"5140\" uid=\"5\"/>"),
                  "the uid 5 is used twice"},
             Case{objects("<object type=\"5140\" uid=\"5\" parent=\"6\"/>"),
                  "object 5: its parent comes before it in the file"},
             Case{objects("<object type=\"5140\" uid=\"5\" render=\"maybe\"/>"),
                  "object 5: render is on, off or default"},
             Case{objects("<object type=\"5140\" uid=\"5\"><data><real id=\"1\" value=\"x\"/>"
                          "</data></object>"),
                  "node 5: parameter 1 does not hold a real"},
             Case{objects("<object type=\"5140\" uid=\"5\"><data><int id=\"1\" value=\"1\"/>"
                          "<bool id=\"1\" value=\"true\"/></data></object>"),
                  "node 5: the parameter 1 is given twice"},
             Case{objects("<object type=\"5140\" uid=\"5\"><data><colour id=\"1\"/></data>"
                          "</object>"),
                  "node 5: unknown value element <colour>"},
             Case{objects("<object type=\"5140\" uid=\"5\"><wobble/></object>"),
                  "node 5: unknown element <wobble>"},
             Case{objects("<object type=\"5100\" uid=\"5\"><polygons count=\"1\">0 1 2 3"
                          "</polygons><points count=\"3\">0 0 0 1 0 0 1 1 0</points></object>"),
                  "object 5: the polygon index 3 is outside its 3 points"},
             Case{objects("<object type=\"5100\" uid=\"5\"><points count=\"2\">0 0 0</points>"
                          "</object>"),
                  "node 5, <points>: the count does not match the points"},
             Case{head + "<animation><track node=\"9\" target=\"position\"/></animation>" + tail,
                  "<animation>: a track of the node 9, which the file does not hold"},
             Case{head +
                      "<objects><object type=\"5140\" uid=\"5\"/></objects><animation><track "
                      "node=\"5\" target=\"spin\"/></animation>" +
                      tail,
                  "<animation>: a <track> has a node and a target (position, rotation, scale or "
                  "parameter)"},
             Case{head + "<objects/><materials/><objects/>" + tail, "<objects> is given twice"},
             Case{head + "<view camera=\"3\"/>" + tail,
                  "<view>: the view's camera is no object of the file"},
             Case{head + "<view><editor-camera/></view>" + tail,
                  "<view>: the editor camera has a matrix with off, v1, v2 and v3 vectors"},
             Case{head + "<render-data type=\"5\" uid=\"4\"/>" + tail,
                  "<render-data>: the render data is of type 110304"},
             Case{head +
                      "<render-data type=\"110304\" uid=\"4\"><effect type=\"1020896\" "
                      "uid=\"5\"/></render-data>" +
                      tail,
                  "<render-data>: the host cannot create a render effect of type 1020896 (is the "
                  "plug-in started?)"},
             Case{head + "<render-data none=\"true\"><data/></render-data>" + tail,
                  "<render-data>: none is true and leaves the document without render data"},
             Case{head + "<shaders><shader type=\"1023863\" uid=\"4\"/></shaders>" + tail,
                  "<shaders>: the host cannot create a shader of type 1023863 (is the plug-in "
                  "started?)"},
             Case{head + "<shaders><shader type=\"5833\"/></shaders>" + tail,
                  "<shaders>: a <shader> without a numeric uid"},
             Case{head + "<settings><real id=\"1\" value=\"x\"/></settings>" + tail,
                  "<settings>: parameter 1 does not hold a real"},
             Case{objects("<object type=\"5140\" uid=\"5\"><tag type=\"5671\" uid=\"6\"><uvw "
                          "count=\"2\">0 0 0 1 0 0 1 1 0 0 1 0</uvw></tag></object>"),
                  "node 6, <uvw>: a count of polygons and twelve numbers for each"},
             Case{objects("<object type=\"5140\" uid=\"5\"><tag type=\"5612\" uid=\"6\"><uvw "
                          "count=\"0\"/></tag></object>"),
                  "node 6, <uvw>: only UVW tags hold coordinates"},
             Case{objects("<object type=\"5140\" uid=\"5\"><tag type=\"5673\" uid=\"6\">"
                          "<selection count=\"1\">-1</selection></tag></object>"),
                  "node 6, <selection>: the polygon index -1 is no polygon"},
             Case{objects("<object type=\"5140\" uid=\"5\"><display mode=\"2\" colour=\"1 0\" "
                          "see-through=\"false\"/></object>"),
                  "node 5, <display>: a display colour has a mode, a colour and see-through true "
                  "or false"},
             Case{objects("<object type=\"5140\" uid=\"5\" selected=\"1\"/>"),
                  "object 5: selected is true or false"},
         }) {
        HeadlessHost host;
        std::string error;
        EXPECT_EQ(loadDocumentFile(host, c.text, error), nullptr) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

} // namespace
