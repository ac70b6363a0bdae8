// The walk over a document's object tree that every export pass uses: global matrices, render
// visibility, generator and deformer caches, and the input objects that generators consume.
#pragma once

#include "plugin/host/hierarchy.h"
#include "plugin/host/types.h"

class HostDocument;
class HostObject;

class TolvaneHierarchy {
public:
    virtual ~TolvaneHierarchy() = default;

    // One object the walk hands over, with its global matrix, its inherited render visibility and
    // whether a generator consumes it (its result is already in the generator's cache).
    virtual bool visitObject(HostObject* object, const HostMatrix& global, bool visible,
                             bool isInput) = 0;
    // Every object the walk reaches, before anything else is done with it.
    virtual void beforeVisit(HostObject* object) = 0;

    // Walks `object` and, unless `single`, its following siblings, with their children and
    // caches. An undeformed sphere primitive is handed over itself, not its polygon cache.
    void walk(HostObject* object, const HostMatrix& parent, bool single, bool visible);
    // walk from `start`, or from the document's first object when `start` is null; nothing
    // without a document.
    void walkFrom(HostDocument* doc, HostObject* start, const HostMatrix& matrix, bool single,
                  bool visible);

    // Makes the host build the cache of every generator and deformer before they are read.
    class CacheRebuilder : public Hierarchy {
    public:
        void* allocData() override;
        void freeData(void* data) override;
        void copyData(const void* source, void* destination) override;
        bool visit(void* data, HostObject* op, const HostMatrix& global,
                   bool controlObject) override;
    };
};
