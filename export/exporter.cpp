#include "export/exporter.h"

#include "plugin/host/application.h"
#include "plugin/host/document.h"
#include "plugin/registration.h"

#include <cmath>
#include <cstdio>

namespace {

// Walk flags that make the host evaluate generators and deformers (build their caches).
constexpr int32_t kCacheRebuildFlags = 20;

std::string format(const char* pattern, double value) {
    char buffer[512];
    const int n = std::snprintf(buffer, sizeof buffer, pattern, value);
    if (n >= 0 && std::size_t(n) < sizeof buffer) {
        return std::string(buffer, std::size_t(n));
    }
    // Numbers as long as this do not occur in practice, but never cut one short.
    std::string big(std::size_t(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), pattern, value);
    big.resize(std::size_t(n));
    return big;
}

void console(const std::string& line) {
    host().console(line);
}

} // namespace

std::string realText(float value) {
    return format("%08f", double(value));
}

std::string secondsText(int32_t elapsedMs) {
    const float s = float(elapsedMs) / 1000.0f;
    return format("%.3f", double(s)) + " s";
}

std::string minutesText(int32_t elapsedMs) {
    const float s = float(elapsedMs) / 1000.0f;
    const int minutes = int(std::floor(s / 60.0f));
    return std::to_string(minutes) + " m, " + format("%.3f", double(std::fmod(s, 60.0f))) + " s";
}

ZarvexSceneExporter::ZarvexSceneExporter() = default;
ZarvexSceneExporter::~ZarvexSceneExporter() = default;

void ZarvexSceneExporter::configureExport(HostDocument* doc, const HostFilename& sceneFile,
                                          bool renderAlpha, bool noGeometry, bool renderClay, bool,
                                          bool, bool, bool, bool) {
    document_ = doc;
    renderAlpha_ = renderAlpha;
    noGeometry_ = noGeometry;
    renderClay_ = renderClay;
    sceneDirectory_ = sceneFile.directory();
    baseName_ = sceneFile.fileStem();
    modelsDirectory_ = sceneDirectory_ + ("models." + baseName_);
    sceneFileName_ = baseName_ + ".zvs";
}

void ZarvexSceneExporter::resetExportState() {
    sceneRoot_ = nullptr;
    lastComment_ = nullptr;
    lastElement_ = nullptr;
    renderSettings_ = nullptr;
    camera_ = nullptr;
    cameraData_.clear();
    cameraTagData_.clear();
    hasCameraTag_ = false;
    sceneScale_ = 1.0f;
    exposureDuration_ = 0.05f;
    instancesExported_ = 0;
    layerBase_ = 0;
    highestLayer_ = 0;
    materialHelpers_.clear();
    instancedObjects_.clear();
    meshWritten_.clear();
    helperNames_.clear();
    instancedIndex_.clear();
    helperByMaterial_.clear();
    helpersIndexed_ = 0;
    expanding_.clear();
    sceneFileName_ = baseName_ + ".zvs";
}

int32_t ZarvexSceneExporter::exportScene() {
    if (document_ == nullptr) {
        return 0;
    }
    console(kDecorationLine);
    console("Starting export...");
    const int32_t runStart = host().timerMs();

    CacheRebuilder rebuilder;
    rebuilder.run(document_, false, 1.0f, kCacheRebuildFlags, nullptr);

    resetExportState();
    writeHeaderComments(sceneDocument_);
    sceneRoot_ = new TiXmlElement("scene");
    sceneDocument_.LinkEndChild(sceneRoot_);
    TiXmlElement* rendererSettings = addElement("renderer_settings", sceneRoot_);
    if (renderAlpha_) {
        addBoolElement("render_foreground_alpha", true, rendererSettings);
    }
    findRenderSettings();
    findCamera();
    if (camera_ == nullptr) {
        // Only a document without a view has no camera to render through.
        console("Export stopped: the document has no view to take the camera from.");
        sceneDocument_.Clear();
        sceneRoot_ = nullptr;
        console(kDecorationLine);
        return 0;
    }
    writeRendererSettings(rendererSettings);
    writeCamera(rendererSettings);
    writeEnvironment();
    writeToneMapping();
    runMaterialsPass();
    if (!instancedObjects_.empty()) {
        runIndexingPass();
    }
    runObjectsPass();
    writeLayers();
    console("Processing time: " + minutesText(host().timerMs() - runStart));

    const int32_t saveStart = host().timerMs();
    const std::string path = (sceneDirectory_ + sceneFileName_).text();
    const bool saved = saveScene(path);
    sceneDocument_.Clear();
    sceneRoot_ = nullptr;
    if (!saved) {
        console("Could not write the scene file: " + path);
        console(kDecorationLine);
        return 0;
    }
    console("Saved scene to: " + path);
    console("Saving time: " + secondsText(host().timerMs() - saveStart));
    console(kDecorationLine);
    return 1;
}

