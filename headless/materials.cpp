// Standard materials of the headless host: their initial values, their numbered channels that can
// be switched on and off, and the shaders they own and link from their channels.
//
// A channel's switch is kept in the material's own container (ID kChannelSwitchBase + channel
// number, a bool), so that it is saved and loaded with every other parameter.
#include "headless/document.h"
#include "headless/nodes.h"
#include "plugin/host/host_ids.h"

namespace headless {

namespace {

constexpr int32_t kChannelSwitchBase = 7000;
// Channels 0 (colour) to 12 (diffusion).
constexpr int32_t kChannelCount = 13;
constexpr int32_t kColourChannel = 0;
constexpr int32_t kSpecularChannel = 8;

bool isChannel(int32_t channel) {
    return channel >= 0 && channel < kChannelCount;
}

bool isShaderLink(int32_t id) {
    return id >= HostMaterialParam::kFirstShaderLink && id <= HostMaterialParam::kLastShaderLink;
}

} // namespace

HMaterial::HMaterial(int32_t type) : NodeImpl(type) {
    if (type != HostType::kStandardMaterial) {
        return;
    }
    // A new material shows a light grey colour with a specular highlight, as the host's does.
    data().setVector(HostMaterialParam::kColour, Vector(0.8f, 0.8f, 0.8f));
    data().setReal(HostMaterialParam::kBrightness, 1.0f);
    for (int32_t channel = 0; channel < kChannelCount; ++channel) {
        data().setBool(kChannelSwitchBase + channel,
                       channel == kColourChannel || channel == kSpecularChannel);
    }
}

HMaterial::~HMaterial() {
    releasePlugin();
    shaders_.clear();
}

bool HMaterial::channelEnabled(int32_t channel) const {
    return isChannel(channel) && data().getBool(kChannelSwitchBase + channel, false);
}

bool HMaterial::setChannelEnabled(int32_t channel, bool on) {
    if (!isChannel(channel) || type() != HostType::kStandardMaterial) {
        return false;
    }
    data().setBool(kChannelSwitchBase + channel, on);
    return true;
}

HostShader* HMaterial::insertShader(std::unique_ptr<HostShader> shader) {
    auto* own = dynamic_cast<HShader*>(shader.get());
    if (own == nullptr || own->owner() != nullptr || own->document() != nullptr) {
        return nullptr;
    }
    shader.release();
    own->setOwner(this);
    shaders_.emplace_back(own);
    return own;
}

bool HMaterial::setParameter(int32_t id, const HostValue& value) {
    if (isShaderLink(id)) {
        if (const HostLink* link = value.get<HostLink>(); link != nullptr && link->node != 0) {
            HostNode* node = findRegisteredNode(link->node);
            if (node == nullptr || node->toShader() == nullptr) {
                return false;
            }
        }
    }
    return NodeImpl::setParameter(id, value);
}

HostShader* HDocument::insertShader(std::unique_ptr<HostShader> shader) {
    auto* own = dynamic_cast<HShader*>(shader.get());
    if (own == nullptr || own->owner() != nullptr || own->document() != nullptr) {
        return nullptr;
    }
    shader.release();
    own->setDocument(this);
    shaders_.emplace_back(own);
    return own;
}

} // namespace headless
