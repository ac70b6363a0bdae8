// renderer_settings, tonemapping, layer names and material aliases.
#include "export/exporter.h"

// The render-settings node's values are written by the settings writer; until it exists the
// export writes no renderer settings of its own.
void ZarvexSceneExporter::findRenderSettings() {
    renderSettings_ = nullptr;
}
bool ZarvexSceneExporter::writeRendererSettings(TiXmlElement*) {
    return false;
}
bool ZarvexSceneExporter::writeToneMapping() {
    return true;
}
void ZarvexSceneExporter::writeLayers() {}
