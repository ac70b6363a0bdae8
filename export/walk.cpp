// What the exporter does with each object of the three passes, and instancing: an instance
// restarts the object index at its referenced object's index and walks that object under its own
// matrix, so every object met gets the index (and so the mesh file) it has at its own place.
#include "export/exporter.h"

#include "objects/instance.h"
#include "objects/instance_ids.h"
#include "objects/material_helper_ids.h"
#include "plugin/host/document.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/object.h"
#include "plugin/plugin_ids.h"

namespace {

HostObject* instanceTarget(const HostObject* instance, const HostDocument* doc) {
    HostNode* linked = instance->data().getLink(INSTANCE_LINK, doc);
    return linked != nullptr ? linked->toObject() : nullptr;
}

} // namespace

void ZarvexSceneExporter::beforeVisit(HostObject* object) {
    if (pass_ != ExportPass::Index) {
        return;
    }
    const auto it = instancedIndex_.find(object);
    if (it != instancedIndex_.end()) {
        instancedObjects_[it->second].index = objectIndex_;
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
            while (helperNames_.count(record.name) != 0) {
                record.name += "_";
            }
            helperNames_.insert(record.name);
            record.include = object->data().getInt(MATHELPER_TYPE) == MATHELPER_TYPE_INCLUDE;
            materialHelpers_.push_back(record);
        } else if (!isInput && visible && type == PluginId::kInstance) {
            HostObject* target = instanceTarget(object, document_);
            if (target != nullptr && instancedIndex_.count(target) == 0) {
                instancedIndex_.emplace(target, instancedObjects_.size());
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
        HostObject* target = instanceTarget(object, document_);
        if (target == nullptr || isSelfOrAncestor(object, target)) {
            break;
        }
        const auto record = instancedIndex_.find(target);
        if (record == instancedIndex_.end() || instancedObjects_[record->second].index == -1) {
            break;
        }
        // Instances that refer into each other's subtrees would expand without end: a target
        // already being expanded further up is left out.
        if (!expanding_.insert(target).second) {
            break;
        }
        const int32_t remembered = objectIndex_;
        objectIndex_ = instancedObjects_[record->second].index;
        walkFrom(document_, target, global, true, true);
        objectIndex_ = remembered;
        expanding_.erase(target);
        break;
    }
    default:
        break;
    }
    return true;
}
