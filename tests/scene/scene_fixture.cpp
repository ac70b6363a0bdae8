#include "scene_fixture.h"

#include "plugin/host/material.h"
#include "plugin/host/render_data.h"
#include "plugin/host/tag.h"
#include "scene/channel_choice.h"

#include <atomic>
#include <fstream>
#include <unistd.h>

namespace scenetest {

std::string xml(const TiXmlNode* node) {
    TiXmlPrinter printer;
    printer.SetStreamPrinting();
    node->Accept(&printer);
    return printer.Str();
}

std::string childrenXml(const TiXmlNode* node) {
    std::string text;
    for (const TiXmlNode* child = node->FirstChild(); child; child = child->NextSibling()) {
        text += xml(child);
    }
    return text;
}

namespace {
std::filesystem::path freshDirectory() {
    static std::atomic<int> counter{0};
    auto dir = std::filesystem::temp_directory_path() /
               ("tolvane-scene-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}
} // namespace

SceneTest::SceneTest() : driveC_(freshDirectory()) {
    setHost(&host_);
    host_.drives().mapDrive('C', driveC_.string());
    std::filesystem::create_directories(driveC_ / "plugin" / "presets");
    std::filesystem::create_directories(driveC_ / "scene");
    PluginState::setPluginPath("C:\\plugin\\tolvane.so");
    host_.setProcessorThreadCount(6);

    RenderEffectRegistration settings;
    settings.id = PluginId::kRenderSettings;
    settings.name = "Render settings";
    settings.allocator = &RenderSettingsNode::alloc;
    host_.registerRenderEffect(std::move(settings));
    const auto registerTag = [this](int32_t id, NodeAllocator allocator) {
        TagRegistration r;
        r.id = id;
        r.name = "tag";
        r.allocator = allocator;
        host_.registerTag(std::move(r));
    };
    registerTag(PluginId::kCameraTag, &CameraTag::alloc);
    registerTag(PluginId::kLightTag, &MyLightTag::alloc);
    ObjectRegistration helper;
    helper.id = PluginId::kMaterialHelper;
    helper.name = "helper";
    helper.allocator = &MyMaterialHelper::alloc;
    host_.registerObject(std::move(helper));
    ShaderRegistration zsl;
    zsl.id = PluginId::kZslShader;
    zsl.name = "zsl";
    zsl.allocator = &ZSLData::alloc;
    host_.registerShader(std::move(zsl));

    exporter_.configureExport(&doc(), HostFilename("C:\\scene\\test.zvs"), false, false, false);
    exporter_.begin();
}

SceneTest::~SceneTest() {
    host_.releasePlugins();
    setHost(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(driveC_, ec);
}

void SceneTest::writeNativeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

HostMaterial* SceneTest::addMaterial(const std::string& name) {
    std::unique_ptr<HostMaterial> material = host_.createMaterial(HostType::kStandardMaterial);
    material->setName(name);
    return doc().insertMaterial(std::move(material), nullptr);
}

HostObject* SceneTest::addHelper(HostMaterial* material, int32_t type) {
    std::unique_ptr<HostObject> helper = host_.createObject(PluginId::kMaterialHelper);
    helper->setName(material ? material->name() : "helper");
    helper->data().setLink(MATHELPER_MATERIAL, material);
    helper->data().setInt(MATHELPER_TYPE, type);
    // Appended, so that helpers are collected in the order the test adds them.
    HostObject* last = doc().firstObject();
    while (last != nullptr && last->next() != nullptr) {
        last = last->next();
    }
    return doc().insertObject(std::move(helper), nullptr, last);
}

namespace {
HostShader* linkShader(HostMaterial* material, std::unique_ptr<HostShader> shader, int32_t choice);
}

HostShader* SceneTest::addBitmap(HostMaterial* material, int32_t choice, const std::string& file) {
    std::unique_ptr<HostShader> shader = host_.createShader(HostType::kBitmapShader);
    shader->data().setFilename(HostShaderParam::kBitmapFile, HostFilename(file));
    return linkShader(material, std::move(shader), choice);
}

HostShader* SceneTest::addZslShader(HostMaterial* material, int32_t choice,
                                    const std::string& program) {
    std::unique_ptr<HostShader> shader = host_.createShader(PluginId::kZslShader);
    shader->data().setString(1405, program);
    return linkShader(material, std::move(shader), choice);
}

namespace {
HostShader* linkShader(HostMaterial* material, std::unique_ptr<HostShader> shader, int32_t choice) {
    HostShader* own = material->insertShader(std::move(shader));
    const HostChannelChoice target = channelForChoice(choice);
    material->setChannelEnabled(target.channel, true);
    material->setParameter(target.shaderLink, HostValue(HostLink{own->uid()}));
    return own;
}
} // namespace

HostVideoPost* SceneTest::addRenderSettings() {
    return doc().activeRenderData()->insertVideoPost(
        host_.createVideoPost(PluginId::kRenderSettings), nullptr);
}

HostObject* SceneTest::addCamera(const HostMatrix& global) {
    std::unique_ptr<HostObject> camera = host_.createObject(HostType::kCamera);
    camera->setName("Camera");
    camera->setLocalMatrix(global);
    HostObject* own = doc().insertObject(std::move(camera), nullptr, nullptr);
    doc().view().setSceneCamera(own);
    return own;
}

HostTag* SceneTest::addCameraTag(HostObject* camera) {
    return camera->insertTag(host_.createTag(PluginId::kCameraTag), nullptr);
}

} // namespace scenetest
