// Evaluation: the generator and its input, the deformer, current state to object, and the
// editing state of documents.
#include "headless/evaluation.h"
#include "headless/host.h"
#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"

#include <gtest/gtest.h>

namespace headless {
namespace {

class Evaluation : public ::testing::Test {
protected:
    HeadlessHost host;
    HDocument& doc() { return host.document(); }
    HObject* add(int32_t type, const std::string& name, HObject* parent = nullptr) {
        auto object = host.createObject(type);
        object->setName(name);
        HostObject* pred = nullptr;
        for (HostObject* o = parent ? parent->down() : doc().firstObject(); o; o = o->next()) {
            pred = o;
        }
        return static_cast<HObject*>(doc().insertObject(std::move(object), parent, pred));
    }
    HObject* addQuad(const std::string& name, HObject* parent = nullptr) {
        HObject* o = add(HostType::kPolygonObject, name, parent);
        o->setPoints({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
        o->setPolygons({{0, 1, 2, 3}});
        return o;
    }
};

TEST_F(Evaluation, SubdivisionGeneratorConsumesItsChild) {
    HObject* generator = add(HostType::kSubdivisionGenerator, "Generator");
    HObject* input = addQuad("Input", generator);
    HostMatrix m;
    m.off = {0, 3, 0};
    input->setLocalMatrix(m);
    HTag* selection = std::make_unique<HTag>(HostType::kPolygonSelectionTag).release();
    input->insertTag(std::unique_ptr<HostTag>(selection), nullptr);
    selection->polygonSelection()->select(0);
    host.evaluate();
    EXPECT_TRUE(input->hasBit(HostBit::kGeneratorInput));
    ASSERT_NE(generator->cacheFirst(), nullptr);
    EXPECT_EQ(generator->cacheFirst()->polygons().size(), 4u);
    EXPECT_EQ(generator->cacheFirst()->localMatrix(), m);
    EXPECT_EQ(generator->cacheFirst()
                  ->tag(HostType::kPolygonSelectionTag, 0)
                  ->polygonSelection()
                  ->count(),
              4);
    generator->data().setInt(SubdivisionGeneratorParam::kLevel, 3);
    host.evaluate();
    EXPECT_EQ(generator->cacheFirst()->polygons().size(), 64u);
    generator->setEnabled(false);
    host.evaluate();
    EXPECT_EQ(generator->cacheFirst(), nullptr);
    EXPECT_FALSE(input->hasBit(HostBit::kGeneratorInput));
}

TEST_F(Evaluation, TwistDeformerMakesADeformedCopy) {
    HObject* quad = addQuad("Quad");
    HObject* twist = add(HostType::kTwistDeformer, "Twist", quad);
    twist->data().setReal(TwistDeformerParam::kAnglePerUnit, 3.14159265f);
    host.evaluate();
    ASSERT_NE(quad->deformCacheFirst(), nullptr);
    const Vector turned = quad->deformCacheFirst()->points()[2];
    EXPECT_NEAR(turned.x, -1.0f, 1e-5f);
    EXPECT_NEAR(turned.y, 1.0f, 1e-5f);
    EXPECT_EQ(quad->deformCacheFirst()->localMatrix(), HostMatrix());
    EXPECT_EQ(quad->points()[2], Vector(1, 1, 0));
    twist->setEnabled(false);
    host.evaluate();
    EXPECT_EQ(quad->deformCacheFirst(), nullptr);
}

TEST_F(Evaluation, CurrentStateToObjectOfAPlane) {
    HObject* plane = add(HostType::kPlane, "Plane");
    plane->data().setReal(PlaneParam::kWidth, 1);
    plane->data().setReal(PlaneParam::kHeight, 1);
    plane->data().setInt(PlaneParam::kWidthSegments, 1);
    plane->data().setInt(PlaneParam::kHeightSegments, 1);
    plane->data().setInt(PlaneParam::kOrientation, PlaneOrientation::kPlusZ);
    HostMatrix m;
    m.off = {1, 2, 3};
    plane->setLocalMatrix(m);
    std::unique_ptr<HostObject> converted =
        host.modelingCommand(HostModeling::kCurrentStateToObject, &doc(), plane);
    ASSERT_TRUE(converted);
    HostPolygonObject* polygons = converted->toPolygonObject();
    ASSERT_NE(polygons, nullptr);
    EXPECT_EQ(converted->name(), "Plane");
    EXPECT_EQ(converted->localMatrix(), m);
    EXPECT_EQ(polygons->polygons().size(), 1u);
    EXPECT_EQ(polygons->points().size(), 4u);
    ASSERT_NE(converted->tag(HostType::kUvwTag, 0), nullptr);
    EXPECT_EQ(converted->tag(HostType::kUvwTag, 0)->uvwData()->size(), 1u);
    EXPECT_EQ(host.modelingCommand(12345, &doc(), plane), nullptr);
    HObject* empty = add(HostType::kNull, "Null");
    EXPECT_EQ(host.modelingCommand(HostModeling::kCurrentStateToObject, &doc(), empty), nullptr);
}

TEST_F(Evaluation, CurrentStateJoinsGeneratedObjectsAndKeepsDeformation) {
    HObject* sphere = add(HostType::kSphere, "Sphere");
    sphere->data().setInt(SphereParam::kSegments, 6);
    HObject* twist = add(HostType::kTwistDeformer, "Twist", sphere);
    twist->data().setReal(TwistDeformerParam::kAnglePerUnit, 0.01f);
    std::unique_ptr<HostObject> converted =
        host.modelingCommand(HostModeling::kCurrentStateToObject, &doc(), sphere);
    ASSERT_TRUE(converted);
    ASSERT_NE(sphere->cacheFirst(), nullptr);
    ASSERT_NE(sphere->cacheFirst()->deformCacheFirst(), nullptr);
    EXPECT_EQ(converted->toPolygonObject()->points(),
              sphere->cacheFirst()->deformCacheFirst()->points());
}

TEST_F(Evaluation, SelectionReportsTopmostOrAllSelectedObjects) {
    HObject* parent = add(HostType::kNull, "Parent");
    HObject* child = add(HostType::kNull, "Child", parent);
    HObject* other = add(HostType::kNull, "Other");
    for (HostObject* o : {static_cast<HostObject*>(parent), static_cast<HostObject*>(child),
                          static_cast<HostObject*>(other)}) {
        doc().setSelected(o, true);
    }
    EXPECT_EQ(doc().activeObjects(true), (std::vector<HostObject*>{parent, child, other}));
    EXPECT_EQ(doc().activeObjects(false), (std::vector<HostObject*>{parent, other}));
}

TEST_F(Evaluation, UndoStepGathersItsRecordsAndRevertsNewObjects) {
    EXPECT_FALSE(doc().addUndo(HostUndo::NewNode, nullptr));
    ASSERT_TRUE(doc().startUndo());
    EXPECT_FALSE(doc().startUndo());
    HObject* a = add(HostType::kNull, "A");
    HObject* b = add(HostType::kNull, "B");
    EXPECT_TRUE(doc().addUndo(HostUndo::NewNode, a));
    EXPECT_TRUE(doc().addUndo(HostUndo::NewNode, b));
    EXPECT_TRUE(doc().endUndo());
    EXPECT_FALSE(doc().endUndo());
    ASSERT_EQ(doc().undoSteps().size(), 1u);
    EXPECT_EQ(doc().undoSteps()[0].size(), 2u);
    EXPECT_TRUE(doc().undo());
    EXPECT_EQ(doc().firstObject(), nullptr);
    EXPECT_FALSE(doc().undo());
}

} // namespace
} // namespace headless
