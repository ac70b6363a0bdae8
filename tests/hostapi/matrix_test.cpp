#include "plugin/host/types.h"

#include <gtest/gtest.h>

namespace {

void expectNear(const Vector& a, const Vector& b) {
    EXPECT_NEAR(a.x, b.x, 1e-5);
    EXPECT_NEAR(a.y, b.y, 1e-5);
    EXPECT_NEAR(a.z, b.z, 1e-5);
}

TEST(HostMatrix, ComposesParentTimesLocal) {
    // Parent: rotated 90 degrees about y, moved to (10, 0, 0).
    HostMatrix parent;
    parent.off = Vector(10, 0, 0);
    parent.v1 = Vector(0, 0, -1);
    parent.v2 = Vector(0, 1, 0);
    parent.v3 = Vector(1, 0, 0);
    HostMatrix local;
    local.off = Vector(1, 2, 3);
    local.v1 = Vector(2, 0, 0);
    const HostMatrix global = parent * local;
    expectNear(global.off, Vector(13, 2, -1));
    expectNear(global.v1, Vector(0, 0, -2));
    expectNear(global.v3, Vector(1, 0, 0));
    expectNear(global.transformPoint(Vector(1, 0, 0)), parent.transformPoint(Vector(3, 2, 3)));
}

TEST(HostMatrix, InverseUndoesTheMatrix) {
    HostMatrix m;
    m.off = Vector(5, -2, 1);
    m.v1 = Vector(0, 2, 0);
    m.v2 = Vector(-1, 0, 0);
    m.v3 = Vector(0, 0, 3);
    const HostMatrix identity = inverse(m) * m;
    expectNear(identity.off, Vector());
    expectNear(identity.v1, Vector(1, 0, 0));
    expectNear(identity.v2, Vector(0, 1, 0));
    expectNear(identity.v3, Vector(0, 0, 1));
    HostMatrix singular;
    singular.v3 = Vector();
    EXPECT_EQ(inverse(singular), HostMatrix());
}

TEST(HostTime, FramesRoundTripAtTheFrameRate) {
    for (int fps : {24, 25, 30}) {
        for (int frame : {0, 1, 10, 11, 12, 25, 99}) {
            EXPECT_EQ(HostTime::fromFrame(frame, fps).frame(fps), frame) << fps << " " << frame;
        }
    }
}

} // namespace
