#include "headless/animation.h"

#include "plugin/host/document.h"
#include "plugin/host/node.h"
#include "plugin/host/object.h"

#include <algorithm>
#include <cmath>

namespace headless {

namespace {

Real mix(Real a, Real b, double t) {
    return Real(double(a) + (double(b) - double(a)) * t);
}

// Reals and vectors interpolate; every other value (and a pair of mismatched types) steps.
HostValue interpolate(const HostValue& a, const HostValue& b, double t) {
    if (const Real* ra = a.get<Real>()) {
        if (const Real* rb = b.get<Real>()) {
            return HostValue(mix(*ra, *rb, t));
        }
    }
    if (const Vector* va = a.get<Vector>()) {
        if (const Vector* vb = b.get<Vector>()) {
            return HostValue(
                Vector(mix(va->x, vb->x, t), mix(va->y, vb->y, t), mix(va->z, vb->z, t)));
        }
    }
    return a;
}

bool sameTrack(const AnimationTrack& t, uint64_t node, TrackTarget target, int32_t parameter) {
    return t.node == node && t.target == target &&
           (target != TrackTarget::Parameter || t.parameter == parameter);
}

void applyToMatrix(HostObject& object, TrackTarget target, const Vector& v) {
    HostMatrix m = object.localMatrix();
    switch (target) {
    case TrackTarget::Position:
        m.off = v;
        break;
    case TrackTarget::Rotation: {
        // The axes keep their lengths: a rotation track leaves the scale alone.
        const HostMatrix r = rotationMatrix(v);
        m.v1 = r.v1 * length(m.v1);
        m.v2 = r.v2 * length(m.v2);
        m.v3 = r.v3 * length(m.v3);
        break;
    }
    case TrackTarget::Scale:
        m.v1 = normalized(m.v1) * v.x;
        m.v2 = normalized(m.v2) * v.y;
        m.v3 = normalized(m.v3) * v.z;
        break;
    case TrackTarget::Parameter:
        return;
    }
    object.setLocalMatrix(m);
}

} // namespace

void AnimationTrack::setKey(double time, const HostValue& value, Interpolation interpolation) {
    const auto at = std::lower_bound(keys.begin(), keys.end(), time,
                                     [](const AnimationKey& k, double t) { return k.time < t; });
    if (at != keys.end() && at->time == time) {
        at->value = value;
        at->interpolation = interpolation;
        return;
    }
    keys.insert(at, AnimationKey{time, value, interpolation});
}

std::optional<HostValue> AnimationTrack::valueAt(double time) const {
    if (keys.empty()) {
        return std::nullopt;
    }
    if (time <= keys.front().time) {
        return keys.front().value;
    }
    if (time >= keys.back().time) {
        return keys.back().value;
    }
    const auto next = std::upper_bound(keys.begin(), keys.end(), time,
                                       [](double t, const AnimationKey& k) { return t < k.time; });
    const AnimationKey& from = *(next - 1);
    if (from.interpolation == Interpolation::Step) {
        return from.value;
    }
    const double t = (time - from.time) / (next->time - from.time);
    return interpolate(from.value, next->value, t);
}

AnimationTrack& Animation::track(uint64_t node, TrackTarget target, int32_t parameter) {
    for (AnimationTrack& t : tracks_) {
        if (sameTrack(t, node, target, parameter)) {
            return t;
        }
    }
    AnimationTrack t;
    t.node = node;
    t.target = target;
    t.parameter = target == TrackTarget::Parameter ? parameter : 0;
    tracks_.push_back(std::move(t));
    return tracks_.back();
}

const AnimationTrack* Animation::find(uint64_t node, TrackTarget target, int32_t parameter) const {
    for (const AnimationTrack& t : tracks_) {
        if (sameTrack(t, node, target, parameter)) {
            return &t;
        }
    }
    return nullptr;
}

void Animation::apply(HostDocument& doc, double time) const {
    for (const AnimationTrack& track : tracks_) {
        HostNode* node = doc.findNode(track.node);
        const std::optional<HostValue> value = track.valueAt(time);
        if (node == nullptr || !value) {
            continue;
        }
        if (track.target == TrackTarget::Parameter) {
            node->setParameter(track.parameter, *value);
            continue;
        }
        HostObject* object = node->toObject();
        const Vector* v = value->get<Vector>();
        if (object != nullptr && v != nullptr) {
            applyToMatrix(*object, track.target, *v);
        }
    }
}

HostMatrix rotationMatrix(const Vector& hpb) {
    const Real ch = std::cos(hpb.x), sh = std::sin(hpb.x);
    const Real cp = std::cos(hpb.y), sp = std::sin(hpb.y);
    const Real cb = std::cos(hpb.z), sb = std::sin(hpb.z);
    const HostMatrix heading{{0, 0, 0}, {ch, 0, -sh}, {0, 1, 0}, {sh, 0, ch}};
    const HostMatrix pitch{{0, 0, 0}, {1, 0, 0}, {0, cp, sp}, {0, -sp, cp}};
    const HostMatrix bank{{0, 0, 0}, {cb, sb, 0}, {-sb, cb, 0}, {0, 0, 1}};
    return heading * pitch * bank;
}

const char* trackTargetName(TrackTarget target) {
    switch (target) {
    case TrackTarget::Position:
        return "position";
    case TrackTarget::Rotation:
        return "rotation";
    case TrackTarget::Scale:
        return "scale";
    case TrackTarget::Parameter:
        return "parameter";
    }
    return "parameter";
}

bool trackTargetFromName(const std::string& name, TrackTarget& target) {
    for (TrackTarget t : {TrackTarget::Position, TrackTarget::Rotation, TrackTarget::Scale,
                          TrackTarget::Parameter}) {
        if (name == trackTargetName(t)) {
            target = t;
            return true;
        }
    }
    return false;
}

const char* interpolationName(Interpolation interpolation) {
    return interpolation == Interpolation::Step ? "step" : "linear";
}

bool interpolationFromName(const std::string& name, Interpolation& interpolation) {
    if (name == "linear") {
        interpolation = Interpolation::Linear;
        return true;
    }
    if (name == "step") {
        interpolation = Interpolation::Step;
        return true;
    }
    return false;
}

} // namespace headless
