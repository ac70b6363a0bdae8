// The headless host's geometry: Phong normals, texture projections, primitives and copies.
#include "headless/evaluation.h"
#include "headless/host.h"
#include "headless/primitives.h"
#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"

#include <gtest/gtest.h>

#include <cmath>

namespace headless {
namespace {

HObject* addObject(HDocument& doc, int32_t type, const std::string& name,
                   HObject* parent = nullptr) {
    HeadlessHost host;
    auto object = host.createObject(type);
    object->setName(name);
    return static_cast<HObject*>(doc.insertObject(std::move(object), parent, nullptr));
}

HTag* addTag(HObject& object, int32_t type, const std::string& name = "") {
    auto tag = std::make_unique<HTag>(type);
    tag->setName(name);
    HostTag* pred = nullptr;
    for (HostTag* t = object.firstTag(); t; t = t->next()) {
        pred = t;
    }
    return static_cast<HTag*>(object.insertTag(std::move(tag), pred));
}

void expectNear(const Vector& a, const Vector& b, float eps = 1e-5f) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

Vector faceNormal(const HObject& o, const HostPolygon& p) {
    const auto& q = o.points();
    if (p.isTriangle()) {
        return cross(q[std::size_t(p.b)] - q[std::size_t(p.a)],
                     q[std::size_t(p.c)] - q[std::size_t(p.a)]);
    }
    return cross(q[std::size_t(p.c)] - q[std::size_t(p.a)],
                 q[std::size_t(p.d)] - q[std::size_t(p.b)]);
}

Vector centreOf(const HObject& o, const HostPolygon& p) {
    const auto& q = o.points();
    Vector s = q[std::size_t(p.a)] + q[std::size_t(p.b)] + q[std::size_t(p.c)];
    if (p.isTriangle()) {
        return s / 3.0f;
    }
    return (s + q[std::size_t(p.d)]) / 4.0f;
}

TEST(PhongNormals, NoneWithoutAPhongTag) {
    HObject cube(HostType::kCube);
    std::unique_ptr<HObject> mesh = buildPrimitive(cube);
    EXPECT_TRUE(mesh->phongNormals().empty());
}

TEST(PhongNormals, HonourTheSmoothingAngle) {
    HObject cube(HostType::kCube);
    cube.data().setVector(CubeParam::kSize, {2, 2, 2});
    std::unique_ptr<HObject> mesh = buildPrimitive(cube);
    HTag* phong = addTag(*mesh, HostType::kPhongTag);
    const auto cornerNormal = [&](std::size_t polygon, int corner) {
        return mesh->phongNormals()[polygon * 4 + std::size_t(corner)];
    };
    // Without a limit a corner's normal points out of the cube's corner.
    const Vector corner = mesh->points()[std::size_t(mesh->polygons()[0].a)];
    expectNear(cornerNormal(0, 0), normalized(corner));
    // Below 90 degrees each face keeps its own normal.
    phong->data().setBool(PhongTagParam::kAngleLimit, true);
    phong->data().setReal(PhongTagParam::kAngle, 1.0f);
    for (std::size_t p = 0; p < mesh->polygons().size(); ++p) {
        const Vector face = normalized(faceNormal(*mesh, mesh->polygons()[p]));
        for (int c = 0; c < 4; ++c) {
            expectNear(cornerNormal(p, c), face);
        }
    }
    // Above it, smooth again.
    phong->data().setReal(PhongTagParam::kAngle, 1.6f);
    expectNear(cornerNormal(0, 0), normalized(corner));
}

TEST(Primitives, CachesFollowTheirParameters) {
    HeadlessHost host;
    HDocument& doc = host.document();
    HObject* sphere = addObject(doc, HostType::kSphere, "Sphere");
    HObject* plane = addObject(doc, HostType::kPlane, "Plane");
    HObject* cube = addObject(doc, HostType::kCube, "Cube");
    host.evaluate();
    ASSERT_NE(sphere->cacheFirst(), nullptr);
    for (const Vector& p : sphere->cacheFirst()->points()) {
        EXPECT_NEAR(length(p), 100.0f, 1e-3f);
    }
    EXPECT_EQ(plane->cacheFirst()->polygons().size(), 400u);
    sphere->data().setReal(SphereParam::kRadius, 2.5f);
    sphere->data().setInt(SphereParam::kSegments, 8);
    plane->data().setInt(PlaneParam::kWidthSegments, 3);
    plane->data().setInt(PlaneParam::kHeightSegments, 2);
    plane->data().setReal(PlaneParam::kWidth, 6);
    cube->data().setVector(CubeParam::kSize, {2, 4, 6});
    host.evaluate();
    for (const Vector& p : sphere->cacheFirst()->points()) {
        EXPECT_NEAR(length(p), 2.5f, 1e-5f);
    }
    // Eight segments around, four from pole to pole: two fans of triangles and two rings of
    // quadrangles.
    EXPECT_EQ(sphere->cacheFirst()->polygons().size(), 32u);
    EXPECT_EQ(plane->cacheFirst()->polygons().size(), 6u);
    Vector c, r;
    cube->dimension(c, r);
    EXPECT_EQ(r, Vector(1, 2, 3));
    plane->dimension(c, r);
    EXPECT_EQ(r, Vector(3, 0, 200));
}

TEST(Primitives, FrontFacesPointOutwardAndPlanesFaceTheirAxis) {
    for (int32_t type : {HostType::kCube, HostType::kSphere}) {
        HObject primitive(type);
        std::unique_ptr<HObject> mesh = buildPrimitive(primitive);
        for (const HostPolygon& p : mesh->polygons()) {
            EXPECT_GT(dot(faceNormal(*mesh, p), centreOf(*mesh, p)), 0) << type;
        }
    }
    const Vector axes[] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (int32_t orientation = 0; orientation < 6; ++orientation) {
        HObject plane(HostType::kPlane);
        plane.data().setInt(PlaneParam::kOrientation, orientation);
        std::unique_ptr<HObject> mesh = buildPrimitive(plane);
        for (const HostPolygon& p : mesh->polygons()) {
            expectNear(normalized(faceNormal(*mesh, p)), axes[orientation]);
        }
    }
}

TEST(Projections, EachProjectionMapsItsOwnWay) {
    HObject quad(HostType::kPolygonObject);
    quad.setPoints({{0, 0, 0}, {2, 0, 0}, {2, 4, 0}, {0, 4, 0}});
    quad.setPolygons({{0, 1, 2, 3}});
    HTag tag(HostType::kTextureTag);
    std::vector<HostUvw> uvw;
    // The UVW projection generates nothing: the object's own UVW tag is used.
    tag.data().setInt(TextureTagParam::kProjection, TextureProjection::kUvw);
    EXPECT_FALSE(tag.generateUvw(quad, HostMatrix(), HostMatrix(), nullptr, uvw));
    EXPECT_TRUE(uvw.empty());

    tag.data().setInt(TextureTagParam::kProjection, TextureProjection::kFlat);
    ASSERT_TRUE(tag.generateUvw(quad, HostMatrix(), HostMatrix(), nullptr, uvw));
    ASSERT_EQ(uvw.size(), 1u);
    expectNear(uvw[0].a, {0, 1, 0});
    expectNear(uvw[0].c, {1, 0, 0});

    // Projections work in the coordinates of the tag's object.
    HostMatrix moved;
    moved.off = {-2, 0, 0};
    ASSERT_TRUE(tag.generateUvw(quad, moved, HostMatrix(), nullptr, uvw));
    expectNear(uvw[0].a, {0, 1, 0});

    tag.data().setInt(TextureTagParam::kProjection, TextureProjection::kCubic);
    ASSERT_TRUE(tag.generateUvw(quad, HostMatrix(), HostMatrix(), nullptr, uvw));
    expectNear(uvw[0].b, {1, 1, 0});

    HObject sphereSource(HostType::kSphere);
    std::unique_ptr<HObject> sphere = buildPrimitive(sphereSource);
    for (int32_t projection : {TextureProjection::kSpherical, TextureProjection::kCylindrical}) {
        tag.data().setInt(TextureTagParam::kProjection, projection);
        ASSERT_TRUE(tag.generateUvw(*sphere, HostMatrix(), HostMatrix(), nullptr, uvw));
        ASSERT_EQ(uvw.size(), sphere->polygons().size());
        for (std::size_t i = 0; i < uvw.size(); ++i) {
            const HostPolygon& p = sphere->polygons()[i];
            const Vector top = sphere->points()[std::size_t(p.a)];
            // v runs from 0 at the top to 1 at the bottom.
            EXPECT_NEAR(uvw[i].a.y,
                        projection == TextureProjection::kSpherical
                            ? 0.5f - std::asin(top.y / 100.0f) / 3.14159265f
                            : (100.0f - top.y) / 200.0f,
                        1e-4f);
            EXPECT_GE(uvw[i].a.x, 0.0f);
            EXPECT_LT(uvw[i].a.x, 1.0f);
        }
    }
}

TEST(Copies, CopyTagsChildrenAndTranslatedLinks) {
    HeadlessHost host;
    HDocument& doc = host.document();
    HObject* outside = addObject(doc, HostType::kNull, "Outside");
    HObject* root = addObject(doc, HostType::kNull, "Root");
    HObject* child = addObject(doc, HostType::kPolygonObject, "Child", root);
    child->setPoints({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    child->setPolygons({{0, 1, 2, 2}});
    child->setBit(HostBit::kGeneratorInput, true);
    HTag* selection = addTag(*child, HostType::kPolygonSelectionTag, "S");
    selection->polygonSelection()->select(0);
    HTag* texture = addTag(*root, HostType::kTextureTag);
    texture->data().setLink(1, child);
    texture->data().setLink(2, outside);
    host.evaluate();

    std::unique_ptr<HostObject> copy = root->copy(HostCopy::kTranslateLinks);
    ASSERT_TRUE(copy);
    EXPECT_NE(copy->uid(), root->uid());
    EXPECT_EQ(copy->name(), "Root");
    HostObject* childCopy = copy->down();
    ASSERT_NE(childCopy, nullptr);
    EXPECT_EQ(childCopy->toPolygonObject()->polygons().size(), 1u);
    EXPECT_FALSE(childCopy->hasBit(HostBit::kGeneratorInput));
    EXPECT_TRUE(
        childCopy->tag(HostType::kPolygonSelectionTag, 0)->polygonSelection()->isSelected(0));
    const HostContainer& links = copy->tag(HostType::kTextureTag, 0)->data();
    EXPECT_EQ(links.getLinkValue(1).node, childCopy->uid());
    EXPECT_EQ(links.getLinkValue(2).node, outside->uid());
    // Without translation the links keep pointing at the originals.
    std::unique_ptr<HostObject> plain = root->copy(0);
    EXPECT_EQ(plain->tag(HostType::kTextureTag, 0)->data().getLinkValue(1).node, child->uid());
}

} // namespace
} // namespace headless
