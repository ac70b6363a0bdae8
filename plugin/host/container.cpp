#include "plugin/host/container.h"

#include "plugin/host/document.h"
#include "plugin/host/node.h"

HostValueType HostContainer::type(int32_t id) const {
    const HostValue* v = find(id);
    return v ? v->type() : HostValueType::None;
}

const HostValue* HostContainer::find(int32_t id) const {
    const auto it = values_.find(id);
    return it == values_.end() ? nullptr : &it->second;
}

bool HostContainer::getBool(int32_t id, bool def) const {
    const HostValue* v = find(id);
    if (!v) {
        return def;
    }
    if (auto b = v->get<bool>()) {
        return *b;
    }
    if (auto i = v->get<int32_t>()) {
        return *i != 0;
    }
    if (auto r = v->get<Real>()) {
        return *r != 0;
    }
    return def;
}

int32_t HostContainer::getInt(int32_t id, int32_t def) const {
    const HostValue* v = find(id);
    if (!v) {
        return def;
    }
    if (auto i = v->get<int32_t>()) {
        return *i;
    }
    if (auto b = v->get<bool>()) {
        return *b ? 1 : 0;
    }
    if (auto r = v->get<Real>()) {
        // Out-of-range reals saturate instead of invoking undefined behaviour.
        if (!(*r == *r)) {
            return 0;
        }
        if (*r >= 2147483647.0f) {
            return INT32_MAX;
        }
        if (*r <= -2147483648.0f) {
            return INT32_MIN;
        }
        return int32_t(*r);
    }
    return def;
}

Real HostContainer::getReal(int32_t id, Real def) const {
    const HostValue* v = find(id);
    if (!v) {
        return def;
    }
    if (auto r = v->get<Real>()) {
        return *r;
    }
    if (auto i = v->get<int32_t>()) {
        return Real(*i);
    }
    if (auto b = v->get<bool>()) {
        return *b ? 1.0f : 0.0f;
    }
    return def;
}

Vector HostContainer::getVector(int32_t id, const Vector& def) const {
    const HostValue* v = find(id);
    const Vector* vec = v ? v->get<Vector>() : nullptr;
    return vec ? *vec : def;
}

std::string HostContainer::getString(int32_t id, const std::string& def) const {
    const HostValue* v = find(id);
    const std::string* s = v ? v->get<std::string>() : nullptr;
    return s ? *s : def;
}

HostFilename HostContainer::getFilename(int32_t id, const HostFilename& def) const {
    const HostValue* v = find(id);
    if (!v) {
        return def;
    }
    if (auto f = v->get<HostFilename>()) {
        return *f;
    }
    return def;
}

HostCustomData HostContainer::getCustom(int32_t id) const {
    const HostValue* v = find(id);
    const HostCustomData* c = v ? v->get<HostCustomData>() : nullptr;
    return c ? *c : HostCustomData{};
}

HostLink HostContainer::getLinkValue(int32_t id) const {
    const HostValue* v = find(id);
    const HostLink* l = v ? v->get<HostLink>() : nullptr;
    return l ? *l : HostLink{};
}

HostNode* HostContainer::getLink(int32_t id, const HostDocument* doc, int32_t type) const {
    const HostLink link = getLinkValue(id);
    if (link.node == 0 || doc == nullptr) {
        return nullptr;
    }
    HostNode* node = doc->findNode(link.node);
    if (node == nullptr || (type != 0 && node->type() != type)) {
        return nullptr;
    }
    return node;
}

void HostContainer::setLink(int32_t id, const HostNode* node) {
    values_[id] = HostValue(HostLink{node ? node->uid() : 0});
}
