// Geometry elements: mesh, model, exit_portal and sphere.
#include "export/exporter.h"

// The geometry writers are filled in with the mesh extraction; until then polygon objects and
// spheres are passed over.
void ZarvexSceneExporter::exportPolygonObject(HostObject*, const HostMatrix&, int32_t) {}
void ZarvexSceneExporter::writeSphereElement(HostObject*, const HostMatrix&, bool) {}
