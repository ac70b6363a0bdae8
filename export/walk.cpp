// What the exporter does with each object of the three passes, and instancing: an instance
// restarts the object index at its referenced object's index and walks that object under its own
// matrix, so every object met gets the index (and so the mesh file) it has at its own place.
#include "export/exporter.h"

#include "objects/instance_ids.h"
#include "objects/material_helper_ids.h"
#include "plugin/host/document.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/object.h"
#include "plugin/plugin_ids.h"

#include <algorithm>

namespace {

// The object itself or one of its ancestors, going up through parents and, from the top object
// of a cache, to the generator that owns it.
bool isSelfOrAncestor(const HostObject* candidate, const HostObject* object) {
    for (const HostObject* o = object; o != nullptr;) {
        if (o == candidate) {
            return true;
        }
        o = o->up() != nullptr ? o->up() : o->cacheOwner();
    }
    return false;
}

} // namespace

void ZarvexSceneExporter::beforeVisit(HostObject* object) {
    if (pass_ != ExportPass::Index) {
        return;
    }
    for (InstancedObject& record : instancedObjects_) {
        if (record.object == object) {
            record.index = objectIndex_;
        }
    }
}

bool ZarvexSceneExporter::visitObject(HostObject* object, const HostMatrix& global, bool visible,
                                      bool isInput) {
    if (!isInput) {
        ++objectIndex_;
    }
    const int32_t type = object->type();
    if (pass_ == ExportPass::Materials) {
        if (type == PluginId::kMaterialHelper) {
            MaterialHelperRecord record;
            record.helper = object;
            record.name = object->name();
            while (
                std::any_of(materialHelpers_.begin(), materialHelpers_.end(),
                            [&](const MaterialHelperRecord& r) { return r.name == record.name; })) {
                record.name += "_";
            }
            record.include = object->data().getInt(MATHELPER_TYPE) == MATHELPER_TYPE_INCLUDE;
            materialHelpers_.push_back(record);
        } else if (!isInput && visible && type == PluginId::kInstance) {
            HostNode* linked = object->data().getLink(INSTANCE_LINK, document_);
            HostObject* target = linked ? linked->toObject() : nullptr;
            if (target != nullptr &&
                std::none_of(instancedObjects_.begin(), instancedObjects_.end(),
                             [&](const InstancedObject& r) { return r.object == target; })) {
                instancedObjects_.push_back({target, -1});
            }
        }
        return true;
    }
    if (pass_ != ExportPass::Objects || isInput || !visible) {
        return true;
    }
    switch (type) {
    case HostType::kPolygonObject:
        exportPolygonObject(object, global, objectIndex_);
        break;
    case HostType::kLight:
        if (object->enabled()) {
            exportLight(object, global, objectIndex_);
        }
        break;
    case HostType::kSphere:
        writeSphereElement(object, global, false);
        break;
    case PluginId::kInstance: {
        HostNode* linked = object->data().getLink(INSTANCE_LINK, document_);
        HostObject* target = linked ? linked->toObject() : nullptr;
        if (target == nullptr || isSelfOrAncestor(target, object)) {
            break;
        }
        const auto record =
            std::find_if(instancedObjects_.begin(), instancedObjects_.end(),
                         [&](const InstancedObject& r) { return r.object == target; });
        if (record == instancedObjects_.end() || record->index == -1) {
            break;
        }
        const int32_t remembered = objectIndex_;
        objectIndex_ = record->index;
        walkFrom(document_, target, global, true, true);
        objectIndex_ = remembered;
        break;
    }
    default:
        break;
    }
    return true;
}
