#include "headless/nodes.h"

#include "headless/document.h"
#include "headless/object_defaults.h"
#include "plugin/host/host_ids.h"

#include <algorithm>

namespace headless {

namespace {
// The texture tag keeps its material as a link parameter.
constexpr int32_t kTextureTagMaterial = 1010;
} // namespace

void ObjectList::clear() {
    while (first != nullptr) {
        HObject* object = first;
        first = object->next_;
        object->list_ = nullptr;
        delete object;
    }
    last = nullptr;
}

HObject::HObject(int32_t type) : NodeImpl(type) {
    writeCameraAndLightDefaults(type, data());
}

HObject::~HObject() {
    tags_.clear();
    releasePlugin();
}

HostPolygonObject* HObject::toPolygonObject() {
    return type() == HostType::kPolygonObject ? this : nullptr;
}

HostDocument* HObject::document() {
    const HObject* o = this;
    while (true) {
        if (o->document_ != nullptr) {
            return o->document_;
        }
        if (o->parent_ != nullptr) {
            o = o->parent_;
        } else if (o->cacheOwner_ != nullptr) {
            o = o->cacheOwner_;
        } else {
            return nullptr;
        }
    }
}

HostMatrix HObject::globalMatrix() const {
    const HObject* above = parent_ != nullptr ? parent_ : cacheOwner_;
    return above != nullptr ? above->globalMatrix() * local_ : local_;
}

void HObject::setGlobalMatrix(const HostMatrix& m) {
    const HObject* above = parent_ != nullptr ? parent_ : cacheOwner_;
    local_ = above != nullptr ? inverse(above->globalMatrix()) * m : m;
}

HostTag* HObject::firstTag() const {
    return tags_.empty() ? nullptr : tags_.front().get();
}

HostTag* HObject::tag(int32_t type, int nth) const {
    for (const auto& t : tags_) {
        if (t->type() == type && nth-- == 0) {
            return t.get();
        }
    }
    return nullptr;
}

HostTag* HObject::insertTag(std::unique_ptr<HostTag> tag, HostTag* pred) {
    auto* own = dynamic_cast<HTag*>(tag.get());
    if (own == nullptr || own->object() != nullptr) {
        return nullptr;
    }
    auto at = tags_.begin();
    if (pred != nullptr) {
        at = std::find_if(tags_.begin(), tags_.end(),
                          [pred](const std::unique_ptr<HostTag>& t) { return t.get() == pred; });
        if (at == tags_.end()) {
            return nullptr;
        }
        ++at;
    }
    own->setObject(this);
    tags_.insert(at, std::move(tag));
    return own;
}

HostTag* HObject::tagAfter(const HostTag* tag) const {
    for (std::size_t i = 0; i + 1 < tags_.size(); ++i) {
        if (tags_[i].get() == tag) {
            return tags_[i + 1].get();
        }
    }
    return nullptr;
}

HostTag* HObject::tagBefore(const HostTag* tag) const {
    for (std::size_t i = 1; i < tags_.size(); ++i) {
        if (tags_[i].get() == tag) {
            return tags_[i - 1].get();
        }
    }
    return nullptr;
}

std::unique_ptr<HostTag> HObject::removeTag(const HostTag* tag) {
    for (auto it = tags_.begin(); it != tags_.end(); ++it) {
        if (it->get() == tag) {
            std::unique_ptr<HostTag> owned = std::move(*it);
            tags_.erase(it);
            static_cast<HTag*>(owned.get())->setObject(nullptr);
            return owned;
        }
    }
    return nullptr;
}

bool HObject::deleteTag(HostTag* tag) {
    auto* own = dynamic_cast<HTag*>(tag);
    if (own == nullptr || own->object() != this) {
        return false;
    }
    own->freePlugin();
    return removeTag(own) != nullptr;
}

void HObject::linkInto(ObjectList& list, HObject* pred) {
    list_ = &list;
    prev_ = pred;
    next_ = pred != nullptr ? pred->next_ : list.first;
    if (next_ != nullptr) {
        next_->prev_ = this;
    } else {
        list.last = this;
    }
    if (pred != nullptr) {
        pred->next_ = this;
    } else {
        list.first = this;
    }
}

HObject* HObject::insertChild(std::unique_ptr<HObject> child, HObject* pred) {
    if (!child || child->list_ != nullptr || (pred != nullptr && pred->parent_ != this)) {
        return nullptr;
    }
    HObject* raw = child.release();
    raw->parent_ = this;
    raw->linkInto(children_, pred);
    return raw;
}

void HObject::adoptCacheChain(ObjectList& list, std::unique_ptr<HObject> first) {
    list.clear();
    HObject* pred = nullptr;
    while (first) {
        std::unique_ptr<HObject> following;
        if (first->next_ != nullptr) {
            following = first->next_->detach();
        }
        HObject* raw = first.release();
        raw->cacheOwner_ = this;
        raw->linkInto(list, pred);
        pred = raw;
        first = std::move(following);
    }
}

void HObject::setCache(std::unique_ptr<HObject> first) {
    adoptCacheChain(cache_, std::move(first));
}

void HObject::setDeformCache(std::unique_ptr<HObject> first) {
    adoptCacheChain(deformCache_, std::move(first));
}

void HObject::clearCaches() {
    cache_.clear();
    deformCache_.clear();
}

std::unique_ptr<HObject> HObject::detach() {
    if (list_ != nullptr) {
        if (prev_ != nullptr) {
            prev_->next_ = next_;
        } else {
            list_->first = next_;
        }
        if (next_ != nullptr) {
            next_->prev_ = prev_;
        } else {
            list_->last = prev_;
        }
    }
    list_ = nullptr;
    prev_ = next_ = nullptr;
    parent_ = nullptr;
    cacheOwner_ = nullptr;
    document_ = nullptr;
    return std::unique_ptr<HObject>(this);
}

std::unique_ptr<HostObject> HObject::remove() {
    if (list_ == nullptr) {
        return nullptr;
    }
    return detach();
}

HostTextureTag* HTag::toTextureTag() {
    return type() == HostType::kTextureTag ? this : nullptr;
}

HostTag* HTag::next() const {
    return object_ ? object_->tagAfter(this) : nullptr;
}
HostTag* HTag::prev() const {
    return object_ ? object_->tagBefore(this) : nullptr;
}
HostDocument* HTag::document() {
    return object_ ? object_->document() : nullptr;
}

std::unique_ptr<HostTag> HTag::remove() {
    return object_ ? object_->removeTag(this) : nullptr;
}

HostMaterial* HTag::material() const {
    HostNode* node = data().getLink(kTextureTagMaterial, const_cast<HTag*>(this)->document());
    return node ? node->toMaterial() : nullptr;
}

void HTag::setMaterial(HostMaterial* material) {
    data().setLink(kTextureTagMaterial, material);
}

HostDocument* HMaterial::document() {
    return document_;
}

HostDocument* HShader::document() {
    return owner_ != nullptr ? owner_->document() : document_;
}

std::unique_ptr<HostMaterial> HMaterial::remove() {
    if (document_ == nullptr) {
        return nullptr;
    }
    return document_->unlinkMaterial(this);
}

} // namespace headless
