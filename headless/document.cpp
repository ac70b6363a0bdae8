#include "headless/document.h"

namespace headless {

HDocument::HDocument() {
    // Declared before the view, the render data outlives it; the view asks it for the safe frame.
    setRenderData(std::make_unique<HRenderData>());
    view_->setDocument(this);
}

HDocument::~HDocument() {
    objects_.clear();
    while (firstMaterial_ != nullptr) {
        unlinkMaterial(firstMaterial_);
    }
}

HostObject* HDocument::insertObject(std::unique_ptr<HostObject> object, HostObject* parent,
                                    HostObject* pred) {
    auto* own = dynamic_cast<HObject*>(object.get());
    auto* ownParent = dynamic_cast<HObject*>(parent);
    auto* ownPred = dynamic_cast<HObject*>(pred);
    if (own == nullptr || own->list_ != nullptr || (parent != nullptr && ownParent == nullptr) ||
        (pred != nullptr && ownPred == nullptr)) {
        return nullptr;
    }
    if (ownParent != nullptr) {
        if (ownParent->document() != this) {
            return nullptr;
        }
        object.release();
        return ownParent->insertChild(std::unique_ptr<HObject>(own), ownPred);
    }
    if (ownPred != nullptr && (ownPred->list_ != &objects_)) {
        return nullptr;
    }
    object.release();
    own->document_ = this;
    own->linkInto(objects_, ownPred);
    return own;
}

HostObject* HDocument::searchObject(const std::string& name) const {
    HostObject* found = nullptr;
    forEachObject(objects_.first, [&](HostObject* o) {
        if (found == nullptr && o->name() == name) {
            found = o;
        }
    });
    return found;
}

HostMaterial* HDocument::insertMaterial(std::unique_ptr<HostMaterial> material,
                                        HostMaterial* pred) {
    auto* own = dynamic_cast<HMaterial*>(material.get());
    auto* ownPred = dynamic_cast<HMaterial*>(pred);
    if (own == nullptr || own->document_ != nullptr ||
        (pred != nullptr && (ownPred == nullptr || ownPred->document_ != this))) {
        return nullptr;
    }
    material.release();
    own->document_ = this;
    own->prev_ = ownPred;
    own->next_ = ownPred != nullptr ? ownPred->next_ : firstMaterial_;
    if (own->next_ != nullptr) {
        own->next_->prev_ = own;
    } else {
        lastMaterial_ = own;
    }
    if (ownPred != nullptr) {
        ownPred->next_ = own;
    } else {
        firstMaterial_ = own;
    }
    return own;
}

std::unique_ptr<HostMaterial> HDocument::unlinkMaterial(HMaterial* material) {
    if (material == nullptr || material->document_ != this) {
        return nullptr;
    }
    if (material->prev_ != nullptr) {
        material->prev_->next_ = material->next_;
    } else {
        firstMaterial_ = material->next_;
    }
    if (material->next_ != nullptr) {
        material->next_->prev_ = material->prev_;
    } else {
        lastMaterial_ = material->prev_;
    }
    material->prev_ = material->next_ = nullptr;
    material->document_ = nullptr;
    return std::unique_ptr<HostMaterial>(material);
}

HostNode* HDocument::findNode(uint64_t uid) const {
    HostNode* node = findRegisteredNode(uid);
    return node != nullptr && node->document() == this ? node : nullptr;
}

} // namespace headless
