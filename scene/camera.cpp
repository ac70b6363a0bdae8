// The camera element and the camera-dependent renderer settings.
#include "export/exporter.h"

void ZarvexSceneExporter::findCamera() {
    camera_ = nullptr;
}
bool ZarvexSceneExporter::writeCamera(TiXmlElement*) {
    return true;
}
