#include "headless/evaluation.h"

#include "headless/primitives.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/plugin_data.h"

namespace headless {

namespace {

// Caches left to build in the evaluation under way.
long g_cachesLeft = kMaxCachesPerEvaluation;

// The polygon object that stands for `o` once evaluated: its deformed copy, its own polygons, or
// the (deformed) top object of its cache; null when there is none.
const HObject* polygonState(const HObject& o) {
    if (o.deformCacheFirst() != nullptr) {
        return o.deformCacheFirst();
    }
    if (o.type() == HostType::kPolygonObject) {
        return &o;
    }
    if (const HObject* c = o.cacheFirst()) {
        if (c->deformCacheFirst() != nullptr) {
            return c->deformCacheFirst();
        }
        return c->type() == HostType::kPolygonObject ? c : nullptr;
    }
    return nullptr;
}

// The generator's input and everything its own caches hold: their result is in the generator's
// cache already.
void markInput(HObject& object) {
    object.setBit(HostBit::kGeneratorInput, true);
    for (HObject* cached : {object.cacheFirst(), object.deformCacheFirst()}) {
        forEachObject(cached, [](HostObject* o) { o->setBit(HostBit::kGeneratorInput, true); });
    }
}

// Where the points of `state` (polygonState of `o`) sit in `o`'s coordinates.
HostMatrix stateMatrix(const HObject& o, const HObject& state) {
    if (&state == &o) {
        return HostMatrix();
    }
    if (state.cacheOwner() == &o) {
        return state.localMatrix();
    }
    // The deformed copy of the top object of o's cache.
    const HObject* top = o.cacheFirst();
    return top != nullptr ? top->localMatrix() * state.localMatrix() : state.localMatrix();
}

std::unique_ptr<HObject> generatedCache(HObject& object, int32_t generateFlags) {
    if (!object.enabled()) {
        return nullptr;
    }
    if (isPrimitive(object.type())) {
        return buildPrimitive(object);
    }
    if (object.type() == HostType::kSubdivisionGenerator) {
        for (HObject* child = object.firstChild(); child != nullptr; child = child->nextObject()) {
            const HObject* input = polygonState(*child);
            if (input == nullptr) {
                continue;
            }
            markInput(*child);
            std::unique_ptr<HObject> result =
                subdivide(*input, object.data().getInt(SubdivisionGeneratorParam::kLevel, 1));
            // The input's points are in its own coordinates, which sit at its matrix below the
            // generator (a deformed copy lies at the identity below its object).
            result->setLocalMatrix(child->localMatrix() * stateMatrix(*child, *input));
            return result;
        }
        return nullptr;
    }
    // Plug-in instances of objects come only from object registrations.
    if (auto* generator = static_cast<ObjectData*>(object.pluginData())) {
        std::unique_ptr<HostObject> generated =
            generator->getVirtualObjects(&object, generateFlags);
        auto* own = dynamic_cast<HObject*>(generated.get());
        if (own == nullptr || own->document() != nullptr || own->up() != nullptr) {
            return nullptr;
        }
        generated.release();
        return std::unique_ptr<HObject>(own);
    }
    return nullptr;
}

// The deformed copy of `target` (a polygon object) by the enabled twist deformers below `owner`.
std::unique_ptr<HObject> deformedCopy(const HObject& owner, const HObject& target) {
    std::vector<Vector> points;
    bool deformed = false;
    for (HObject* child = owner.firstChild(); child != nullptr; child = child->nextObject()) {
        if (child->type() != HostType::kTwistDeformer || !child->enabled()) {
            continue;
        }
        if (!deformed) {
            points = target.points();
            deformed = true;
        }
        twist(points, child->data().getReal(TwistDeformerParam::kAnglePerUnit, 0.0f));
    }
    if (!deformed) {
        return nullptr;
    }
    auto copy = std::make_unique<HObject>(HostType::kPolygonObject);
    copy->setName(target.name());
    copy->setPoints(std::move(points));
    copy->setPolygons(target.polygons());
    copy->setDisplayColour(target.displayColour());
    HostTag* pred = nullptr;
    for (const auto& t : target.tags()) {
        pred = copy->insertTag(static_cast<const HTag&>(*t).copyTag(), pred);
    }
    return copy;
}

// Points and polygons of a joined current state, with the UVW of every part (zero where a part
// has none).
struct Joined {
    std::vector<Vector> points;
    std::vector<HostPolygon> polygons;
    std::vector<HostUvw> uvw;
    bool anyUvw = false;
};

void append(const HObject& part, const HostMatrix& toResult, Joined& out) {
    const auto base = int32_t(out.points.size());
    for (const Vector& p : part.points()) {
        out.points.push_back(toResult.transformPoint(p));
    }
    const HostTag* uvwTag = part.tag(HostType::kUvwTag, 0);
    const std::vector<HostUvw>* uvw =
        uvwTag != nullptr ? const_cast<HostTag*>(uvwTag)->uvwData() : nullptr;
    const std::vector<HostPolygon>& polygons = part.polygons();
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        const HostPolygon& p = polygons[i];
        out.polygons.push_back({p.a + base, p.b + base, p.c + base, p.d + base});
        out.uvw.push_back(uvw != nullptr && i < uvw->size() ? (*uvw)[i] : HostUvw());
    }
    out.anyUvw = out.anyUvw || uvw != nullptr;
}

// Every polygon object of the evaluated state of `first` and its siblings, with their children.
void collectState(const HObject* first, const HostMatrix& parent, Joined& out) {
    for (const HObject* o = first; o != nullptr; o = o->nextObject()) {
        const HostMatrix m = parent * o->localMatrix();
        if (o->deformCacheFirst() != nullptr) {
            collectState(o->deformCacheFirst(), m, out);
        } else if (o->cacheFirst() != nullptr) {
            collectState(o->cacheFirst(), m, out);
        } else if (o->type() == HostType::kPolygonObject && !o->hasBit(HostBit::kGeneratorInput)) {
            append(*o, m, out);
        }
        collectState(o->firstChild(), m, out);
    }
}

} // namespace

