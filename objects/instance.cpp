#include "objects/instance.h"

#include "objects/instance_ids.h"
#include "plugin/host/application.h"
#include "plugin/host/description.h"
#include "plugin/host/document.h"
#include "plugin/host/geometry.h"
#include "plugin/host/polygon_object.h"
#include "plugin/host/view.h"
#include "plugin/plugin_ids.h"

#include <algorithm>

namespace {

uint8_t* g_exportFlag = nullptr;

// The copy is evaluated anew and keeps links among its own nodes.
constexpr int32_t kInstanceCopyFlags = HostCopy::kTranslateLinks | HostCopy::kNoCaches;

const Vector kDefaultBoundsSize{50, 50, 50};

HostObject* linkedObject(const HostObject* instance, const HostDocument* doc) {
    HostNode* node = instance->data().getLink(INSTANCE_LINK, doc);
    return node != nullptr ? node->toObject() : nullptr;
}

void drawEdge(HostView& view, const HostMatrix& m, const Vector& a, const Vector& b) {
    view.drawLine(m.transformPoint(a), m.transformPoint(b));
}

void drawBox(HostView& view, const HostMatrix& m, const HostObject& object) {
    Vector c, r;
    object.dimension(c, r);
    const auto corner = [&](int i) {
        return Vector(c.x + ((i & 1) ? r.x : -r.x), c.y + ((i & 2) ? r.y : -r.y),
                      c.z + ((i & 4) ? r.z : -r.z));
    };
    // The twelve edges join corners that differ in one axis bit.
    for (int i = 0; i < 8; ++i) {
        for (int bit = 1; bit < 8; bit <<= 1) {
            if ((i & bit) == 0) {
                drawEdge(view, m, corner(i), corner(i | bit));
            }
        }
    }
}

void drawPolygonEdges(HostView& view, const HostMatrix& m, const HostPolygonObject& object) {
    const std::vector<Vector>& points = object.points();
    const auto at = [&](int32_t i) {
        return i >= 0 && std::size_t(i) < points.size() ? points[std::size_t(i)] : Vector();
    };
    for (const HostPolygon& p : object.polygons()) {
        drawEdge(view, m, at(p.a), at(p.b));
        drawEdge(view, m, at(p.b), at(p.c));
        if (p.c != p.d) {
            drawEdge(view, m, at(p.c), at(p.d));
        }
        drawEdge(view, m, at(p.d), at(p.a));
    }
}

// The object's own colour when it has one (display-colour mode 2), else the host's default.
Vector drawingColour(const HostObject& o) {
    const HostDisplayColour d = o.displayColour();
    return d.mode == 2 ? d.colour : HostDisplayColour().colour;
}

struct DrawContext {
    HostView& view;
    HostDocument* doc;
    int32_t mode;
    // Instances whose links are being drawn: a link back into one of them is not drawn again.
    std::vector<const HostObject*> drawing;
};

void drawHierarchy(DrawContext& ctx, HostObject* first, const HostMatrix& m, bool topLevel,
                   bool inheritedVisible) {
    for (HostObject* o = first; o != nullptr; o = o->next()) {
        const HostMatrix global = topLevel ? m : m * o->localMatrix();
        bool visible = inheritedVisible;
        if (o->editorVisibility() == HostVisibility::On) {
            visible = true;
        } else if (o->editorVisibility() == HostVisibility::Off) {
            visible = false;
        }
        if (o->type() == PluginId::kInstance) {
            HostObject* nested = linkedObject(o, ctx.doc);
            if (visible && nested != nullptr && !isSelfOrAncestor(o, nested) &&
                std::find(ctx.drawing.begin(), ctx.drawing.end(), o) == ctx.drawing.end()) {
                ctx.drawing.push_back(o);
                drawHierarchy(ctx, nested, global, true, true);
                ctx.drawing.pop_back();
            }
        } else if (HostObject* cache = o->cache()) {
            drawHierarchy(ctx, cache, global, true, visible);
        } else if (HostObject* deformed = o->deformCache()) {
            drawHierarchy(ctx, deformed, global, false, visible);
        } else if (HostPolygonObject* polygons = o->toPolygonObject()) {
            ctx.view.setPen(drawingColour(*o));
            if (visible && !o->hasBit(HostBit::kGeneratorInput)) {
                if (ctx.mode == INSTANCE_DISPLAY_BOXES) {
                    drawBox(ctx.view, global, *o);
                } else if (ctx.mode == INSTANCE_DISPLAY_EDGES ||
                           ctx.mode == INSTANCE_DISPLAY_EDGES_2) {
                    drawPolygonEdges(ctx.view, global, *polygons);
                }
            }
        }
        drawHierarchy(ctx, o->down(), global, false, visible);
        if (topLevel) {
            return;
        }
    }
}

} // namespace