void ZarvexSceneExporter::runMaterialsPass() {
    console("Exporting materials...");
    const int32_t start = host().timerMs();
    writeDefaultMaterials();
    objectIndex_ = 0;
    pass_ = ExportPass::Materials;
    walkFrom(document_, nullptr, HostMatrix(), false, true);
    for (MaterialHelperRecord& record : materialHelpers_) {
        if (!record.written) {
            writeMaterial(record, false);
        }
    }
    console("Material export time: " + secondsText(host().timerMs() - start));
    console(" ");
    console("Instanced objects found: " + std::to_string(instancedObjects_.size()));
    console(" ");
}

void ZarvexSceneExporter::runIndexingPass() {
    objectIndex_ = 0;
    pass_ = ExportPass::Index;
    walkFrom(document_, nullptr, HostMatrix(), false, true);
}

void ZarvexSceneExporter::runObjectsPass() {
    console("Exporting objects and lights...");
    const int32_t start = host().timerMs();
    meshWritten_.assign(std::size_t(objectIndex_) + 1, MeshState::Pending);
    objectIndex_ = 0;
    pass_ = ExportPass::Objects;
    walkFrom(document_, nullptr, HostMatrix(), false, true);
    console("Object export time: " + secondsText(host().timerMs() - start));
    console("Instances exported: " + std::to_string(instancesExported_));
    console(" ");
}

bool ZarvexSceneExporter::saveScene(const std::string& path) {
    TiXmlPrinter printer;
    sceneDocument_.Accept(&printer);
    return host().writeFile(HostFilename(path), printer.Str());
}

TiXmlElement* ZarvexSceneExporter::addElement(const char* name, TiXmlNode* parent) {
    auto* element = new TiXmlElement(name);
    parent->LinkEndChild(element);
    lastElement_ = element;
    return element;
}

TiXmlElement* ZarvexSceneExporter::addStringElement(const char* name, const std::string& text,
                                                    TiXmlNode* parent) {
    TiXmlElement* element = addElement(name, parent);
    element->LinkEndChild(new TiXmlText(text));
    return element;
}

TiXmlElement* ZarvexSceneExporter::addBoolElement(const char* name, bool value, TiXmlNode* parent) {
    return addStringElement(name, value ? "true" : "false", parent);
}

TiXmlElement* ZarvexSceneExporter::addIntElement(const char* name, int32_t value,
                                                 TiXmlNode* parent) {
    return addStringElement(name, std::to_string(value), parent);
}

TiXmlElement* ZarvexSceneExporter::addFloatElement(const char* name, float value,
                                                   TiXmlNode* parent) {
    return addStringElement(name, realText(value), parent);
}

TiXmlElement* ZarvexSceneExporter::addVectorElement(const char* name, float x, float y, float z,
                                                    TiXmlNode* parent, bool swap) {
    const float second = swap ? z : y;
    const float third = swap ? y : z;
    return addStringElement(name, realText(x) + " " + realText(second) + " " + realText(third),
                            parent);
}

TiXmlComment* ZarvexSceneExporter::addComment(const std::string& text, TiXmlNode* parent) {
    auto* comment = new TiXmlComment(text.c_str());
    parent->LinkEndChild(comment);
    lastComment_ = comment;
    return comment;
}
