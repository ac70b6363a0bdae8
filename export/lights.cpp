// Light emitters.
#include "export/exporter.h"

// Host lights become emitting geometry once the light export exists; until then they are left
// out of the scene, and models carry no emission scales or light profiles of their helpers.
void ZarvexSceneExporter::exportLight(HostObject*, const HostMatrix&, int32_t) {}
void ZarvexSceneExporter::writeHelperEmission(TiXmlElement*, HostObject*) {}
