// Value types shared by the plug-in and the host: vectors, matrices and document time.
#pragma once

#include <cmath>
#include <cstdint>

// The host works in single precision: its reals, vector components and matrix entries are
// 32-bit floats, and the scene files are written from those values.
using Real = float;

struct Vector {
    Real x = 0, y = 0, z = 0;

    constexpr Vector() = default;
    constexpr Vector(Real x_, Real y_, Real z_) : x(x_), y(y_), z(z_) {}

    constexpr Vector operator+(const Vector& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vector operator-(const Vector& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vector operator-() const { return {-x, -y, -z}; }
    constexpr Vector operator*(Real s) const { return {x * s, y * s, z * s}; }
    constexpr Vector operator/(Real s) const { return {x / s, y / s, z / s}; }
    Vector& operator+=(const Vector& o) { return *this = *this + o; }
    Vector& operator-=(const Vector& o) { return *this = *this - o; }
    constexpr bool operator==(const Vector& o) const { return x == o.x && y == o.y && z == o.z; }
    constexpr bool operator!=(const Vector& o) const { return !(*this == o); }
};

constexpr Real dot(const Vector& a, const Vector& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
constexpr Vector cross(const Vector& a, const Vector& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline Real length(const Vector& v) {
    return std::sqrt(dot(v, v));
}
// A zero vector stays zero.
inline Vector normalized(const Vector& v) {
    const Real l = length(v);
    return l > 0 ? v / l : v;
}

// An offset and three axis vectors. Points transform as off + v1*x + v2*y + v3*z; a global matrix
// is parent x local.
struct HostMatrix {
    Vector off{0, 0, 0};
    Vector v1{1, 0, 0};
    Vector v2{0, 1, 0};
    Vector v3{0, 0, 1};

    constexpr Vector transformPoint(const Vector& p) const {
        return off + v1 * p.x + v2 * p.y + v3 * p.z;
    }
    constexpr Vector transformDirection(const Vector& d) const {
        return v1 * d.x + v2 * d.y + v3 * d.z;
    }
    constexpr HostMatrix operator*(const HostMatrix& local) const {
        return {transformPoint(local.off), transformDirection(local.v1),
                transformDirection(local.v2), transformDirection(local.v3)};
    }
    constexpr bool operator==(const HostMatrix& o) const {
        return off == o.off && v1 == o.v1 && v2 == o.v2 && v3 == o.v3;
    }
    constexpr bool operator!=(const HostMatrix& o) const { return !(*this == o); }
};

// The inverse of an affine matrix; a singular matrix gives the identity.
HostMatrix inverse(const HostMatrix& m);

// Document time in seconds. Frames convert at the document's frame rate, rounding down as the host
// does after a tiny tolerance, so that time = frame / fps maps back to the same frame.
struct HostTime {
    double seconds = 0;

    static HostTime fromFrame(int32_t frame, int32_t fps) {
        return {fps > 0 ? double(frame) / double(fps) : 0.0};
    }
    int32_t frame(int32_t fps) const { return int32_t(std::floor(seconds * double(fps) + 1e-6)); }
    bool operator==(const HostTime& o) const { return seconds == o.seconds; }
};
