// The document's render settings as the plug-in sees them: the render data with the image size
// and the render effects (video posts) added to it, among them the plug-in's render-settings node.
#pragma once

#include "plugin/host/node.h"

#include <cstdint>
#include <memory>

// Parameters of the render data. Their values are the host's.
namespace HostRenderParam {
// Image size in pixels (integers).
constexpr int32_t kWidth = 5008;
constexpr int32_t kHeight = 5009;
} // namespace HostRenderParam

// One render effect of a render data. A plug-in render effect carries its plug-in instance; a
// render effect switched off by the user has HostBit::kDisabled set.
class HostVideoPost : public HostNode {
public:
    HostVideoPost* toVideoPost() override { return this; }
    // The following render effect of the same render data, or null.
    virtual HostVideoPost* next() const = 0;
    // Detaches the effect from its render data; the caller owns it then.
    virtual std::unique_ptr<HostVideoPost> remove() = 0;
};

// A render data (type HostType::kRenderData): the image size and the list of render effects.
class HostRenderData : public HostNode {
public:
    virtual HostVideoPost* firstVideoPost() const = 0;
    // Inserts `effect` after `pred` (null: first); the render data owns it from then on. Null when
    // the effect cannot be inserted (already inserted elsewhere, `pred` not of this list).
    virtual HostVideoPost* insertVideoPost(std::unique_ptr<HostVideoPost> effect,
                                           HostVideoPost* pred) = 0;
};