void evaluateObject(HObject& object, int32_t generateFlags, int depth) {
    for (HObject* child = object.firstChild(); child != nullptr; child = child->nextObject()) {
        child->setBit(HostBit::kGeneratorInput, false);
        evaluateObject(*child, generateFlags, depth);
    }
    if (depth >= kMaxCacheDepth) {
        object.clearCaches();
        return;
    }
    object.clearCaches();
    std::unique_ptr<HObject> cache =
        g_cachesLeft > 0 ? generatedCache(object, generateFlags) : nullptr;
    if (cache) {
        --g_cachesLeft;
        HObject* top = cache.get();
        object.setCache(std::move(cache));
        for (HObject* o = top; o != nullptr; o = o->nextObject()) {
            o->setBit(HostBit::kGeneratorInput, false);
            evaluateObject(*o, generateFlags, depth + 1);
        }
    }
    if (object.type() == HostType::kPolygonObject) {
        if (std::unique_ptr<HObject> deformed = deformedCopy(object, object)) {
            object.setDeformCache(std::move(deformed));
        }
    } else if (HObject* top = object.cacheFirst(); top != nullptr &&
                                                   top->type() == HostType::kPolygonObject &&
                                                   top->deformCacheFirst() == nullptr) {
        if (std::unique_ptr<HObject> deformed = deformedCopy(object, *top)) {
            top->setDeformCache(std::move(deformed));
        }
    }
}

void evaluateDocument(HDocument& doc, int32_t generateFlags) {
    g_cachesLeft = kMaxCachesPerEvaluation;
    for (HObject* o = doc.firstHObject(); o != nullptr; o = o->nextObject()) {
        o->setBit(HostBit::kGeneratorInput, false);
        evaluateObject(*o, generateFlags);
    }
}

std::unique_ptr<HObject> currentStateToObject(HObject& object) {
    g_cachesLeft = kMaxCachesPerEvaluation;
    evaluateObject(object, HostGenerate::kForRendering);
    Joined joined;
    if (object.deformCacheFirst() != nullptr) {
        collectState(object.deformCacheFirst(), HostMatrix(), joined);
    } else if (object.cacheFirst() != nullptr) {
        collectState(object.cacheFirst(), HostMatrix(), joined);
    } else if (object.type() == HostType::kPolygonObject) {
        append(object, HostMatrix(), joined);
    }
    if (joined.polygons.empty()) {
        return nullptr;
    }
    auto result = std::make_unique<HObject>(HostType::kPolygonObject);
    result->setName(object.name());
    result->setLocalMatrix(object.localMatrix());
    result->setDisplayColour(object.displayColour());
    result->setPoints(std::move(joined.points));
    HostTag* pred = nullptr;
    bool ownUvw = false;
    for (const auto& t : object.tags()) {
        std::unique_ptr<HTag> copy = static_cast<const HTag&>(*t).copyTag();
        if (std::vector<HostUvw>* data = copy->uvwData()) {
            // The state's own coordinates replace the object's when the sizes no longer match.
            if (data->size() != joined.polygons.size()) {
                *data = joined.uvw;
            }
            ownUvw = true;
        }
        pred = result->insertTag(std::move(copy), pred);
    }
    if (!ownUvw && joined.anyUvw) {
        auto uvwTag = std::make_unique<HTag>(HostType::kUvwTag);
        *uvwTag->uvwData() = std::move(joined.uvw);
        result->insertTag(std::move(uvwTag), pred);
    }
    result->setPolygons(std::move(joined.polygons));
    return result;
}

void drawDocument(HDocument& doc, HView& view) {
    forEachObject(doc.firstObject(), [&](HostObject* o) {
        if (auto* data = static_cast<ObjectData*>(o->pluginData())) {
            data->draw(o, HostDrawPass::Object, &view);
        }
    });
}

} // namespace headless
