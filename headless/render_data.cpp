#include "headless/render_data.h"

#include "headless/document.h"
#include "headless/host.h"
#include "plugin/host/host_ids.h"

#include <algorithm>
#include <thread>

namespace headless {

HostVideoPost* HVideoPost::next() const {
    return owner_ != nullptr ? owner_->effectAfter(this) : nullptr;
}

std::unique_ptr<HostVideoPost> HVideoPost::remove() {
    return owner_ != nullptr ? owner_->removeEffect(this) : nullptr;
}

HostDocument* HVideoPost::document() {
    return owner_ != nullptr ? owner_->document() : nullptr;
}

HRenderData::HRenderData() : NodeImpl(HostType::kRenderData) {
    data().setInt(HostRenderParam::kWidth, 800);
    data().setInt(HostRenderParam::kHeight, 600);
}

HRenderData::~HRenderData() {
    effects_.clear();
}

HostVideoPost* HRenderData::firstVideoPost() const {
    return effects_.empty() ? nullptr : effects_.front().get();
}

HostVideoPost* HRenderData::insertVideoPost(std::unique_ptr<HostVideoPost> effect,
                                            HostVideoPost* pred) {
    auto* own = dynamic_cast<HVideoPost*>(effect.get());
    if (own == nullptr || own->owner() != nullptr) {
        return nullptr;
    }
    auto at = effects_.begin();
    if (pred != nullptr) {
        at = std::find_if(effects_.begin(), effects_.end(),
                          [pred](const std::unique_ptr<HVideoPost>& e) { return e.get() == pred; });
        if (at == effects_.end()) {
            return nullptr;
        }
        ++at;
    }
    effect.release();
    own->setOwner(this);
    effects_.emplace(at, own);
    return own;
}

HostDocument* HRenderData::document() {
    return document_;
}

HostVideoPost* HRenderData::effectAfter(const HVideoPost* effect) const {
    for (std::size_t i = 0; i + 1 < effects_.size(); ++i) {
        if (effects_[i].get() == effect) {
            return effects_[i + 1].get();
        }
    }
    return nullptr;
}

std::unique_ptr<HostVideoPost> HRenderData::removeEffect(const HVideoPost* effect) {
    for (auto it = effects_.begin(); it != effects_.end(); ++it) {
        if (it->get() == effect) {
            std::unique_ptr<HVideoPost> owned = std::move(*it);
            effects_.erase(it);
            owned->setOwner(nullptr);
            return owned;
        }
    }
    return nullptr;
}

void HDocument::setRenderData(std::unique_ptr<HRenderData> renderData) {
    renderData_ = std::move(renderData);
    if (renderData_) {
        renderData_->setDocument(this);
    }
}

// --- HeadlessHost: render effects, preferences and processor threads ---

std::unique_ptr<HostVideoPost> HeadlessHost::createVideoPost(int32_t type) {
    const RegisteredPlugin* p = plugin(type);
    if (p == nullptr || p->kind != PluginKind::RenderEffect) {
        return nullptr;
    }
    auto effect = std::make_unique<HVideoPost>(type);
    if (!effect->attachPlugin(p->allocator())) {
        return nullptr;
    }
    return effect;
}

int32_t HeadlessHost::processorThreadCount() const {
    if (processorThreads_ > 0) {
        return processorThreads_;
    }
    const unsigned machine = std::thread::hardware_concurrency();
    return machine > 0 ? int32_t(machine) : 1;
}

} // namespace headless
