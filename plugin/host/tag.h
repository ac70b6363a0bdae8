// Tags attached to objects.
#pragma once

#include "plugin/host/node.h"

#include <memory>

class HostTextureTag;

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
};

// Puts a material on an object (type 5616); the projection parameters are in its container.
class HostTextureTag : public HostTag {
public:
    HostTextureTag* toTextureTag() override { return this; }
    virtual HostMaterial* material() const = 0;
    virtual void setMaterial(HostMaterial* material) = 0;
};
