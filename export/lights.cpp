// Light emitters.
#include "export/exporter.h"

// Host lights become emitting geometry once the light export exists; until then they are left
// out of the scene.
void ZarvexSceneExporter::exportLight(HostObject*, const HostMatrix&, int32_t) {}
