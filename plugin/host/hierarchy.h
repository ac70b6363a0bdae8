// The host's walker over a document's object tree with its caches. A plug-in derives from it; the
// host calls visit for every object it passes, building caches on the way.
#pragma once

#include "plugin/host/types.h"

#include <cstdint>

class HostDocument;
class HostObject;

class Hierarchy {
public:
    virtual ~Hierarchy() = default;

    // Per-level data handed to visit; the walker copies it from parent to child level.
    virtual void* allocData();
    virtual void freeData(void* data);
    virtual void copyData(const void* source, void* destination);
    // One object with its global matrix; `controlObject` marks objects a generator consumes.
    // False stops the walk.
    virtual bool visit(void* data, HostObject* op, const HostMatrix& global,
                       bool controlObject) = 0;

    // Walks the whole document. `flags` choose what the host evaluates on the way.
    bool run(HostDocument* doc, bool spline, Real levelOfDetail, int32_t flags, void* startData);
};
