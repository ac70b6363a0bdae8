// The instance object, the tags and CreateInstances.
#include "export_fixture.h"

#include "commands/create_instances.h"
#include "headless/evaluation.h"
#include "objects/exit_portal_tag_ids.h"
#include "objects/instance.h"
#include "objects/instance_ids.h"
#include "objects/subdivision_tag_ids.h"
#include "plugin/host/geometry.h"
#include "plugin/host/host_ids.h"
#include "plugin/plugin_ids.h"

namespace testing_export {
namespace {

using Objects = ExportTest;

ZarvexInstance& instanceData(HostObject* o) {
    return *static_cast<ZarvexInstance*>(o->pluginData());
}

TEST_F(Objects, InstanceStartsWithItsInitialValues) {
    headless::HObject* instance = add(PluginId::kInstance, "Instance");
    const HostContainer& d = instance->data();
    EXPECT_EQ(d.getLink(INSTANCE_LINK, &doc()), nullptr);
    EXPECT_FALSE(d.getBool(INSTANCE_MANUAL_BOUNDS, true));
    EXPECT_EQ(d.getVector(INSTANCE_BOUNDS_SIZE), Vector(50, 50, 50));
    EXPECT_EQ(d.getVector(INSTANCE_BOUNDS_CENTER, Vector(1, 1, 1)), Vector(0, 0, 0));
    EXPECT_TRUE(d.getBool(INSTANCE_FLAG_10005));
    EXPECT_EQ(d.getInt(INSTANCE_DISPLAY), INSTANCE_DISPLAY_BOXES);
}

TEST_F(Objects, DescriptionsShowWhatTheSettingsNeed) {
    ASSERT_TRUE(host.loadResources(HostFilename(host.drives().toWindows(TOLVANE_SOURCE_DIR))));
    ASSERT_TRUE(host.registerDescription(PluginId::kInstance, "Ozarvexinstance"));
    ASSERT_TRUE(host.registerDescription(PluginId::kExitPortalTag, "TMyExitPortal"));
    ASSERT_TRUE(host.registerDescription(PluginId::kSubdivisionTag, "tSubdivision"));
    headless::HObject* instance = add(PluginId::kInstance, "Instance");
    for (const bool manual : {false, true}) {
        instance->data().setBool(INSTANCE_MANUAL_BOUNDS, manual);
        const std::unique_ptr<headless::HDescription> d = host.describe(*instance);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->isHidden(INSTANCE_LINK), manual);
        EXPECT_EQ(d->isHidden(INSTANCE_BOUNDS_GROUP), !manual);
        for (int32_t id : {INSTANCE_BOUNDS_SIZE, INSTANCE_BOUNDS_CENTER, INSTANCE_DISPLAY}) {
            EXPECT_TRUE(d->hasEntry(id)) << id;
        }
    }
    headless::HObject* cube = addCube("Cube");
    const std::unique_ptr<headless::HDescription> portal =
        host.describe(*addTag(cube, PluginId::kExitPortalTag));
    ASSERT_TRUE(portal);
    EXPECT_TRUE(portal->hasEntry(EXITPORTAL_ENABLED));
    const std::unique_ptr<headless::HDescription> subdivision =
        host.describe(*addTag(cube, PluginId::kSubdivisionTag));
    ASSERT_TRUE(subdivision);
    for (int32_t id = SUBDIV_MAX_SUBDIVISIONS; id <= SUBDIV_WRAP_V; ++id) {
        EXPECT_TRUE(subdivision->hasEntry(id)) << id;
    }
}

TEST_F(Objects, TagsStartWithTheirInitialValues) {
    headless::HObject* cube = addCube("Cube");
    EXPECT_TRUE(addTag(cube, PluginId::kExitPortalTag)->data().getBool(EXITPORTAL_ENABLED));
    const HostContainer& d = addTag(cube, PluginId::kSubdivisionTag)->data();
    EXPECT_EQ(d.getInt(SUBDIV_MAX_SUBDIVISIONS), 3);
    EXPECT_FLOAT_EQ(d.getReal(SUBDIV_CURVATURE_THRESHOLD), 0.1f);
    EXPECT_TRUE(d.has(SUBDIV_DISPLACEMENT_ERROR_THRESHOLD));
    EXPECT_TRUE(d.has(SUBDIV_WRAP_U));
    EXPECT_TRUE(d.has(SUBDIV_WRAP_V));
    // Not set on a new tag.
    EXPECT_FALSE(d.has(SUBDIV_PIXEL_THRESHOLD));
    EXPECT_FALSE(d.has(SUBDIV_SMOOTHING));
    EXPECT_FALSE(d.has(SUBDIV_VIEW_DEPENDENT));
}

TEST_F(Objects, BoundingBox) {
    headless::HObject* cube = add(HostType::kCube, "Cube");
    headless::HObject* parent = add(HostType::kNull, "Parent");
    headless::HObject* linked = addInstance("Linked", cube);
    headless::HObject* manual = addInstance("Manual", cube);
    manual->data().setBool(INSTANCE_MANUAL_BOUNDS, true);
    manual->data().setVector(INSTANCE_BOUNDS_SIZE, {10, 20, 30});
    manual->data().setVector(INSTANCE_BOUNDS_CENTER, {1, 2, 3});
    headless::HObject* empty = addInstance("Empty", nullptr);
    headless::HObject* loop = addInstance("Loop", parent, parent);
    host.evaluate();
    struct Case {
        headless::HObject* instance;
        Vector center, radius;
    };
    for (const Case& c :
         {Case{linked, {0, 0, 0}, {100, 100, 100}}, Case{manual, {1, 2, 3}, {5, 10, 15}},
          Case{empty, {0, 0, 0}, {50, 50, 50}}, Case{loop, {0, 0, 0}, {0, 0, 0}}}) {
        Vector center(9, 9, 9), radius(9, 9, 9);
        instanceData(c.instance).getDimension(c.instance, center, radius);
        EXPECT_EQ(center, c.center) << c.instance->name();
        EXPECT_EQ(radius, c.radius) << c.instance->name();
    }
}

TEST_F(Objects, VirtualObjectsAreACopyAtTheInstancesPlaceUnlessSuppressed) {
    headless::HObject* cube = add(HostType::kCube, "Cube");
    HostMatrix away;
    away.off = {100, 0, 0};
    cube->setLocalMatrix(away);
    addTag(cube, HostType::kPhongTag);
    headless::HObject* instance = addInstance("Instance", cube);
    headless::HObject* parent = add(HostType::kNull, "Parent");
    headless::HObject* loop = addInstance("Loop", parent, parent);
    struct Case {
        headless::HObject* op;
        int32_t flags;
        uint8_t exporting;
        bool generates;
    };
    const Case cases[] = {
        {instance, HostGenerate::kForRendering, 0, true},
        {instance, HostGenerate::kForRendering | HostGenerate::kForEditorOnly, 0, false},
        {instance, 0, 0, false},
        {instance, HostGenerate::kForRendering, 1, false},
        {loop, HostGenerate::kForRendering, 0, false}};
    for (const Case& c : cases) {
        exportFlag = c.exporting;
        std::unique_ptr<HostObject> copy = instanceData(c.op).getVirtualObjects(c.op, c.flags);
        EXPECT_EQ(copy != nullptr, c.generates) << c.op->name() << " " << c.flags;
        if (copy) {
            EXPECT_EQ(copy->type(), HostType::kCube);
            EXPECT_EQ(copy->localMatrix(), HostMatrix());
            EXPECT_NE(copy->tag(HostType::kPhongTag, 0), nullptr);
        }
    }
    // In the editor's evaluation the instance shows the cube's geometry at its own place.
    exportFlag = 0;
    host.evaluate();
    ASSERT_NE(instance->cache(), nullptr);
    ASSERT_NE(instance->cache()->cache(), nullptr);
    EXPECT_EQ(instance->cache()->cache()->toPolygonObject()->polygons().size(), 6u);
    EXPECT_EQ(loop->cache(), nullptr);
    exportFlag = 1;
    host.evaluate();
    EXPECT_EQ(instance->cache(), nullptr);
}

TEST_F(Objects, InstancesOfEachOthersHoldersStillEvaluate) {
    // Each copy holds instances of the other holder again; the evaluation ends all the same.
    headless::HObject* first = add(HostType::kNull, "First");
    headless::HObject* second = add(HostType::kNull, "Second");
    addCube("Cube", first);
    addInstance("A", second, first);
    addInstance("B", second, first);
    addInstance("C", first, second);
    exportFlag = 0;
    host.evaluate();
    EXPECT_NE(first->down()->next()->cache(), nullptr);
    exportFlag = 1;
    ASSERT_EQ(exportTo(), 1);
    EXPECT_EQ(elements("mesh").size(), 1u);
}

TEST_F(Objects, DrawingShowsBoxesOrEdgesOfTheLinkedHierarchy) {
    headless::HObject* quad =
        addPolygons("Quad", {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, {{0, 1, 2, 3}});
    quad->setDisplayColour({2, {1, 0, 0}, false});
    addPolygons("Triangle", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2, 2}}, quad);
    headless::HObject* instance = addInstance("Instance", quad);
    HostMatrix m;
    m.off = {0, 10, 0};
    instance->setLocalMatrix(m);
    struct Case {
        int32_t mode;
        std::size_t lines;
    };
    std::vector<headless::DrawnLine> edges;
    for (const Case c : {Case{INSTANCE_DISPLAY_BOXES, 24}, Case{INSTANCE_DISPLAY_EDGES, 7},
                         Case{INSTANCE_DISPLAY_EDGES_2, 7}}) {
        instance->data().setInt(INSTANCE_DISPLAY, c.mode);
        doc().view().clearLines();
        ASSERT_TRUE(instanceData(instance).draw(instance, HostDrawPass::Object, &doc().view()));
        const std::vector<headless::DrawnLine>& lines = doc().view().lines();
        ASSERT_EQ(lines.size(), c.lines) << c.mode;
        for (const headless::DrawnLine& l : lines) {
            EXPECT_GE(l.from.y, 10.0f);
        }
        if (c.mode != INSTANCE_DISPLAY_BOXES) {
            EXPECT_EQ(lines.front().colour, Vector(1, 0, 0));
            if (edges.empty()) {
                edges = lines;
            } else {
                for (std::size_t i = 0; i < lines.size(); ++i) {
                    EXPECT_EQ(lines[i].from, edges[i].from);
                    EXPECT_EQ(lines[i].to, edges[i].to);
                }
            }
        }
    }
    doc().view().clearLines();
    instanceData(instance).draw(instance, HostDrawPass::Handles, &doc().view());
    EXPECT_TRUE(doc().view().lines().empty());
}

