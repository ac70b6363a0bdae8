// The node families and document sections of the document file: data beyond a node's container
// and the document's own attributes. To add a family, append an entry to the list: the child
// element's name, which nodes carry it, how it is written and how it is read back (links
// between nodes are remapped through the load context, in a `later` step when they may point
// at nodes the file holds further on). docs/headless-host.md lists the elements.
#include "headless/document.h"
#include "headless/document_file.h"

namespace headless {

namespace {

HObject* asObject(HostNode& node) {
    return dynamic_cast<HObject*>(&node);
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

// --- the view's camera.

DocumentSection viewSection() {
    DocumentSection s;
    s.element = "view";
    s.applies = [](HDocument& doc) { return doc.view().sceneCamera() != nullptr; };
    s.save = [](HDocument& doc, TiXmlElement& e) {
        e.SetAttribute("camera", numberText(doc.view().sceneCamera()->uid()));
    };
    s.load = [](HDocument& doc, const TiXmlElement& e, DocumentLoadContext& context,
                std::string& error) {
        uint64_t uid = 0;
        HostNode* node = parseUid(e.Attribute("camera") ? e.Attribute("camera") : "", uid)
                             ? context.node(uid)
                             : nullptr;
        if (node == nullptr || node->toObject() == nullptr) {
            error = "the view's camera is no object of the file";
            return false;
        }
        doc.view().setSceneCamera(node->toObject());
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
        pointsFamily(),
        polygonsFamily(),
    };
    return families;
}

const std::vector<DocumentSection>& documentSections() {
    static const std::vector<DocumentSection> sections = {
        viewSection(),
        animationSection(),
    };
    return sections;
}

} // namespace headless
