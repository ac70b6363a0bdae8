#include "plugin/host/types.h"

HostMatrix inverse(const HostMatrix& m) {
    // Columns v1, v2, v3: the inverse of the 3x3 part is the transposed cofactor matrix / det.
    const Vector c1 = cross(m.v2, m.v3);
    const Vector c2 = cross(m.v3, m.v1);
    const Vector c3 = cross(m.v1, m.v2);
    const Real det = dot(m.v1, c1);
    if (det == 0) {
        return HostMatrix{};
    }
    HostMatrix r;
    r.v1 = Vector{c1.x, c2.x, c3.x} / det;
    r.v2 = Vector{c1.y, c2.y, c3.y} / det;
    r.v3 = Vector{c1.z, c2.z, c3.z} / det;
    r.off = -r.transformDirection(m.off);
    return r;
}
