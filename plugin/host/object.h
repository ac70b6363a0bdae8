// Objects of a document's object tree, with their caches, matrices and tags.
#pragma once

#include "plugin/host/node.h"
#include "plugin/host/types.h"

#include <memory>

class HostPolygonObject;

// How the editor draws an object: its display-colour properties. Mode 0 draws in the host's
// default colour, 2 in `colour`; with `seeThrough` the object shows through others.
struct HostDisplayColour {
    int32_t mode = 0;
    Vector colour{1, 1, 1};
    bool seeThrough = false;
    bool operator==(const HostDisplayColour& o) const {
        return mode == o.mode && colour == o.colour && seeThrough == o.seeThrough;
    }
};

// An object's visibility in the renderer or the editor.
enum class HostVisibility { On = 0, Off = 1, Default = 2 };

class HostObject : public HostNode {
public:
    HostObject* toObject() override { return this; }
    virtual HostPolygonObject* toPolygonObject() { return nullptr; }

    virtual HostObject* next() const = 0;
    virtual HostObject* prev() const = 0;
    virtual HostObject* up() const = 0;
    virtual HostObject* down() const = 0;

    // The generator's output and the deformed copy of it, both as the last evaluation left them.
    virtual HostObject* cache() const = 0;
    virtual HostObject* deformCache() const = 0;
    // For the top object of a cache: the object whose cache it is. Null elsewhere.
    virtual HostObject* cacheOwner() const = 0;

    virtual HostMatrix localMatrix() const = 0;
    virtual HostMatrix globalMatrix() const = 0;
    virtual void setLocalMatrix(const HostMatrix& m) = 0;
    virtual void setGlobalMatrix(const HostMatrix& m) = 0;

    virtual HostVisibility renderVisibility() const = 0;
    virtual HostVisibility editorVisibility() const = 0;
    virtual void setRenderVisibility(HostVisibility v) = 0;
    virtual void setEditorVisibility(HostVisibility v) = 0;
    // The object's enabled state (lights, generators and deformers can be switched off).
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool on) = 0;

    virtual HostTag* firstTag() const = 0;
    // The `nth` tag of `type` (0 is the first), or null.
    virtual HostTag* tag(int32_t type, int nth = 0) const = 0;
    // Attaches a tag after `pred`, or first when `pred` is null; the object owns it from then on.
    virtual HostTag* insertTag(std::unique_ptr<HostTag> tag, HostTag* pred = nullptr) = 0;

    // Detaches the object (with its children) from its document; the caller owns it then.
    virtual std::unique_ptr<HostObject> remove() = 0;

    // --- Copies, bounds and display (geometry).
    // A copy of the object with its children and tags (HostCopy flags), owned by the caller; null
    // when it cannot be made. Links among the copied nodes point into the copy.
    virtual std::unique_ptr<HostObject> copy(int32_t flags) const = 0;
    // Centre and half size of the object's bounding box in its own coordinates, from its points
    // or, for a generator, its cache; zero for an object without geometry.
    virtual void dimension(Vector& center, Vector& radius) const = 0;

    // --- Display colour (used by the camera tag to mark its camera).
    virtual HostDisplayColour displayColour() const = 0;
    virtual void setDisplayColour(const HostDisplayColour& colour) = 0;
};
