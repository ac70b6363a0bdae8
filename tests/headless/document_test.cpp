// The headless document: object tree, tags, materials and links.
#include "headless/document.h"
#include "headless/host.h"
#include "plugin/host/host_ids.h"

#include <gtest/gtest.h>

namespace {

using headless::HDocument;
using headless::HeadlessHost;

HostObject* add(HeadlessHost& host, HDocument& doc, const std::string& name,
                HostObject* parent = nullptr, HostObject* pred = nullptr) {
    std::unique_ptr<HostObject> o = host.createObject(HostType::kNull);
    o->setName(name);
    return doc.insertObject(std::move(o), parent, pred);
}

std::string order(HostObject* first) {
    std::string names;
    headless::forEachObject(first, [&](HostObject* o) { names += o->name(); });
    return names;
}

TEST(HDocument, InsertsObjectsWhereAsked) {
    HeadlessHost host;
    HDocument doc;
    HostObject* a = add(host, doc, "a");
    HostObject* c = add(host, doc, "c", nullptr, a);
    add(host, doc, "b", nullptr, a);
    add(host, doc, "0");
    HostObject* child = add(host, doc, "x", c);
    add(host, doc, "y", c, child);
    EXPECT_EQ(order(doc.firstObject()), "0abcxy");
    EXPECT_EQ(child->up(), c);
    EXPECT_EQ(child->document(), &doc);
    EXPECT_EQ(doc.searchObject("y")->up(), c);
    EXPECT_EQ(doc.searchObject("missing"), nullptr);
    // A predecessor that is not a child of the parent is refused.
    EXPECT_EQ(doc.insertObject(host.createObject(HostType::kNull), c, a), nullptr);
}

TEST(HDocument, RemovedObjectsTakeTheirChildrenAndLeaveTheDocument) {
    HeadlessHost host;
    HDocument doc;
    HostObject* a = add(host, doc, "a");
    HostObject* b = add(host, doc, "b", nullptr, a);
    HostObject* child = add(host, doc, "child", b);
    const uint64_t childUid = child->uid();
    std::unique_ptr<HostObject> removed = b->remove();
    EXPECT_EQ(order(doc.firstObject()), "a");
    EXPECT_EQ(removed->document(), nullptr);
    EXPECT_EQ(doc.findNode(childUid), nullptr);
    doc.insertObject(std::move(removed), a, nullptr);
    EXPECT_EQ(order(doc.firstObject()), "abchild");
    EXPECT_EQ(doc.findNode(childUid), child);
}

TEST(HDocument, LinksResolveOnlyToLiveNodesOfTheDocument) {
    HeadlessHost host;
    HDocument doc;
    HDocument other;
    HostObject* target = add(host, doc, "target");
    HostObject* elsewhere = add(host, other, "elsewhere");
    HostContainer c;
    c.setLink(1, target);
    c.setLink(2, elsewhere);
    EXPECT_EQ(c.getLink(1, &doc), target);
    EXPECT_EQ(c.getLink(1, &doc, HostType::kNull), target);
    EXPECT_EQ(c.getLink(1, &doc, HostType::kLight), nullptr);
    EXPECT_EQ(c.getLink(2, &doc), nullptr);
    target->remove();
    EXPECT_EQ(c.getLink(1, &doc), nullptr);
}

TEST(HDocument, TagsAndMaterialsKeepTheirOrder) {
    HeadlessHost host;
    HDocument doc;
    HostObject* o = add(host, doc, "o");
    HostTag* first = o->insertTag(host.createTag(HostType::kTextureTag), nullptr);
    HostTag* last = o->insertTag(host.createTag(HostType::kPhongTag), first);
    HostTag* middle = o->insertTag(host.createTag(HostType::kTextureTag), first);
    EXPECT_EQ(o->firstTag(), first);
    EXPECT_EQ(first->next(), middle);
    EXPECT_EQ(middle->next(), last);
    EXPECT_EQ(last->prev(), middle);
    EXPECT_EQ(o->tag(HostType::kTextureTag, 1), middle);
    EXPECT_EQ(o->tag(HostType::kTextureTag, 2), nullptr);

    HostMaterial* m1 =
        doc.insertMaterial(host.createMaterial(HostType::kStandardMaterial), nullptr);
    HostMaterial* m2 = doc.insertMaterial(host.createMaterial(HostType::kStandardMaterial), m1);
    first->toTextureTag()->setMaterial(m2);
    EXPECT_EQ(first->toTextureTag()->material(), m2);
    EXPECT_EQ(doc.firstMaterial()->next(), m2);
    m2->remove();
    EXPECT_EQ(first->toTextureTag()->material(), nullptr);
    EXPECT_EQ(last->toTextureTag(), nullptr);
}

TEST(HDocument, GlobalMatricesFollowParentsAndCacheOwners) {
    HeadlessHost host;
    HDocument doc;
    HostObject* parent = add(host, doc, "parent");
    HostMatrix m;
    m.off = Vector(10, 0, 0);
    parent->setLocalMatrix(m);
    HostObject* child = add(host, doc, "child", parent);
    HostMatrix target;
    target.off = Vector(1, 2, 3);
    child->setGlobalMatrix(target);
    EXPECT_EQ(child->localMatrix().off, Vector(-9, 2, 3));
    EXPECT_EQ(child->globalMatrix().off, Vector(1, 2, 3));

    auto* owner = static_cast<headless::HObject*>(parent);
    auto generated = std::make_unique<headless::HObject>(HostType::kPolygonObject);
    HostMatrix up;
    up.off = Vector(0, 5, 0);
    generated->setLocalMatrix(up);
    owner->setCache(std::move(generated));
    ASSERT_NE(parent->cache(), nullptr);
    EXPECT_EQ(parent->cache()->cacheOwner(), parent);
    EXPECT_EQ(parent->cache()->document(), &doc);
    EXPECT_EQ(parent->cache()->globalMatrix().off, Vector(10, 5, 0));
}

TEST(HDocument, LongSiblingListsAndDeepTreesAreFreedWithoutRecursionTrouble) {
    HeadlessHost host;
    auto doc = std::make_unique<HDocument>();
    HostObject* pred = nullptr;
    for (int i = 0; i < 200000; ++i) {
        pred = doc->insertObject(host.createObject(HostType::kNull), nullptr, pred);
    }
    HostObject* parent = doc->firstObject();
    for (int i = 0; i < 2000; ++i) {
        parent = doc->insertObject(host.createObject(HostType::kNull), parent, nullptr);
    }
    doc.reset();
    SUCCEED();
}

} // namespace
