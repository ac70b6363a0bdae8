#include "plugin/host/hierarchy.h"

#include "plugin/host/application.h"

void* Hierarchy::allocData() {
    return nullptr;
}
void Hierarchy::freeData(void*) {}
void Hierarchy::copyData(const void*, void*) {}

bool Hierarchy::run(HostDocument* doc, bool spline, Real levelOfDetail, int32_t flags,
                    void* startData) {
    HostApplication* app = hostOrNull();
    return app != nullptr && doc != nullptr &&
           app->runHierarchy(*this, doc, spline, levelOfDetail, flags, startData);
}
