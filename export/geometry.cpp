// Geometry elements: mesh, model, exit_portal and sphere. Mesh files are named by object index, so
// an instance that meets an object index again points at the mesh file already written.
#include "export/exporter.h"

#include "objects/exit_portal_tag_ids.h"
#include "objects/subdivision_tag_ids.h"
#include "plugin/host/application.h"
#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/material.h"
#include "plugin/host/polygon_object.h"
#include "plugin/host/tag.h"
#include "plugin/plugin_ids.h"

#include <cstdio>

std::string matrixEntryText(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.8f", double(value));
    std::string text = buffer;
    // Values that round to zero print without a sign.
    if (text == "-0.00000000") {
        text.erase(0, 1);
    }
    return text;
}

HostFilename ZarvexSceneExporter::meshFileName(int32_t index) const {
    HostFilename name(baseName_ + "-" + std::to_string(index));
    name.setSuffix("zvmesh");
    return name;
}

HostFilename ZarvexSceneExporter::meshFilePath(const HostFilename& meshFile) const {
    return modelsDirectory_ + meshFile;
}

MeshState ZarvexSceneExporter::meshState(int32_t index) const {
    return index >= 0 && std::size_t(index) < meshWritten_.size() ? meshWritten_[std::size_t(index)]
                                                                  : MeshState::Pending;
}

void ZarvexSceneExporter::setMeshState(int32_t index, MeshState state) {
    if (index < 0) {
        return;
    }
    if (std::size_t(index) >= meshWritten_.size()) {
        meshWritten_.resize(std::size_t(index) + 1, MeshState::Pending);
    }
    meshWritten_[std::size_t(index)] = state;
}

void ZarvexSceneExporter::exportPolygonObject(HostObject* object, const HostMatrix& global,
                                              int32_t index) {
    HostPolygonObject* polygons = object != nullptr ? object->toPolygonObject() : nullptr;
    if (polygons == nullptr || polygons->polygons().empty()) {
        return;
    }
    const HostFilename file = meshFileName(index);
    switch (meshState(index)) {
    case MeshState::Pending:
        if (!noGeometry_) {
            MeshGatherer gatherer;
            if (exportMesh(gatherer, document_, modelsDirectory_, file, object, sceneScale_,
                           &materialHelpers_) == 0) {
                // Left out, and so are the instances that would point at it.
                setMeshState(index, MeshState::Failed);
                return;
            }
        }
        writeMeshElement(object, index, file);
        setMeshState(index, MeshState::Written);
        break;
    case MeshState::Written:
        ++instancesExported_;
        break;
    case MeshState::Failed:
        return;
    }
    if (HostTag* portal = object->tag(PluginId::kExitPortalTag, 0)) {
        if (portal->data().getBool(EXITPORTAL_ENABLED, false)) {
            writeExitPortalElement(object, file, index, global);
        }
        return;
    }
    if (object->tag(PluginId::kLightTag, 0) == nullptr) {
        writeModelElement(object, index, file, global, 3, nullptr);
    }
}

TiXmlElement* ZarvexSceneExporter::writeMeshElement(HostObject* object, int32_t,
                                                    const HostFilename& meshFile) {
    TiXmlElement* mesh = addElement("mesh", sceneRoot_);
    addComment(object->name(), mesh);
    addStringElement("name", meshFile.file().text(), mesh);
    addBoolElement("normal_smoothing", object->tag(HostType::kPhongTag, 0) != nullptr, mesh);
    TiXmlElement* external = addElement("external", mesh);
    addStringElement("path", meshFilePath(meshFile.file()).text(), external);
    addBoolElement("merge_vertices_with_same_pos_and_normal", false, mesh);
    if (HostTag* subdivision = object->tag(PluginId::kSubdivisionTag, 0)) {
        const HostContainer& d = subdivision->data();
        addIntElement("max_num_subdivisions", d.getInt(SUBDIV_MAX_SUBDIVISIONS, 0), mesh);
        addFloatElement("subdivide_pixel_threshold", d.getReal(SUBDIV_PIXEL_THRESHOLD, 0), mesh);
        addFloatElement("subdivide_curvature_threshold", d.getReal(SUBDIV_CURVATURE_THRESHOLD, 0),
                        mesh);
        addFloatElement("displacement_error_threshold",
                        d.getReal(SUBDIV_DISPLACEMENT_ERROR_THRESHOLD, 0), mesh);
        addBoolElement("subdivision_smoothing", d.getBool(SUBDIV_SMOOTHING, false), mesh);
        addBoolElement("view_dependent_subdivision", d.getBool(SUBDIV_VIEW_DEPENDENT, false), mesh);
        addBoolElement("wrap_u", d.getBool(SUBDIV_WRAP_U, false), mesh);
        addBoolElement("wrap_v", d.getBool(SUBDIV_WRAP_V, false), mesh);
    }
    return mesh;
}

bool ZarvexSceneExporter::writeModelElement(HostObject* object, int32_t,
                                            const HostFilename& meshFile, const HostMatrix& global,
                                            int32_t mode, HostObject* light) {
    if (mode != 3 && light == nullptr) {
        return false;
    }
    TiXmlElement* model = addElement("model", sceneRoot_);
    addComment(object->name(), model);
    addFloatElement("scale", 1.0f, model);
    addStringElement("mesh_name", meshFile.file().text(), model);
    writeTransform(model, global);
    // The light's own emission extras follow the transform in the light writers (modes 1, 2).
    if (mode == 3) {
        writeHelperEmission(model, object);
    }
    return true;
}

TiXmlElement* ZarvexSceneExporter::writeExitPortalElement(HostObject* object,
                                                          const HostFilename& meshFile, int32_t,
                                                          const HostMatrix& global) {
    TiXmlElement* portal = addElement("exit_portal", sceneRoot_);
    addComment(object->name(), portal);
    addFloatElement("scale", 1.0f, portal);
    addStringElement("mesh_name", meshFile.file().text(), portal);
    writeTransform(portal, global);
    return portal;
}

void ZarvexSceneExporter::writeTransform(TiXmlElement* parent, const HostMatrix& m) {
    const float s = sceneScale_;
    addVectorElement("pos", m.off.x * s, m.off.y * s, m.off.z * s, parent, true);
    // The host's 3 x 3 matrix (axes as columns) with y and z exchanged on both sides, row by row.
    const float entries[9] = {m.v1.x, m.v3.x, m.v2.x, m.v1.z, m.v3.z,
                              m.v2.z, m.v1.y, m.v3.y, m.v2.y};
    std::string text;
    for (int i = 0; i < 9; ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += matrixEntryText(entries[i]);
    }
    TiXmlElement* rotation = addElement("rotation", parent);
    addStringElement("matrix", text, rotation);
}

void ZarvexSceneExporter::writeSphereElement(HostObject* sphere, const HostMatrix& m,
                                             bool isLight) {
    TiXmlElement* element = addElement("sphere", sceneRoot_);
    addComment(sphere->name(), element);
    const float s = sceneScale_;
    addVectorElement("center", m.off.x * s, m.off.y * s, m.off.z * s, element, true);
    addFloatElement("radius", sphere->data().getReal(SphereParam::kRadius, 1.0f) * s, element);
    std::string material = isLight ? "defaultLight" : "defaultMat";
    if (!isLight) {
        HostTextureTag* tag = findTextureTag(collectTextureTags(sphere), nullptr);
        if (const MaterialHelperRecord* record =
                helperForMaterial(tag != nullptr ? tag->material() : nullptr)) {
            material = record->name;
        }
    }
    addStringElement("material_name", material, element);
}
