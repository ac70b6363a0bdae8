#include "export/hierarchy.h"

#include "plugin/host/document.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/object.h"

void TolvaneHierarchy::walk(HostObject* object, const HostMatrix& parent, bool single,
                            bool inheritedVisible) {
    for (; object != nullptr; object = object->next()) {
        const HostMatrix global = single ? parent : parent * object->localMatrix();
        // Each sibling starts from what its parent passed down; its own mode only reaches the
        // objects below it.
        bool visible = inheritedVisible;
        switch (object->renderVisibility()) {
        case HostVisibility::On:
            visible = true;
            break;
        case HostVisibility::Off:
            visible = false;
            break;
        case HostVisibility::Default:
            break;
        }
        beforeVisit(object);
        HostObject* cache = object->cache();
        if (object->type() == HostType::kSphere && cache != nullptr &&
            cache->deformCache() == nullptr) {
            visitObject(object, global, visible, false);
        } else if (HostObject* deformed = object->deformCache()) {
            walk(deformed, global, false, visible);
        } else if (cache != nullptr) {
            walk(cache, global, false, visible);
        } else {
            visitObject(object, global, visible, object->hasBit(HostBit::kGeneratorInput));
        }
        if (HostObject* child = object->down()) {
            walk(child, global, false, visible);
        }
        if (single) {
            return;
        }
    }
}

void TolvaneHierarchy::walkFrom(HostDocument* doc, HostObject* start, const HostMatrix& matrix,
                                bool single, bool visible) {
    if (doc == nullptr) {
        return;
    }
    walk(start != nullptr ? start : doc->firstObject(), matrix, single, visible);
}

void* TolvaneHierarchy::CacheRebuilder::allocData() {
    return nullptr;
}
void TolvaneHierarchy::CacheRebuilder::freeData(void*) {}
void TolvaneHierarchy::CacheRebuilder::copyData(const void*, void*) {}
bool TolvaneHierarchy::CacheRebuilder::visit(void*, HostObject*, const HostMatrix&, bool) {
    return true;
}
