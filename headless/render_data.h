// The render data of a headless document and its render effects.
#pragma once

#include "headless/nodes.h"
#include "plugin/host/render_data.h"

#include <memory>
#include <vector>

namespace headless {

class HDocument;
class HRenderData;

class HVideoPost final : public NodeImpl<HostVideoPost> {
public:
    explicit HVideoPost(int32_t type) : NodeImpl(type) {}
    ~HVideoPost() override { releasePlugin(); }

    HostVideoPost* next() const override;
    std::unique_ptr<HostVideoPost> remove() override;
    HostDocument* document() override;

    HRenderData* owner() const { return owner_; }
    void setOwner(HRenderData* owner) { owner_ = owner; }

private:
    HRenderData* owner_ = nullptr;
};

// Image size 800 x 600 when created; render effects in insertion order.
class HRenderData final : public NodeImpl<HostRenderData> {
public:
    HRenderData();
    ~HRenderData() override;

    HostVideoPost* firstVideoPost() const override;
    HostVideoPost* insertVideoPost(std::unique_ptr<HostVideoPost> effect,
                                   HostVideoPost* pred) override;
    HostDocument* document() override;

    void setDocument(HDocument* doc) { document_ = doc; }
    HostVideoPost* effectAfter(const HVideoPost* effect) const;
    std::unique_ptr<HostVideoPost> removeEffect(const HVideoPost* effect);
    const std::vector<std::unique_ptr<HVideoPost>>& effects() const { return effects_; }

private:
    HDocument* document_ = nullptr;
    std::vector<std::unique_ptr<HVideoPost>> effects_;
};

} // namespace headless
