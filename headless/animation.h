// Keyframed animation of the headless host: tracks that move objects and change parameters of any
// node over document time. A document keeps its tracks; evaluation applies them at its current
// time before the tags' expressions run.
#pragma once

#include "plugin/host/container.h"
#include "plugin/host/types.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

class HostDocument;

namespace headless {

// What a track animates. Position, rotation and scale are the object's local matrix; a
// parameter track writes one parameter of any node through its parameter access.
enum class TrackTarget { Position, Rotation, Scale, Parameter };

// How the value goes from a key to the next one. Integers, booleans and texts always step.
enum class Interpolation { Linear, Step };

struct AnimationKey {
    // Document time in seconds.
    double time = 0;
    HostValue value;
    // Towards the next key.
    Interpolation interpolation = Interpolation::Linear;
};

struct AnimationTrack {
    // The animated node's unique ID.
    uint64_t node = 0;
    TrackTarget target = TrackTarget::Parameter;
    // The parameter ID of a parameter track; 0 for the matrix targets.
    int32_t parameter = 0;
    // Sorted by time, at most one key per time.
    std::vector<AnimationKey> keys;

    // Adds a key or replaces the key at the same time.
    void setKey(double time, const HostValue& value,
                Interpolation interpolation = Interpolation::Linear);
    // The value at `time`: the first key's before it, the last key's after it, and between two
    // keys their interpolation (reals and vectors component by component). None without keys.
    std::optional<HostValue> valueAt(double time) const;
};

class Animation {
public:
    // The track of that node and target (and parameter), created empty when missing. References
    // to tracks stay valid while tracks are added.
    AnimationTrack& track(uint64_t node, TrackTarget target, int32_t parameter = 0);
    const AnimationTrack* find(uint64_t node, TrackTarget target, int32_t parameter = 0) const;
    std::deque<AnimationTrack>& tracks() { return tracks_; }
    const std::deque<AnimationTrack>& tracks() const { return tracks_; }
    bool empty() const { return tracks_.empty(); }
    void clear() { tracks_.clear(); }

    // Applies every track whose node is in `doc` at `time`, in track order. Tracks of nodes that
    // are gone, matrix tracks of nodes that are not objects and values of the wrong type are
    // skipped.
    void apply(HostDocument& doc, double time) const;

private:
    std::deque<AnimationTrack> tracks_;
};

// The rotation part of a matrix from angles in radians: heading about the Y axis, pitch about
// the X axis and bank about the Z axis, applied bank first (M = RY(h) * RX(p) * RZ(b)).
HostMatrix rotationMatrix(const Vector& hpb);

// Names of targets and interpolations as document files write them; false for unknown names.
const char* trackTargetName(TrackTarget target);
bool trackTargetFromName(const std::string& name, TrackTarget& target);
const char* interpolationName(Interpolation interpolation);
bool interpolationFromName(const std::string& name, Interpolation& interpolation);

} // namespace headless