bool isSelfOrAncestor(const HostObject* start, const HostObject* linked) {
    for (const HostObject* o = start; o != nullptr;) {
        if (o == linked) {
            return true;
        }
        o = o->up() != nullptr ? o->up() : o->cacheOwner();
    }
    return false;
}

void ZarvexInstance::setExportFlag(uint8_t* flag) {
    g_exportFlag = flag;
}
uint8_t* ZarvexInstance::exportFlag() {
    return g_exportFlag;
}

bool ZarvexInstance::init(HostNode* node) {
    HostContainer& d = node->data();
    d.setLink(INSTANCE_LINK, nullptr);
    d.setBool(INSTANCE_MANUAL_BOUNDS, false);
    d.setVector(INSTANCE_BOUNDS_SIZE, kDefaultBoundsSize);
    d.setVector(INSTANCE_BOUNDS_CENTER, Vector());
    d.setBool(INSTANCE_FLAG_10005, true);
    d.setInt(INSTANCE_DISPLAY, INSTANCE_DISPLAY_BOXES);
    return true;
}

bool ZarvexInstance::message(HostNode*, int32_t, void*) {
    return true;
}

bool ZarvexInstance::getDescription(HostNode* node, HostDescription& description, uint32_t& flags) {
    if (!description.load(PluginId::kInstance)) {
        return false;
    }
    const bool manual = node->data().getBool(INSTANCE_MANUAL_BOUNDS, false);
    description.setHidden(INSTANCE_LINK, manual);
    description.setHidden(INSTANCE_BOUNDS_GROUP, !manual);
    flags |= kDescriptionLoaded;
    return true;
}

std::unique_ptr<HostObject> ZarvexInstance::getVirtualObjects(HostObject* op, int32_t flags) {
    if ((flags & HostGenerate::kForEditorOnly) != 0 || (flags & HostGenerate::kForRendering) == 0 ||
        (g_exportFlag != nullptr && *g_exportFlag != 0)) {
        return nullptr;
    }
    HostObject* linked = linkedObject(op, op->document());
    // A copy of an ancestor would hold the instance itself and generate without end.
    if (linked == nullptr || isSelfOrAncestor(op, linked)) {
        return nullptr;
    }
    std::unique_ptr<HostObject> copy = linked->copy(kInstanceCopyFlags);
    if (!copy) {
        return nullptr;
    }
    copy->setLocalMatrix(HostMatrix());
    return copy;
}

bool ZarvexInstance::draw(HostObject* op, HostDrawPass pass, HostView* view) {
    if (pass != HostDrawPass::Object || view == nullptr) {
        return true;
    }
    HostDocument* doc = op->document();
    HostObject* linked = linkedObject(op, doc);
    if (linked == nullptr || op->hasBit(HostBit::kGeneratorInput) || isSelfOrAncestor(op, linked)) {
        return true;
    }
    DrawContext ctx{*view, doc, op->data().getInt(INSTANCE_DISPLAY, INSTANCE_DISPLAY_BOXES), {op}};
    drawHierarchy(ctx, linked, op->globalMatrix(), true, true);
    return true;
}

void ZarvexInstance::getDimension(HostObject* op, Vector& center, Vector& radius) {
    HostObject* linked = linkedObject(op, host().activeDocument());
    center = Vector();
    radius = Vector();
    if (linked != nullptr && isSelfOrAncestor(op, linked)) {
        return;
    }
    const HostContainer& d = op->data();
    if (d.getBool(INSTANCE_MANUAL_BOUNDS, false)) {
        center = d.getVector(INSTANCE_BOUNDS_CENTER);
        radius = d.getVector(INSTANCE_BOUNDS_SIZE, kDefaultBoundsSize) * 0.5f;
    } else if (linked != nullptr) {
        linked->dimension(center, radius);
    } else {
        radius = kDefaultBoundsSize;
    }
}
