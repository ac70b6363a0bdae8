#include "export_fixture.h"

#include "objects/exit_portal_tag.h"
#include "objects/instance.h"
#include "objects/instance_ids.h"
#include "objects/light_tag.h"
#include "objects/material_group.h"
#include "objects/material_helper.h"
#include "objects/material_helper_ids.h"
#include "objects/subdivision_tag.h"
#include "plugin/host/application.h"
#include "plugin/host/host_ids.h"
#include "plugin/plugin_ids.h"
#include "util/xml_parse.h"

#include <atomic>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testing_export {

namespace {

void registerObjectType(headless::HeadlessHost& host, int32_t id, NodeAllocator allocator) {
    ObjectRegistration r;
    r.id = id;
    r.name = "object " + std::to_string(id);
    r.allocator = allocator;
    host.registerObject(std::move(r));
}

void registerTagType(headless::HeadlessHost& host, int32_t id, NodeAllocator allocator) {
    TagRegistration r;
    r.id = id;
    r.name = "tag " + std::to_string(id);
    r.allocator = allocator;
    host.registerTag(std::move(r));
}

fs::path freshDirectory() {
    static std::atomic<int> counter{0};
    fs::path dir = fs::temp_directory_path() / ("tolvane-export-" + std::to_string(::getpid()) +
                                                "-" + std::to_string(counter++));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

} // namespace

ExportTest::ExportTest() : root(freshDirectory()) {
    host.drives().mapDrive('D', root.string());
    // The scene's folder exists, as it does when the user chose the file in a dialog.
    fs::create_directories(root / "out");
    host.clock().setFake(1000);
    setHost(&host);
    ZarvexInstance::setExportFlag(&exportFlag);
    registerObjectType(host, PluginId::kInstance, &ZarvexInstance::alloc);
    registerObjectType(host, PluginId::kMaterialHelper, &MyMaterialHelper::alloc);
    registerObjectType(host, PluginId::kMaterialGroup, &MaterialGroup::alloc);
    registerTagType(host, PluginId::kExitPortalTag, &MyExitPortal::alloc);
    registerTagType(host, PluginId::kSubdivisionTag, &MySubdivision::alloc);
    registerTagType(host, PluginId::kLightTag, &MyLightTag::alloc);
}

ExportTest::~ExportTest() {
    host.releasePlugins();
    ZarvexInstance::setExportFlag(nullptr);
    setHost(nullptr);
    std::error_code ec;
    fs::remove_all(root, ec);
}

headless::HObject* ExportTest::add(int32_t type, const std::string& name,
                                   headless::HObject* parent) {
    std::unique_ptr<HostObject> object = host.createObject(type);
    EXPECT_TRUE(object) << "type " << type;
    object->setName(name);
    HostObject* pred = nullptr;
    for (HostObject* o = parent ? parent->down() : doc().firstObject(); o; o = o->next()) {
        pred = o;
    }
    return static_cast<headless::HObject*>(doc().insertObject(std::move(object), parent, pred));
}

headless::HObject* ExportTest::addPolygons(const std::string& name, std::vector<Vector> points,
                                           std::vector<HostPolygon> polygons,
                                           headless::HObject* parent) {
    headless::HObject* o = add(HostType::kPolygonObject, name, parent);
    o->setPoints(std::move(points));
    o->setPolygons(std::move(polygons));
    return o;
}

headless::HObject* ExportTest::addCube(const std::string& name, headless::HObject* parent) {
    std::vector<Vector> p;
    for (int i = 0; i < 8; ++i) {
        p.push_back({(i & 1) ? 1.0f : -1.0f, (i & 2) ? 1.0f : -1.0f, (i & 4) ? 1.0f : -1.0f});
    }
    return addPolygons(
        name, p,
        {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}},
        parent);
}

headless::HTag* ExportTest::addTag(headless::HObject* object, int32_t type,
                                   const std::string& name) {
    std::unique_ptr<HostTag> tag = host.createTag(type);
    EXPECT_TRUE(tag) << "tag type " << type;
    tag->setName(name);
    HostTag* pred = nullptr;
    for (HostTag* t = object->firstTag(); t; t = t->next()) {
        pred = t;
    }
    return static_cast<headless::HTag*>(object->insertTag(std::move(tag), pred));
}

headless::HTag* ExportTest::addTextureTag(headless::HObject* object, HostMaterial* material,
                                          const std::string& restriction) {
    headless::HTag* tag = addTag(object, HostType::kTextureTag);
    tag->setMaterial(material);
    tag->data().setString(TextureTagParam::kRestriction, restriction);
    return tag;
}

headless::HTag* ExportTest::addSelection(headless::HObject* object, const std::string& name,
                                         const std::vector<int32_t>& polygons) {
    headless::HTag* tag = addTag(object, HostType::kPolygonSelectionTag, name);
    for (int32_t p : polygons) {
        tag->polygonSelection()->select(p);
    }
    return tag;
}

HostMaterial* ExportTest::addMaterial(const std::string& name) {
    std::unique_ptr<HostMaterial> m = host.createMaterial(HostType::kStandardMaterial);
    m->setName(name);
    return doc().insertMaterial(std::move(m), nullptr);
}

headless::HObject* ExportTest::addHelper(const std::string& name, HostMaterial* material) {
    headless::HObject* helper = add(PluginId::kMaterialHelper, name);
    helper->data().setLink(MATHELPER_MATERIAL, material);
    return helper;
}

headless::HObject* ExportTest::addInstance(const std::string& name, HostObject* linked,
                                           headless::HObject* parent) {
    headless::HObject* instance = add(PluginId::kInstance, name, parent);
    instance->data().setLink(INSTANCE_LINK, linked);
    return instance;
}

int32_t ExportTest::exportTo(const std::string& sceneFile, bool renderAlpha, bool noGeometry) {
    exporter.configureExport(&doc(), HostFilename(sceneFile), renderAlpha, noGeometry, false);
    const int32_t result = exporter.exportScene();
    HostFilename saved(sceneFile);
    saved.setSuffix("zvs");
    std::string text;
    scene.Clear();
    if (host.readFile(saved, text)) {
        EXPECT_TRUE(parseXmlDocument(text, scene)) << text;
    }
    return result;
}

std::string ExportTest::sceneText(const std::string& sceneFile) const {
    std::string text;
    host.readFile(HostFilename(sceneFile), text);
    return text;
}

std::vector<const TiXmlElement*> ExportTest::elements(const char* name) {
    std::vector<const TiXmlElement*> found;
    const TiXmlElement* root = scene.FirstChildElement("scene");
    for (const TiXmlElement* e = root ? root->FirstChildElement(name) : nullptr; e;
         e = e->NextSiblingElement(name)) {
        found.push_back(e);
    }
    return found;
}

std::string ExportTest::childText(const TiXmlElement* e, const char* child) {
    const TiXmlElement* c = e ? e->FirstChildElement(child) : nullptr;
    return c && c->GetText() ? c->GetText() : "";
}

fs::path ExportTest::native(const std::string& windowsPath) const {
    return host.nativePath(HostFilename(windowsPath));
}

ZarvexMesh ExportTest::readMesh(const std::string& file) const {
    ZarvexMesh mesh;
    readMeshFile(native("D:\\out\\models.room\\" + file).string(), mesh);
    return mesh;
}

bool ExportTest::consoleHas(const std::string& line) const {
    const auto& lines = host.consoleLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> ExportTest::consoleStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& line : host.consoleLines()) {
        if (line.rfind(prefix, 0) == 0) {
            found.push_back(line);
        }
    }
    return found;
}

} // namespace testing_export
