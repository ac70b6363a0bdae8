// Tags attached to objects.
#pragma once

#include "plugin/host/node.h"

#include <memory>
#include <vector>

class HostPolygonObject;
class HostPolygonSelection;
class HostTextureTag;
class HostView;
struct HostMatrix;
struct HostUvw;

class HostTag : public HostNode {
public:
    HostTag* toTag() override { return this; }
    virtual HostTextureTag* toTextureTag() { return nullptr; }

    // The object the tag is attached to, or null.
    virtual HostObject* object() const = 0;
    virtual HostTag* next() const = 0;
    virtual HostTag* prev() const = 0;

    // Detaches the tag from its object; the caller owns it then.
    virtual std::unique_ptr<HostTag> remove() = 0;

    // --- Geometry tags: the UVW coordinates of a UVW tag (5671, one entry per polygon) and the
    // selection of a polygon selection tag (5673); null for tags of other types.
    virtual std::vector<HostUvw>* uvwData() { return nullptr; }
    virtual HostPolygonSelection* polygonSelection() { return nullptr; }
};

// Puts a material on an object (type 5616); the projection parameters are in its container.
class HostTextureTag : public HostTag {
public:
    HostTextureTag* toTextureTag() override { return this; }
    virtual HostMaterial* material() const = 0;
    virtual void setMaterial(HostMaterial* material) = 0;

    // --- UVW generation. The coordinates the tag's projection gives `object` (one entry per
    // polygon), with the object's global matrix, the global matrix of the object that carries
    // the tag and the view the projection may depend on (null for none). False, with `uvw`
    // untouched, when the projection generates none (the UVW projection uses the object's own
    // UVW tag).
    virtual bool generateUvw(const HostPolygonObject& object, const HostMatrix& objectGlobal,
                             const HostMatrix& tagObjectGlobal, const HostView* view,
                             std::vector<HostUvw>& uvw) const = 0;
};
