#include "headless/animation.h"
#include "headless/document.h"
#include "headless/host.h"

#include "plugin/host/host_ids.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace headless;

void expectNear(const Vector& a, const Vector& b) {
    EXPECT_NEAR(a.x, b.x, 1e-5);
    EXPECT_NEAR(a.y, b.y, 1e-5);
    EXPECT_NEAR(a.z, b.z, 1e-5);
}

TEST(AnimationTrack, ValuesBeforeBetweenAndAfterTheKeys) {
    AnimationTrack t;
    t.setKey(1.0, HostValue(Real(10)));
    t.setKey(0.0, HostValue(Real(0)), Interpolation::Step);
    t.setKey(2.0, HostValue(Real(30)));
    t.setKey(2.0, HostValue(Real(20)));
    ASSERT_EQ(t.keys.size(), 3u);
    struct Case {
        double time;
        Real value;
    };
    for (const Case& c : {Case{-1, 0}, Case{0, 0}, Case{0.5, 0}, Case{1, 10}, Case{1.25, 12.5},
                          Case{2, 20}, Case{9, 20}}) {
        const std::optional<HostValue> v = t.valueAt(c.time);
        ASSERT_TRUE(v) << c.time;
        EXPECT_FLOAT_EQ(*v->get<Real>(), c.value) << c.time;
    }
    EXPECT_FALSE(AnimationTrack().valueAt(0));
}

TEST(AnimationTrack, VectorsInterpolateAndOtherValuesStep) {
    AnimationTrack vectors;
    vectors.setKey(0, HostValue(Vector(0, 0, 0)));
    vectors.setKey(1, HostValue(Vector(2, 4, -8)));
    expectNear(*vectors.valueAt(0.25)->get<Vector>(), Vector(0.5f, 1, -2));
    AnimationTrack ints;
    ints.setKey(0, HostValue(int32_t(1)));
    ints.setKey(1, HostValue(int32_t(5)));
    EXPECT_EQ(*ints.valueAt(0.9)->get<int32_t>(), 1);
    EXPECT_EQ(*ints.valueAt(1)->get<int32_t>(), 5);
}

TEST(RotationMatrix, HeadingPitchAndBankTurnAboutTheirAxes) {
    const Real q = 3.14159265f / 2;
    HostMatrix m = rotationMatrix(Vector(q, 0, 0));
    expectNear(m.v3, Vector(1, 0, 0));
    expectNear(m.v1, Vector(0, 0, -1));
    m = rotationMatrix(Vector(0, q, 0));
    expectNear(m.v3, Vector(0, -1, 0));
    m = rotationMatrix(Vector(0, 0, q));
    expectNear(m.v1, Vector(0, 1, 0));
    // Bank first, then pitch, then heading.
    m = rotationMatrix(Vector(q, q, 0));
    expectNear(m.v3, Vector(0, -1, 0));
    expectNear(m.v2, Vector(1, 0, 0));
}

TEST(Animation, EvaluationMovesObjectsAndChangesParameters) {
    HeadlessHost host;
    HDocument& doc = host.document();
    HostObject* cube = doc.insertObject(host.createObject(HostType::kCube), nullptr, nullptr);
    HostMatrix scaled;
    scaled.v1 = Vector(2, 0, 0);
    cube->setLocalMatrix(scaled);
    HostMaterial* material =
        doc.insertMaterial(host.createMaterial(HostType::kStandardMaterial), nullptr);
    Animation& a = doc.animation();
    AnimationTrack& position = a.track(cube->uid(), TrackTarget::Position);
    position.setKey(0, HostValue(Vector(0, 0, 0)));
    position.setKey(1, HostValue(Vector(30, 0, 0)));
    a.track(cube->uid(), TrackTarget::Rotation).setKey(0, HostValue(Vector(3.14159265f / 2, 0, 0)));
    AnimationTrack& radius = a.track(cube->uid(), TrackTarget::Parameter, 1110);
    radius.setKey(0, HostValue(Real(1)));
    radius.setKey(1, HostValue(Real(3)));
    AnimationTrack& colour = a.track(material->uid(), TrackTarget::Parameter, 2100);
    colour.setKey(0, HostValue(Vector(1, 0, 0)));
    colour.setKey(1, HostValue(Vector(0, 0, 1)));
    // A track of a node that is gone and a matrix track on a material are left alone.
    a.track(987654321, TrackTarget::Position).setKey(0, HostValue(Vector(1, 1, 1)));
    a.track(material->uid(), TrackTarget::Position).setKey(0, HostValue(Vector(1, 1, 1)));
    EXPECT_EQ(&a.track(cube->uid(), TrackTarget::Position), &position);
    EXPECT_EQ(a.tracks().size(), 6u);

    doc.setTime(HostTime::fromFrame(15, 30));
    EXPECT_TRUE(doc.evaluate());
    const HostMatrix m = cube->localMatrix();
    expectNear(m.off, Vector(15, 0, 0));
    // The rotation keeps the axes' lengths.
    expectNear(m.v1, Vector(0, 0, -2));
    expectNear(m.v3, Vector(1, 0, 0));
    EXPECT_FLOAT_EQ(cube->data().getReal(1110), 2);
    expectNear(material->data().getVector(2100), Vector(0.5f, 0, 0.5f));
    EXPECT_EQ(doc.evaluations().size(), 1u);
}

} // namespace
