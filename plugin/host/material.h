// Materials and shaders.
#pragma once

#include "plugin/host/node.h"

#include <memory>

class HostShader;

// Parameters of the standard material (type 5703). Their values are the host's.
namespace HostMaterialParam {
// The colour channel's colour (vector) and brightness (real, 1.0 is full).
constexpr int32_t kColour = 2100;
constexpr int32_t kBrightness = 2101;
// The shader links of the channels, one parameter each (links that accept only shaders).
constexpr int32_t kFirstShaderLink = 8000;
constexpr int32_t kLastShaderLink = 8009;
} // namespace HostMaterialParam

class HostMaterial : public HostNode {
public:
    HostMaterial* toMaterial() override { return this; }
    virtual HostMaterial* next() const = 0;
    virtual HostMaterial* prev() const = 0;
    // Removes the material from its document; the caller owns it then.
    virtual std::unique_ptr<HostMaterial> remove() = 0;

    // --- Channels and shaders (used by the scene writers and the material helper).
    // Channels are numbered by the host (0 colour, 1 luminance, 2 transparency, 3 reflection,
    // 4 environment, 5 fog, 6 bump, 7 alpha, 8 specular, 9 specular colour, 10 glow,
    // 11 displacement, 12 diffusion). A channel the material does not have reads as switched off.
    virtual bool channelEnabled(int32_t channel) const = 0;
    // False when the material has no such channel.
    virtual bool setChannelEnabled(int32_t channel, bool on) = 0;
    // Makes `shader` a shader of this material; the material owns it then and the shader can be
    // linked from the material's channels. Null when it cannot be inserted.
    virtual HostShader* insertShader(std::unique_ptr<HostShader> shader) = 0;
};

class HostShader : public HostNode {
public:
    HostShader* toShader() override { return this; }
};