TEST_F(Objects, DrawingStopsAtLinksBackIntoTheDrawnHierarchy) {
    headless::HObject* parent = add(HostType::kNull, "Parent");
    addPolygons("Quad", {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, {{0, 1, 2, 3}}, parent);
    headless::HObject* loop = addInstance("Loop", parent, parent);
    headless::HObject* outside = addInstance("Outside", parent);
    loop->data().setInt(INSTANCE_DISPLAY, INSTANCE_DISPLAY_EDGES);
    outside->data().setInt(INSTANCE_DISPLAY, INSTANCE_DISPLAY_EDGES);
    instanceData(loop).draw(loop, HostDrawPass::Object, &doc().view());
    EXPECT_TRUE(doc().view().lines().empty());
    instanceData(outside).draw(outside, HostDrawPass::Object, &doc().view());
    // The quad once; the nested instance's link is its own ancestor there and is not drawn.
    EXPECT_EQ(doc().view().lines().size(), 4u);
}

TEST_F(Objects, CreateInstancesMakesOneInstancePerSelectedObjectInOneUndoStep) {
    headless::HObject* group = add(HostType::kNull, "Group");
    HostMatrix g;
    g.off = {0, 5, 0};
    group->setLocalMatrix(g);
    headless::HObject* a = addCube("A", group);
    headless::HObject* b = addCube("B");
    headless::HObject* c = addCube("C", group);
    HostMatrix m;
    m.off = {1, 2, 3};
    a->setLocalMatrix(m);
    for (HostObject* o :
         {static_cast<HostObject*>(a), static_cast<HostObject*>(b), static_cast<HostObject*>(c)}) {
        doc().setSelected(o, true);
    }
    CreateInstances command;
    ASSERT_TRUE(command.execute(&doc()));
    for (HostObject* o :
         {static_cast<HostObject*>(a), static_cast<HostObject*>(b), static_cast<HostObject*>(c)}) {
        HostObject* instance = o->next();
        ASSERT_NE(instance, nullptr) << o->name();
        EXPECT_EQ(instance->type(), PluginId::kInstance);
        EXPECT_EQ(instance->name(), o->name());
        EXPECT_EQ(instance->up(), o->up());
        EXPECT_EQ(instance->globalMatrix(), o->globalMatrix());
        EXPECT_EQ(instance->data().getLink(INSTANCE_LINK, &doc()), o);
    }
    ASSERT_EQ(doc().undoSteps().size(), 1u);
    EXPECT_EQ(doc().undoSteps()[0].size(), 3u);
    EXPECT_EQ(doc().messages(), std::vector<int32_t>{HostMessage::kUpdate});
    EXPECT_TRUE(doc().settings().getBool(1018));
    EXPECT_EQ(host.events(), 1);
    ASSERT_TRUE(doc().undo());
    EXPECT_EQ(a->next(), c);
    EXPECT_EQ(b->next(), nullptr);
}

TEST_F(Objects, CreateInstancesWithoutSelectionMakesOneEmptyInstanceAtTheTop) {
    headless::HObject* cube = addCube("Cube");
    CreateInstances command;
    ASSERT_TRUE(command.execute(&doc()));
    HostObject* first = doc().firstObject();
    ASSERT_NE(first, cube);
    EXPECT_EQ(first->type(), PluginId::kInstance);
    EXPECT_EQ(first->data().getLink(INSTANCE_LINK, &doc()), nullptr);
    EXPECT_EQ(first->next(), cube);
    ASSERT_EQ(doc().undoSteps().size(), 1u);
    EXPECT_EQ(doc().undoSteps()[0].size(), 1u);
}

} // namespace
} // namespace testing_export
