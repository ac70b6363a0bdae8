// A headless host with the plug-in's scene nodes registered, a document, and an exporter whose
// writers can be called one by one on an empty scene.
#pragma once

#include "export/exporter.h"
#include "headless/host.h"
#include "objects/camera_tag.h"
#include "objects/light_tag.h"
#include "objects/material_helper.h"
#include "objects/material_helper_ids.h"
#include "objects/zsl_shader.h"
#include "plugin/host/host_ids.h"
#include "plugin/plugin_ids.h"
#include "plugin/plugin_state.h"
#include "scene/render_settings_node.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace scenetest {

class TestExporter : public ZarvexSceneExporter {
public:
    using ZarvexSceneExporter::cameraTagData_;
    using ZarvexSceneExporter::findCamera;
    using ZarvexSceneExporter::findRenderSettings;
    using ZarvexSceneExporter::highestLayer_;
    using ZarvexSceneExporter::layerBase_;
    using ZarvexSceneExporter::materialHelpers_;
    using ZarvexSceneExporter::sceneScale_;

    // A run's state after its reset, with an empty scene root and renderer_settings element.
    void begin() {
        resetExportState();
        sceneDocument_.Clear();
        sceneRoot_ = new TiXmlElement("scene");
        sceneDocument_.LinkEndChild(sceneRoot_);
        rendererSettings_ = new TiXmlElement("renderer_settings");
    }
    ~TestExporter() override { delete rendererSettings_; }
    TiXmlElement* rendererSettings() { return rendererSettings_; }
    // Collects the document's material helpers as the materials pass does.
    void collectHelpers() {
        pass_ = ExportPass::Materials;
        walkFrom(document_, nullptr, HostMatrix(), false, true);
    }

private:
    TiXmlElement* rendererSettings_ = nullptr;
};

// The element's children printed without white space, as one line.
std::string childrenXml(const TiXmlNode* node);
std::string xml(const TiXmlNode* node);

class SceneTest : public ::testing::Test {
protected:
    SceneTest();
    ~SceneTest() override;

    headless::HDocument& doc() { return host_.document(); }
    // The native directory that drive C: maps to.
    const std::filesystem::path& driveC() const { return driveC_; }
    void writeNativeFile(const std::filesystem::path& path, const std::string& bytes = "x");

    HostMaterial* addMaterial(const std::string& name);
    // A helper of `type` for `material`, with the helper's initial values, at the document's top.
    HostObject* addHelper(HostMaterial* material, int32_t type);
    // A bitmap shader of `material` linked from the channel `choice` selects, that channel on.
    HostShader* addBitmap(HostMaterial* material, int32_t choice, const std::string& file);
    HostShader* addZslShader(HostMaterial* material, int32_t choice, const std::string& program);
    HostVideoPost* addRenderSettings();
    HostObject* addCamera(const HostMatrix& global = HostMatrix());
    HostTag* addCameraTag(HostObject* camera);
    // The root's children after the writers ran.
    std::string scene() { return childrenXml(exporter_.sceneRoot()); }

    headless::HeadlessHost host_;
    TestExporter exporter_;

private:
    std::filesystem::path driveC_;
};

} // namespace scenetest
