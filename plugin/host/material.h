// Materials and shaders.
#pragma once

#include "plugin/host/node.h"

#include <memory>

class HostMaterial : public HostNode {
public:
    HostMaterial* toMaterial() override { return this; }
    virtual HostMaterial* next() const = 0;
    virtual HostMaterial* prev() const = 0;
    // Removes the material from its document; the caller owns it then.
    virtual std::unique_ptr<HostMaterial> remove() = 0;
};

class HostShader : public HostNode {
public:
    HostShader* toShader() override { return this; }
};
