// The node families and document sections of the document file: data beyond a node's container
// and the document's own attributes. To add a family, append an entry to the list: the child
// element's name, which nodes carry it, how it is written and how it is read back (links
// between nodes are remapped through the load context, in a `later` step when they may point
// at nodes the file holds further on). docs/headless-host.md lists the elements.
#include "headless/document.h"
#include "headless/document_file.h"
#include "headless/host.h"
#include "plugin/host/host_ids.h"

#include <limits>

namespace headless {

namespace {

HObject* asObject(HostNode& node) {
    return dynamic_cast<HObject*>(&node);
}

HTag* asTag(HostNode& node) {
    return dynamic_cast<HTag*>(&node);
}

const char* textOf(const TiXmlElement& e) {
    return e.GetText() ? e.GetText() : "";
}

// The element's `count` attribute; false when it is missing or no number of at least 0.
bool countOf(const TiXmlElement& e, std::size_t& count) {
    int32_t n = 0;
    if (!parseInt32(e.Attribute("count") ? e.Attribute("count") : "", n) || n < 0) {
        return false;
    }
    count = std::size_t(n);
    return true;
}

// --- points and polygons of an object, in object coordinates.

NodeFamily pointsFamily() {
    NodeFamily f;
    f.element = "points";
    f.applies = [](HostNode& node) {
        HObject* o = asObject(node);
        return o != nullptr && !o->points().empty();
    };
    f.save = [](HostNode& node, TiXmlElement& e) {
        const std::vector<Vector>& points = asObject(node)->points();
        std::string text;
        for (const Vector& p : points) {
            text += (text.empty() ? "" : " ") + vectorText(p);
        }
        e.SetAttribute("count", int(points.size()));
        e.LinkEndChild(new TiXmlText(text));
    };
    f.load = [](HostNode& node, const TiXmlElement& e, DocumentLoadContext&, std::string& error) {
        HObject* o = asObject(node);
        std::vector<Real> reals;
        if (o == nullptr || !parseReals(e.GetText() ? e.GetText() : "", reals) ||
            reals.size() % 3 != 0) {
            error = "points are three numbers each";
            return false;
        }
        int32_t count = 0;
        if (!parseInt32(e.Attribute("count") ? e.Attribute("count") : "", count) ||
            std::size_t(count) * 3 != reals.size()) {
            error = "the count does not match the points";
            return false;
        }
        std::vector<Vector> points;
        points.reserve(reals.size() / 3);
        for (std::size_t i = 0; i < reals.size(); i += 3) {
            points.emplace_back(reals[i], reals[i + 1], reals[i + 2]);
        }
        o->setPoints(std::move(points));
        return true;
    };
    return f;
}

NodeFamily polygonsFamily() {
    NodeFamily f;
    f.element = "polygons";
    f.applies = [](HostNode& node) {
        HObject* o = asObject(node);
        return o != nullptr && !o->polygons().empty();
    };
    f.save = [](HostNode& node, TiXmlElement& e) {
        const std::vector<HostPolygon>& polygons = asObject(node)->polygons();
        std::string text;
        for (const HostPolygon& p : polygons) {
            text += (text.empty() ? "" : " ") + std::to_string(p.a) + " " + std::to_string(p.b) +
                    " " + std::to_string(p.c) + " " + std::to_string(p.d);
        }
        e.SetAttribute("count", int(polygons.size()));
        e.LinkEndChild(new TiXmlText(text));
    };
    f.load = [](HostNode& node, const TiXmlElement& e, DocumentLoadContext& context,
                std::string& error) {
        HObject* o = asObject(node);
        std::vector<int64_t> ints;
        if (o == nullptr || !parseInts(e.GetText() ? e.GetText() : "", ints) ||
            ints.size() % 4 != 0) {
            error = "polygons are four point indices each";
            return false;
        }
        int32_t count = 0;
        if (!parseInt32(e.Attribute("count") ? e.Attribute("count") : "", count) ||
            std::size_t(count) * 4 != ints.size()) {
            error = "the count does not match the polygons";
            return false;
        }
        std::vector<HostPolygon> polygons;
        polygons.reserve(ints.size() / 4);
        for (std::size_t i = 0; i < ints.size(); i += 4) {
            polygons.push_back({int32_t(ints[i]), int32_t(ints[i + 1]), int32_t(ints[i + 2]),
                                int32_t(ints[i + 3])});
        }
        // Checked once the points are read too, whatever their order in the file: an index
        // outside the points would make every reader of the mesh read outside it.
        context.later([o, ints, uid = o->uid()](std::string& why) {
            const int64_t points = int64_t(o->points().size());
            for (int64_t index : ints) {
                if (index < 0 || index >= points) {
                    why = "object " + numberText(uid) + ": the polygon index " +
                          std::to_string(index) + " is outside its " + std::to_string(points) +
                          " points";
                    return false;
                }
            }
            return true;
        });
        o->setPolygons(std::move(polygons));
        return true;
    };
    return f;
}

// --- an object's display colour.

NodeFamily displayFamily() {
    NodeFamily f;
    f.element = "display";
    f.applies = [](HostNode& node) {
        HObject* o = asObject(node);
        return o != nullptr && !(o->displayColour() == HostDisplayColour());
    };
    f.save = [](HostNode& node, TiXmlElement& e) {
        const HostDisplayColour colour = asObject(node)->displayColour();
        e.SetAttribute("mode", colour.mode);
        e.SetAttribute("colour", vectorText(colour.colour));
        e.SetAttribute("see-through", colour.seeThrough ? "true" : "false");
    };
    f.load = [](HostNode& node, const TiXmlElement& e, DocumentLoadContext&, std::string& error) {
        HObject* o = asObject(node);
        HostDisplayColour colour;
        const std::string seeThrough = e.Attribute("see-through") ? e.Attribute("see-through") : "";
        if (o == nullptr ||
            !parseInt32(e.Attribute("mode") ? e.Attribute("mode") : "", colour.mode) ||
            !parseVector(e.Attribute("colour") ? e.Attribute("colour") : "", colour.colour) ||
            (seeThrough != "true" && seeThrough != "false")) {
            error = "a display colour has a mode, a colour and see-through true or false";
            return false;
        }
        colour.seeThrough = seeThrough == "true";
        o->setDisplayColour(colour);
        return true;
    };
    return f;
}

// --- the coordinates of a UVW tag: four corners of three numbers per polygon.

NodeFamily uvwFamily() {
    NodeFamily f;
    f.element = "uvw";
    f.applies = [](HostNode& node) {
        HTag* t = asTag(node);
        return t != nullptr && t->uvwData() != nullptr && !t->uvwData()->empty();
    };
    f.save = [](HostNode& node, TiXmlElement& e) {
        const std::vector<HostUvw>& uvw = *asTag(node)->uvwData();
        std::string text;
        for (const HostUvw& p : uvw) {
            for (const Vector* corner : {&p.a, &p.b, &p.c, &p.d}) {
                text += (text.empty() ? "" : " ") + vectorText(*corner);
            }
        }
        e.SetAttribute("count", int(uvw.size()));
        e.LinkEndChild(new TiXmlText(text));
    };
    f.load = [](HostNode& node, const TiXmlElement& e, DocumentLoadContext&, std::string& error) {
        HTag* t = asTag(node);
        std::vector<HostUvw>* uvw = t ? t->uvwData() : nullptr;
        std::vector<Real> reals;
        std::size_t count = 0;
        if (uvw == nullptr) {
            error = "only UVW tags hold coordinates";
            return false;
        }
        if (!parseReals(textOf(e), reals) || !countOf(e, count) || count * 12 != reals.size()) {
            error = "a count of polygons and twelve numbers for each";
            return false;
        }
        uvw->clear();
        uvw->reserve(count);
        for (std::size_t i = 0; i < reals.size(); i += 12) {
            const Real* r = &reals[i];
            uvw->push_back(
                {{r[0], r[1], r[2]}, {r[3], r[4], r[5]}, {r[6], r[7], r[8]}, {r[9], r[10], r[11]}});
        }
        return true;
    };
    return f;
}

// --- the polygons a polygon selection tag selects, ascending.

NodeFamily selectionFamily() {
    NodeFamily f;
    f.element = "selection";
    f.applies = [](HostNode& node) {
        HTag* t = asTag(node);
        return t != nullptr && t->polygonSelection() != nullptr && !t->polygonSelection()->empty();
    };
    f.save = [](HostNode& node, TiXmlElement& e) {
        const HostPolygonSelection& selection = *asTag(node)->polygonSelection();
        std::string text;
        for (int32_t index : selection.indices()) {
            text += (text.empty() ? "" : " ") + std::to_string(index);
        }
        e.SetAttribute("count", selection.count());
        e.LinkEndChild(new TiXmlText(text));
    };
    f.load = [](HostNode& node, const TiXmlElement& e, DocumentLoadContext&, std::string& error) {
        HTag* t = asTag(node);
        HostPolygonSelection* selection = t ? t->polygonSelection() : nullptr;
        std::vector<int64_t> indices;
        std::size_t count = 0;
        if (selection == nullptr) {
            error = "only polygon selection tags select polygons";
            return false;
        }
        if (!parseInts(textOf(e), indices) || !countOf(e, count) || count != indices.size()) {
            error = "a count of polygon indices and the indices";
            return false;
        }
        selection->clear();
        for (int64_t index : indices) {
            if (index < 0 || index > std::numeric_limits<int32_t>::max()) {
                error = "the polygon index " + std::to_string(index) + " is no polygon";
                return false;
            }
            selection->select(int32_t(index));
        }
        return true;
    };
    return f;
}

// --- shaders, of a material or of the document: <shader> node elements in the order they were
// inserted.

void saveShaders(const std::vector<std::unique_ptr<HShader>>& shaders, TiXmlElement& e) {
    for (const auto& shader : shaders) {
        e.LinkEndChild(writeNode("shader", *shader));
    }
}

// Creates every shader of the element and hands it to `insert`.
bool loadShaders(const TiXmlElement& e, DocumentLoadContext& context,
                 const std::function<bool(std::unique_ptr<HostShader>)>& insert,
                 std::string& error) {
    for (const TiXmlElement* c = e.FirstChildElement(); c; c = c->NextSiblingElement()) {
        int32_t type = 0;
        if (c->ValueStr() != "shader" ||
            !parseInt32(c->Attribute("type") ? c->Attribute("type") : "", type)) {
            error = "a <shaders> holds <shader> elements with a type";
            return false;
        }
        std::unique_ptr<HostShader> created = context.host().createShader(type);
        auto* shader = dynamic_cast<HShader*>(created.get());
        if (shader == nullptr) {
            error = "the host cannot create a shader of type " + std::to_string(type) +
                    " (is the plug-in started?)";
            return false;
        }
        if (!context.readNode(*c, *shader, error)) {
            return false;
        }
        if (!insert(std::move(created))) {
            error = "shader " + numberText(shader->uid()) + " cannot be inserted";
            return false;
        }
    }
    return true;
}

NodeFamily materialShadersFamily() {
    NodeFamily f;
    f.element = "shaders";
    f.applies = [](HostNode& node) {
        auto* m = dynamic_cast<HMaterial*>(&node);
        return m != nullptr && !m->shaders().empty();
    };
    f.save = [](HostNode& node, TiXmlElement& e) {
        saveShaders(dynamic_cast<HMaterial&>(node).shaders(), e);
    };
    f.load = [](HostNode& node, const TiXmlElement& e, DocumentLoadContext& context,
                std::string& error) {
        auto* m = dynamic_cast<HMaterial*>(&node);
        if (m == nullptr) {
            error = "only materials own shaders";
            return false;
        }
        return loadShaders(
            e, context,
            [m](std::unique_ptr<HostShader> s) { return m->insertShader(std::move(s)) != nullptr; },
            error);
    };
    return f;
}

DocumentSection documentShadersSection() {
    DocumentSection s;
    s.element = "shaders";
    s.applies = [](HDocument& doc) { return !doc.shaders().empty(); };
    s.save = [](HDocument& doc, TiXmlElement& e) { saveShaders(doc.shaders(), e); };
    s.load = [](HDocument& doc, const TiXmlElement& e, DocumentLoadContext& context,
                std::string& error) {
        return loadShaders(
            e, context,
            [&doc](std::unique_ptr<HostShader> sh) {
                return doc.insertShader(std::move(sh)) != nullptr;
            },
            error);
    };
    return s;
}

// --- the render data: its own node element (image size and the host's render parameters) with
// its render effects in order, each with its type, bits (4: switched off) and parameters. A
// document without render data says so, so that loading does not give it the new one's.

DocumentSection renderDataSection() {
    DocumentSection s;
    s.element = "render-data";
    s.applies = [](HDocument&) { return true; };
    s.save = [](HDocument& doc, TiXmlElement& e) {
        HRenderData* renderData = doc.renderData();
        if (renderData == nullptr) {
            e.SetAttribute("none", "true");
            return;
        }
        std::unique_ptr<TiXmlElement> node(writeNode("render-data", *renderData));
        for (const TiXmlAttribute* a = node->FirstAttribute(); a; a = a->Next()) {
            e.SetAttribute(a->Name(), a->Value());
        }
        for (const TiXmlElement* c = node->FirstChildElement(); c; c = c->NextSiblingElement()) {
            e.InsertEndChild(*c);
        }
        for (const auto& effect : renderData->effects()) {
            e.LinkEndChild(writeNode("effect", *effect));
        }
    };
    s.load = [](HDocument& doc, const TiXmlElement& e, DocumentLoadContext& context,
                std::string& error) {
        if (e.Attribute("none") != nullptr) {
            if (std::string(e.Attribute("none")) != "true" || e.FirstChildElement() != nullptr) {
                error = "none is true and leaves the document without render data";
                return false;
            }
            doc.setRenderData(nullptr);
            return true;
        }
        int32_t type = 0;
        if (!parseInt32(e.Attribute("type") ? e.Attribute("type") : "", type) ||
            type != HostType::kRenderData) {
            error = "the render data is of type " + std::to_string(HostType::kRenderData);
            return false;
        }
        if (doc.renderData() == nullptr) {
            doc.setRenderData(std::make_unique<HRenderData>());
        }
        HRenderData& renderData = *doc.renderData();
        if (!context.readNode(e, renderData, error)) {
            return false;
        }
        HostVideoPost* previous = nullptr;
        for (const TiXmlElement* c = e.FirstChildElement(); c; c = c->NextSiblingElement()) {
            if (c->ValueStr() == "data") {
                continue;
            }
            int32_t effectType = 0;
            if (c->ValueStr() != "effect" ||
                !parseInt32(c->Attribute("type") ? c->Attribute("type") : "", effectType)) {
                error = "the render data holds <data> and <effect> elements with a type";
                return false;
            }
            std::unique_ptr<HostVideoPost> created = context.host().createVideoPost(effectType);
            auto* effect = dynamic_cast<HVideoPost*>(created.get());
            if (effect == nullptr) {
                error = "the host cannot create a render effect of type " +
                        std::to_string(effectType) + " (is the plug-in started?)";
                return false;
            }
            if (!context.readNode(*c, *effect, error)) {
                return false;
            }
            previous = renderData.insertVideoPost(std::move(created), previous);
        }
        return true;
    };
    return s;
}

// --- the document's settings container.

DocumentSection settingsSection() {
    DocumentSection s;
    s.element = "settings";
    s.applies = [](HDocument& doc) { return !doc.settings().empty(); };
    s.save = [](HDocument& doc, TiXmlElement& e) { writeContainer(doc.settings(), e); };
    s.load = [](HDocument& doc, const TiXmlElement& e, DocumentLoadContext& context,
                std::string& error) {
        HostContainer settings;
        if (!readContainer(e, settings, error)) {
            return false;
        }
        doc.settings() = settings;
        context.later([&doc, &context](std::string&) {
            context.remapLinks(doc.settings());
            return true;
        });
        return true;
    };
    return s;
}

// --- the view: the object it looks through, and its own camera's place and parameters.

bool editorCameraMoved(HDocument& doc) {
    const HostObject* camera = doc.view().editorCamera();
    return camera->localMatrix() != HostMatrix() || !camera->data().empty();
}

DocumentSection viewSection() {
    DocumentSection s;
    s.element = "view";
    s.applies = [](HDocument& doc) {
        return doc.view().sceneCamera() != nullptr || editorCameraMoved(doc);
    };
    s.save = [](HDocument& doc, TiXmlElement& e) {
        if (HostObject* camera = doc.view().sceneCamera()) {
            e.SetAttribute("camera", numberText(camera->uid()));
        }
        if (editorCameraMoved(doc)) {
            HostObject* editor = doc.view().editorCamera();
            auto* element = new TiXmlElement("editor-camera");
            auto* matrix = new TiXmlElement("matrix");
            setMatrixAttributes(*matrix, editor->localMatrix());
            element->LinkEndChild(matrix);
            if (!editor->data().empty()) {
                auto* data = new TiXmlElement("data");
                writeContainer(editor->data(), *data);
                element->LinkEndChild(data);
            }
            e.LinkEndChild(element);
        }
    };
    s.load = [](HDocument& doc, const TiXmlElement& e, DocumentLoadContext& context,
                std::string& error) {
        if (e.Attribute("camera") != nullptr) {
            uint64_t uid = 0;
            HostNode* node = parseUid(e.Attribute("camera"), uid) ? context.node(uid) : nullptr;
            if (node == nullptr || node->toObject() == nullptr) {
                error = "the view's camera is no object of the file";
                return false;
            }
            doc.view().setSceneCamera(node->toObject());
        }
        for (const TiXmlElement* c = e.FirstChildElement(); c; c = c->NextSiblingElement()) {
            if (c->ValueStr() != "editor-camera" || c != e.FirstChildElement()) {
                error = "the view holds one <editor-camera>";
                return false;
            }
            HostObject* editor = doc.view().editorCamera();
            HostMatrix matrix;
            const TiXmlElement* m = c->FirstChildElement("matrix");
            if (m == nullptr || !matrixFromAttributes(*m, matrix)) {
                error = "the editor camera has a matrix with off, v1, v2 and v3 vectors";
                return false;
            }
            editor->setLocalMatrix(matrix);
            HostContainer data;
            if (const TiXmlElement* d = c->FirstChildElement("data");
                d != nullptr && !readContainer(*d, data, error)) {
                return false;
            }
            editor->data() = data;
            context.later([editor, &context](std::string&) {
                context.remapLinks(editor->data());
                return true;
            });
        }
        return true;
    };
    return s;
}

// --- animation tracks with their keys.

void saveKey(const AnimationKey& key, int32_t fps, TiXmlElement& track) {
    auto* e = new TiXmlElement("key");
    const int32_t frame = HostTime{key.time}.frame(fps);
    if (HostTime::fromFrame(frame, fps).seconds == key.time) {
        e->SetAttribute("frame", frame);
    } else {
        e->SetAttribute("time", numberText(key.time));
    }
    e->SetAttribute("type", valueTypeName(key.value.type()));
    setValueAttributes(*e, key.value);
    if (key.interpolation != Interpolation::Linear) {
        e->SetAttribute("interpolation", interpolationName(key.interpolation));
    }
    track.LinkEndChild(e);
}

bool loadKey(const TiXmlElement& e, int32_t fps, const DocumentLoadContext& context,
             AnimationTrack& track, std::string& error) {
    double time = 0;
    int32_t frame = 0;
    if (e.Attribute("time") != nullptr) {
        if (!parseDouble(e.Attribute("time"), time)) {
            error = "a key's time is a number of seconds";
            return false;
        }
    } else if (e.Attribute("frame") != nullptr && parseInt32(e.Attribute("frame"), frame)) {
        time = HostTime::fromFrame(frame, fps).seconds;
    } else {
        error = "a key has a frame or a time";
        return false;
    }
    HostValueType type;
    HostValue value;
    if (!valueTypeFromName(e.Attribute("type") ? e.Attribute("type") : "", type) ||
        !valueFromAttributes(e, type, value)) {
        error = "a key has a type and a value of that type";
        return false;
    }
    if (const HostLink* link = value.get<HostLink>()) {
        value = HostValue(HostLink{context.remap(link->node)});
    }
    Interpolation interpolation = Interpolation::Linear;
    if (e.Attribute("interpolation") != nullptr &&
        !interpolationFromName(e.Attribute("interpolation"), interpolation)) {
        error = "a key's interpolation is linear or step";
        return false;
    }
    track.setKey(time, value, interpolation);
    return true;
}

DocumentSection animationSection() {
    DocumentSection s;
    s.element = "animation";
    s.applies = [](HDocument& doc) {
        for (const AnimationTrack& t : doc.animation().tracks()) {
            if (doc.findNode(t.node) != nullptr) {
                return true;
            }
        }
        return false;
    };
    s.save = [](HDocument& doc, TiXmlElement& e) {
        for (const AnimationTrack& t : doc.animation().tracks()) {
            // Tracks of nodes that are gone are not the document's any more.
            if (doc.findNode(t.node) == nullptr) {
                continue;
            }
            auto* track = new TiXmlElement("track");
            track->SetAttribute("node", numberText(t.node));
            track->SetAttribute("target", trackTargetName(t.target));
            if (t.target == TrackTarget::Parameter) {
                track->SetAttribute("parameter", t.parameter);
            }
            for (const AnimationKey& key : t.keys) {
                saveKey(key, doc.fps(), *track);
            }
            e.LinkEndChild(track);
        }
    };
    s.load = [](HDocument& doc, const TiXmlElement& e, DocumentLoadContext& context,
                std::string& error) {
        for (const TiXmlElement* t = e.FirstChildElement(); t; t = t->NextSiblingElement()) {
            uint64_t uid = 0;
            TrackTarget target;
            int32_t parameter = 0;
            if (t->ValueStr() != "track" ||
                !parseUid(t->Attribute("node") ? t->Attribute("node") : "", uid) ||
                !trackTargetFromName(t->Attribute("target") ? t->Attribute("target") : "",
                                     target)) {
                error = "a <track> has a node and a target (position, rotation, scale or "
                        "parameter)";
                return false;
            }
            if (context.node(uid) == nullptr) {
                error = "a track of the node " + numberText(uid) + ", which the file does not hold";
                return false;
            }
            if (target == TrackTarget::Parameter &&
                !parseInt32(t->Attribute("parameter") ? t->Attribute("parameter") : "",
                            parameter)) {
                error = "a parameter track names its parameter";
                return false;
            }
            AnimationTrack& track = doc.animation().track(context.remap(uid), target, parameter);
            for (const TiXmlElement* k = t->FirstChildElement(); k; k = k->NextSiblingElement()) {
                if (k->ValueStr() != "key" || !loadKey(*k, doc.fps(), context, track, error)) {
                    if (error.empty()) {
                        error = "a <track> holds only <key> elements";
                    }
                    return false;
                }
            }
        }
        return true;
    };
    return s;
}

} // namespace

const std::vector<NodeFamily>& documentNodeFamilies() {
    static const std::vector<NodeFamily> families = {
        pointsFamily(), polygonsFamily(),  displayFamily(),
        uvwFamily(),    selectionFamily(), materialShadersFamily(),
    };
    return families;
}

const std::vector<DocumentSection>& documentSections() {
    static const std::vector<DocumentSection> sections = {
        viewSection(),       animationSection(),       settingsSection(),
        renderDataSection(), documentShadersSection(),
    };
    return sections;
}

} // namespace headless
