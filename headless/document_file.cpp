#include "headless/document_file.h"

#include "headless/document.h"
#include "headless/host.h"
#include "util/xml_parse.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <initializer_list>
#include <system_error>

namespace headless {

namespace {

constexpr const char* kRoot = "tolvane-document";

// --- Numbers and texts.

template <class T> std::string numberTextOf(T value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

template <class T> bool parseNumber(const char* begin, const char* end, T& value) {
    const auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end;
}

template <class T> bool parseNumber(const std::string& text, T& value) {
    return !text.empty() && parseNumber(text.data(), text.data() + text.size(), value);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Calls `each` with every blank-separated word of `text`; false as soon as `each` is.
template <class Each> bool forEachWord(const std::string& text, Each&& each) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        while (p < end && isBlank(*p)) {
            ++p;
        }
        const char* word = p;
        while (p < end && !isBlank(*p)) {
            ++p;
        }
        if (word < p && !each(word, p)) {
            return false;
        }
    }
    return true;
}

std::string hexText(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

bool parseHex(const std::string& text, std::string& bytes) {
    if (text.size() % 2 != 0) {
        return false;
    }
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    };
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int hi = digit(text[i]);
        const int lo = digit(text[i + 1]);
        if (hi < 0 || lo < 0) {
            return false;
        }
        bytes += char(hi * 16 + lo);
    }
    return true;
}

std::string attribute(const TiXmlElement& e, const char* name) {
    const char* v = e.Attribute(name);
    return v ? v : "";
}

bool hasAttribute(const TiXmlElement& e, const char* name) {
    return e.Attribute(name) != nullptr;
}

// --- Container values: one element per value, named by its type.

struct ValueKind {
    HostValueType type;
    const char* element;
};

constexpr ValueKind kValueKinds[] = {
    {HostValueType::None, "none"},         {HostValueType::Bool, "bool"},
    {HostValueType::Int, "int"},           {HostValueType::Real, "real"},
    {HostValueType::Vector, "vector"},     {HostValueType::String, "string"},
    {HostValueType::Filename, "filename"}, {HostValueType::Link, "link"},
    {HostValueType::Custom, "custom"},
};

const char* valueElement(HostValueType type) {
    for (const ValueKind& k : kValueKinds) {
        if (k.type == type) {
            return k.element;
        }
    }
    return "none";
}

bool valueType(const std::string& element, HostValueType& type) {
    for (const ValueKind& k : kValueKinds) {
        if (element == k.element) {
            type = k.type;
            return true;
        }
    }
    return false;
}

void writeValue(int32_t id, const HostValue& value, TiXmlElement& parent) {
    auto* e = new TiXmlElement(valueElement(value.type()));
    e->SetAttribute("id", id);
    setValueAttributes(*e, value);
    parent.LinkEndChild(e);
}

// --- Nodes.

const char* visibilityName(HostVisibility v) {
    switch (v) {
    case HostVisibility::On:
        return "on";
    case HostVisibility::Off:
        return "off";
    case HostVisibility::Default:
        return "default";
    }
    return "default";
}

bool visibilityFromName(const std::string& name, HostVisibility& v) {
    for (HostVisibility candidate :
         {HostVisibility::On, HostVisibility::Off, HostVisibility::Default}) {
        if (name == visibilityName(candidate)) {
            v = candidate;
            return true;
        }
    }
    return false;
}

template <class Node> uint32_t nodeBits(const Node& node) {
    return node.bits();
}

template <class Node> void setNodeBits(Node& node, uint32_t bits) {
    for (int i = 0; i < 32; ++i) {
        node.setBit(uint32_t(1) << i, (bits >> i) & 1u);
    }
}

uint32_t hostNodeBits(const HostNode& node) {
    uint32_t bits = 0;
    for (int i = 0; i < 32; ++i) {
        if (node.hasBit(uint32_t(1) << i)) {
            bits |= uint32_t(1) << i;
        }
    }
    return bits;
}

// The node's ID, name and bits from its element; the node takes its file ID unless a live node
// has it.
bool readNodeAttributes(const TiXmlElement& e, HostNode& node,
                        const std::function<void(uint64_t)>& restoreUid,
                        DocumentLoadContext& context, std::string& error) {
    uint64_t uid = 0;
    if (!parseUid(attribute(e, "uid"), uid)) {
        error = "a <" + e.ValueStr() + "> without a numeric uid";
        return false;
    }
    if (context.knows(uid)) {
        error = "the uid " + numberText(uid) + " is used twice";
        return false;
    }
    restoreUid(uid);
    context.add(uid, &node);
    std::string name;
    if (textAttribute(e, "name", name)) {
        node.setName(name);
    }
    if (hasAttribute(e, "bits")) {
        uint32_t bits = 0;
        if (!parseNumber(attribute(e, "bits"), bits)) {
            error = "bits of node " + numberText(uid) + " is not a number";
            return false;
        }
        setNodeBits(node, bits);
    }
    return true;
}

// What every node element has: type, unique ID, name, bits, the container, the families.
template <class Node> TiXmlElement* nodeElement(const char* name, Node& node) {
    auto* e = new TiXmlElement(name);
    e->SetAttribute("type", node.type());
    e->SetAttribute("uid", numberText(node.uid()));
    setTextAttribute(*e, "name", node.name());
    if (nodeBits(node) != 0) {
        e->SetAttribute("bits", numberTextOf(nodeBits(node)));
    }
    return e;
}

template <class Node> void saveNodeData(Node& node, TiXmlElement& e) {
    if (!node.data().empty()) {
        auto* data = new TiXmlElement("data");
        writeContainer(node.data(), *data);
        e.LinkEndChild(data);
    }
    for (const NodeFamily& family : documentNodeFamilies()) {
        if (family.applies(node)) {
            auto* f = new TiXmlElement(family.element);
            family.save(node, *f);
            e.LinkEndChild(f);
        }
    }
}

void saveTag(HTag& tag, TiXmlElement& parent) {
    TiXmlElement* e = nodeElement("tag", tag);
    saveNodeData(tag, *e);
    parent.LinkEndChild(e);
}

void saveObject(HObject& object, TiXmlElement& parent) {
    TiXmlElement* e = nodeElement("object", object);
    if (HObject* up = object.parentObject()) {
        e->SetAttribute("parent", numberText(up->uid()));
    }
    e->SetAttribute("render", visibilityName(object.renderVisibility()));
    e->SetAttribute("editor", visibilityName(object.editorVisibility()));
    e->SetAttribute("enabled", object.enabled() ? "true" : "false");
    if (object.selected()) {
        e->SetAttribute("selected", "true");
    }
    auto* matrix = new TiXmlElement("matrix");
    setMatrixAttributes(*matrix, object.localMatrix());
    e->LinkEndChild(matrix);
    saveNodeData(object, *e);
    for (const auto& tag : object.tags()) {
        saveTag(*static_cast<HTag*>(tag.get()), *e);
    }
    parent.LinkEndChild(e);
}

// The loader of one file.
class Loader {
public:
    Loader(HeadlessHost& host, std::string& error) : host_(host), error_(error), context_(host) {}

    std::unique_ptr<HDocument> load(const std::string& text) {
        TiXmlDocument xml;
        if (!parseXmlDocument(text, xml)) {
            return fail("not a well-formed XML text");
        }
        const TiXmlElement* root = xml.FirstChildElement(kRoot);
        if (root == nullptr || root->NextSiblingElement() != nullptr) {
            return fail(std::string("the file holds one <") + kRoot + "> element");
        }
        int version = 0;
        if (!parseNumber(attribute(*root, "version"), version) || version != kDocumentFileVersion) {
            return fail("version " + attribute(*root, "version") +
                        " is not the document file version " +
                        std::to_string(kDocumentFileVersion));
        }
        auto doc = std::make_unique<HDocument>();
        if (!documentAttributes(*root, *doc) || !materials(*root, *doc) || !objects(*root, *doc)) {
            return nullptr;
        }
        int lists = 0;
        for (const TiXmlElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement()) {
            if (e->ValueStr() == "materials" || e->ValueStr() == "objects") {
                if (++lists > 2 || root->FirstChildElement(e->ValueStr()) != e) {
                    return fail("<" + e->ValueStr() + "> is given twice");
                }
                continue;
            }
            const DocumentSection* section = findSection(e->ValueStr());
            if (section == nullptr) {
                return fail("unknown document element <" + e->ValueStr() + ">");
            }
            std::string why;
            if (!section->load(*doc, *e, context_, why)) {
                return fail("<" + e->ValueStr() + ">: " + why);
            }
        }
        std::string why;
        if (!context_.finish(why)) {
            return fail(why);
        }
        return doc;
    }

private:
    std::nullptr_t fail(const std::string& why) {
        error_ = why;
        return nullptr;
    }

    static const DocumentSection* findSection(const std::string& name) {
        for (const DocumentSection& s : documentSections()) {
            if (name == s.element) {
                return &s;
            }
        }
        return nullptr;
    }

    static const NodeFamily* findFamily(const std::string& name) {
        for (const NodeFamily& f : documentNodeFamilies()) {
            if (name == f.element) {
                return &f;
            }
        }
        return nullptr;
    }

    bool documentAttributes(const TiXmlElement& root, HDocument& doc) {
        std::string name;
        if (textAttribute(root, "name", name)) {
            doc.setName(name);
        }
        if (hasAttribute(root, "fps")) {
            int32_t fps = 0;
            if (!parseNumber(attribute(root, "fps"), fps) || !doc.setFps(fps)) {
                return failed("fps is a whole number of at least 1");
            }
        }
        if (hasAttribute(root, "time")) {
            double seconds = 0;
            if (!parseNumber(attribute(root, "time"), seconds)) {
                return failed("time is a number of seconds");
            }
            doc.setTime(HostTime{seconds});
        } else if (hasAttribute(root, "frame")) {
            int32_t frame = 0;
            if (!parseNumber(attribute(root, "frame"), frame)) {
                return failed("frame is a whole number");
            }
            doc.setTime(HostTime::fromFrame(frame, doc.fps()));
        }
        return true;
    }

    // Type, ID, name and bits of a new node; the node takes its file ID unless a live node has
    // it.
    template <class Node> bool nodeAttributes(const TiXmlElement& e, Node& node) {
        return readNodeAttributes(
            e, node, [&node](uint64_t uid) { node.restoreUid(uid); }, context_, error_);
    }

    bool failed(const std::string& why) {
        error_ = why;
        return false;
    }

    // The container (replacing the plug-in's first values) and the families.
    // `own` names the child elements the caller reads itself.
    bool nodeData(const TiXmlElement& e, HostNode& node, std::initializer_list<const char*> own) {
        context_.remapLinksLater(node);
        // The file's parameters replace a plug-in's first values, also when it has none.
        node.data().clear();
        for (const TiXmlElement* c = e.FirstChildElement(); c; c = c->NextSiblingElement()) {
            const std::string name = c->ValueStr();
            if (name == "data") {
                HostContainer container;
                std::string why;
                if (!readContainer(*c, container, why)) {
                    return failed("node " + numberText(node.uid()) + ": " + why);
                }
                node.data() = container;
                continue;
            }
            if (std::any_of(own.begin(), own.end(), [&](const char* o) { return name == o; })) {
                continue;
            }
            const NodeFamily* family = findFamily(name);
            if (family == nullptr) {
                return failed("node " + numberText(node.uid()) + ": unknown element <" + name +
                              ">");
            }
            std::string why;
            if (!family->load(node, *c, context_, why)) {
                return failed("node " + numberText(node.uid()) + ", <" + name + ">: " + why);
            }
        }
        return true;
    }

    int32_t typeOf(const TiXmlElement& e) {
        int32_t type = 0;
        if (!parseNumber(attribute(e, "type"), type)) {
            return 0;
        }
        return type;
    }

    bool materials(const TiXmlElement& root, HDocument& doc) {
        const TiXmlElement* list = root.FirstChildElement("materials");
        HostMaterial* previous = nullptr;
        for (const TiXmlElement* e = list ? list->FirstChildElement() : nullptr; e;
             e = e->NextSiblingElement()) {
            if (e->ValueStr() != "material") {
                return failed("<materials> holds only <material> elements");
            }
            const int32_t type = typeOf(*e);
            std::unique_ptr<HostMaterial> created = host_.createMaterial(type);
            auto* material = dynamic_cast<HMaterial*>(created.get());
            if (material == nullptr) {
                return failed("the host cannot create a material of type " + attribute(*e, "type"));
            }
            if (!nodeAttributes(*e, *material)) {
                return false;
            }
            previous = doc.insertMaterial(std::move(created), previous);
            if (!nodeData(*e, *material, {})) {
                return false;
            }
        }
        return true;
    }

    bool objects(const TiXmlElement& root, HDocument& doc) {
        const TiXmlElement* list = root.FirstChildElement("objects");
        std::map<HostObject*, HostObject*> lastChild;
        HostObject* lastTop = nullptr;
        for (const TiXmlElement* e = list ? list->FirstChildElement() : nullptr; e;
             e = e->NextSiblingElement()) {
            if (e->ValueStr() != "object") {
                return failed("<objects> holds only <object> elements");
            }
            std::unique_ptr<HostObject> created = host_.createObject(typeOf(*e));
            auto* object = dynamic_cast<HObject*>(created.get());
            if (object == nullptr) {
                return failed("the host cannot create an object of type " + attribute(*e, "type") +
                              " (is the plug-in started?)");
            }
            if (!nodeAttributes(*e, *object) || !objectAttributes(*e, *object)) {
                return false;
            }
            HostObject* parent = nullptr;
            if (hasAttribute(*e, "parent")) {
                uint64_t parentUid = 0;
                HostNode* node = parseUid(attribute(*e, "parent"), parentUid)
                                     ? context_.node(parentUid)
                                     : nullptr;
                parent = node ? node->toObject() : nullptr;
                if (parent == nullptr) {
                    return failed("object " + numberText(object->uid()) +
                                  ": its parent comes before it in the file");
                }
            }
            HostObject*& pred = parent ? lastChild[parent] : lastTop;
            pred = doc.insertObject(std::move(created), parent, pred);
            if (!nodeData(*e, *object, {"matrix", "tag"}) || !tags(*e, *object)) {
                return false;
            }
        }
        return true;
    }

    bool objectAttributes(const TiXmlElement& e, HObject& object) {
        const std::string id = numberText(object.uid());
        HostVisibility v;
        if (hasAttribute(e, "render")) {
            if (!visibilityFromName(attribute(e, "render"), v)) {
                return failed("object " + id + ": render is on, off or default");
            }
            object.setRenderVisibility(v);
        }
        if (hasAttribute(e, "editor")) {
            if (!visibilityFromName(attribute(e, "editor"), v)) {
                return failed("object " + id + ": editor is on, off or default");
            }
            object.setEditorVisibility(v);
        }
        if (hasAttribute(e, "enabled")) {
            const std::string enabled = attribute(e, "enabled");
            if (enabled != "true" && enabled != "false") {
                return failed("object " + id + ": enabled is true or false");
            }
            object.setEnabled(enabled == "true");
        }
        if (hasAttribute(e, "selected")) {
            const std::string selected = attribute(e, "selected");
            if (selected != "true" && selected != "false") {
                return failed("object " + id + ": selected is true or false");
            }
            object.setSelected(selected == "true");
        }
        if (const TiXmlElement* m = e.FirstChildElement("matrix")) {
            HostMatrix matrix;
            if (!matrixFromAttributes(*m, matrix)) {
                return failed("object " + id + ": a matrix has off, v1, v2 and v3 vectors");
            }
            object.setLocalMatrix(matrix);
        }
        return true;
    }

    bool tags(const TiXmlElement& e, HObject& object) {
        HostTag* previous = nullptr;
        for (const TiXmlElement* t = e.FirstChildElement("tag"); t;
             t = t->NextSiblingElement("tag")) {
            std::unique_ptr<HostTag> created = host_.createTag(typeOf(*t));
            auto* tag = dynamic_cast<HTag*>(created.get());
            if (tag == nullptr) {
                return failed("the host cannot create a tag of type " + attribute(*t, "type") +
                              " (is the plug-in started?)");
            }
            if (!nodeAttributes(*t, *tag)) {
                return false;
            }
            previous = object.insertTag(std::move(created), previous);
            if (!nodeData(*t, *tag, {})) {
                return false;
            }
        }
        return true;
    }

    HeadlessHost& host_;
    std::string& error_;
    DocumentLoadContext context_;
};

} // namespace

// --- DocumentLoadContext.

uint64_t DocumentLoadContext::remap(uint64_t fileUid) const {
    const HostNode* n = node(fileUid);
    return n ? n->uid() : 0;
}

HostNode* DocumentLoadContext::node(uint64_t fileUid) const {
    const auto it = nodes_.find(fileUid);
    return it == nodes_.end() ? nullptr : it->second;
}

bool DocumentLoadContext::runLater(std::string& error) {
    for (auto& step : later_) {
        if (!step(error)) {
            return false;
        }
    }
    return true;
}

void DocumentLoadContext::remapLinks(HostContainer& container) const {
    for (const auto& [id, value] : std::map<int32_t, HostValue>(container.values())) {
        if (const HostLink* link = value.get<HostLink>()) {
            container.set(id, HostValue(HostLink{remap(link->node)}));
        }
    }
}

bool DocumentLoadContext::finish(std::string& error) {
    // Links name the nodes by their IDs in the file until every node exists.
    for (HostNode* node : remapped_) {
        remapLinks(node->data());
    }
    return runLater(error);
}

bool DocumentLoadContext::readNodeWith(const TiXmlElement& e, HostNode& node,
                                       const std::function<void(uint64_t)>& restoreUid,
                                       std::string& error) {
    if (!readNodeAttributes(e, node, restoreUid, *this, error)) {
        return false;
    }
    remapLinksLater(node);
    // The file's parameters replace a plug-in's first values, also when it has none.
    node.data().clear();
    if (const TiXmlElement* data = e.FirstChildElement("data")) {
        if (data->NextSiblingElement("data") != nullptr) {
            error = "node " + numberText(node.uid()) + ": <data> is given twice";
            return false;
        }
        std::string why;
        if (!readContainer(*data, node.data(), why)) {
            error = "node " + numberText(node.uid()) + ": " + why;
            return false;
        }
    }
    return true;
}

// --- Helpers.

const char* valueTypeName(HostValueType type) {
    return valueElement(type);
}

bool valueTypeFromName(const std::string& name, HostValueType& type) {
    return valueType(name, type);
}

void setValueAttributes(TiXmlElement& e, const HostValue& value) {
    switch (value.type()) {
    case HostValueType::None:
        break;
    case HostValueType::Bool:
        e.SetAttribute("value", *value.get<bool>() ? "true" : "false");
        break;
    case HostValueType::Int:
        e.SetAttribute("value", *value.get<int32_t>());
        break;
    case HostValueType::Real:
        e.SetAttribute("value", realText(*value.get<Real>()));
        break;
    case HostValueType::Vector:
        e.SetAttribute("value", vectorText(*value.get<Vector>()));
        break;
    case HostValueType::String:
        setTextAttribute(e, "value", *value.get<std::string>());
        break;
    case HostValueType::Filename:
        setTextAttribute(e, "value", value.get<HostFilename>()->text());
        break;
    case HostValueType::Link:
        e.SetAttribute("uid", numberText(value.get<HostLink>()->node));
        break;
    case HostValueType::Custom:
        e.SetAttribute("type", value.get<HostCustomData>()->type);
        e.SetAttribute("hex", hexText(value.get<HostCustomData>()->data));
        break;
    }
}

bool valueFromAttributes(const TiXmlElement& e, HostValueType type, HostValue& value) {
    const std::string text = attribute(e, "value");
    switch (type) {
    case HostValueType::None:
        value = HostValue();
        return true;
    case HostValueType::Bool:
        if (text != "true" && text != "false") {
            return false;
        }
        value = HostValue(text == "true");
        return true;
    case HostValueType::Int: {
        int32_t i = 0;
        if (!parseNumber(text, i)) {
            return false;
        }
        value = HostValue(i);
        return true;
    }
    case HostValueType::Real: {
        Real r = 0;
        if (!parseReal(text, r)) {
            return false;
        }
        value = HostValue(r);
        return true;
    }
    case HostValueType::Vector: {
        Vector v;
        if (!parseVector(text, v)) {
            return false;
        }
        value = HostValue(v);
        return true;
    }
    case HostValueType::String:
    case HostValueType::Filename: {
        std::string s;
        if (!textAttribute(e, "value", s)) {
            return false;
        }
        value = type == HostValueType::String ? HostValue(s) : HostValue(HostFilename(s));
        return true;
    }
    case HostValueType::Link: {
        uint64_t uid = 0;
        if (!parseUid(attribute(e, "uid"), uid)) {
            return false;
        }
        value = HostValue(HostLink{uid});
        return true;
    }
    case HostValueType::Custom: {
        HostCustomData custom;
        std::string bytes;
        if (!parseNumber(attribute(e, "type"), custom.type) ||
            !parseHex(attribute(e, "hex"), bytes)) {
            return false;
        }
        custom.data = bytes;
        value = HostValue(custom);
        return true;
    }
    }
    return false;
}

std::string numberText(uint64_t value) {
    return numberTextOf(value);
}

std::string numberText(double value) {
    return numberTextOf(value);
}

bool parseDouble(const std::string& text, double& value) {
    return parseNumber(text, value);
}

bool parseInt32(const std::string& text, int32_t& value) {
    return parseNumber(text, value);
}

std::string realText(Real value) {
    return numberTextOf(value);
}

std::string vectorText(const Vector& value) {
    return realText(value.x) + " " + realText(value.y) + " " + realText(value.z);
}

bool parseReal(const std::string& text, Real& value) {
    return parseNumber(text, value);
}

bool parseVector(const std::string& text, Vector& value) {
    std::vector<Real> reals;
    if (!parseReals(text, reals) || reals.size() != 3) {
        return false;
    }
    value = Vector(reals[0], reals[1], reals[2]);
    return true;
}

bool parseReals(const std::string& text, std::vector<Real>& values) {
    values.clear();
    return forEachWord(text, [&](const char* begin, const char* end) {
        Real r = 0;
        if (!parseNumber(begin, end, r)) {
            return false;
        }
        values.push_back(r);
        return true;
    });
}

bool parseInts(const std::string& text, std::vector<int64_t>& values) {
    values.clear();
    return forEachWord(text, [&](const char* begin, const char* end) {
        int64_t i = 0;
        if (!parseNumber(begin, end, i)) {
            return false;
        }
        values.push_back(i);
        return true;
    });
}

bool parseUid(const std::string& text, uint64_t& uid) {
    return parseNumber(text, uid) && uid != 0;
}

void setTextAttribute(TiXmlElement& element, const char* name, const std::string& text) {
    if (text.find('\0') == std::string::npos) {
        element.SetAttribute(name, text);
    } else {
        element.SetAttribute(std::string(name) + "-hex", hexText(text));
    }
}

bool textAttribute(const TiXmlElement& element, const char* name, std::string& text) {
    if (const char* plain = element.Attribute(name)) {
        text = plain;
        return true;
    }
    const char* hex = element.Attribute((std::string(name) + "-hex").c_str());
    return hex != nullptr && parseHex(hex, text);
}

void writeContainer(const HostContainer& container, TiXmlElement& element) {
    for (const auto& [id, value] : container.values()) {
        writeValue(id, value, element);
    }
}

bool readContainer(const TiXmlElement& element, HostContainer& container, std::string& error) {
    for (const TiXmlElement* e = element.FirstChildElement(); e; e = e->NextSiblingElement()) {
        HostValueType type;
        int32_t id = 0;
        if (!valueType(e->ValueStr(), type)) {
            error = "unknown value element <" + e->ValueStr() + ">";
            return false;
        }
        if (!parseNumber(attribute(*e, "id"), id)) {
            error = "a <" + e->ValueStr() + "> without a numeric id";
            return false;
        }
        if (container.has(id)) {
            error = "the parameter " + std::to_string(id) + " is given twice";
            return false;
        }
        HostValue value;
        if (!valueFromAttributes(*e, type, value)) {
            error = "parameter " + std::to_string(id) + " does not hold a " + e->ValueStr();
            return false;
        }
        container.set(id, value);
    }
    return true;
}

TiXmlElement* writeNode(const char* name, HostNode& node) {
    auto* e = new TiXmlElement(name);
    e->SetAttribute("type", node.type());
    e->SetAttribute("uid", numberText(node.uid()));
    setTextAttribute(*e, "name", node.name());
    if (const uint32_t bits = hostNodeBits(node); bits != 0) {
        e->SetAttribute("bits", numberTextOf(bits));
    }
    if (!node.data().empty()) {
        auto* data = new TiXmlElement("data");
        writeContainer(node.data(), *data);
        e->LinkEndChild(data);
    }
    return e;
}

void setMatrixAttributes(TiXmlElement& element, const HostMatrix& m) {
    element.SetAttribute("off", vectorText(m.off));
    element.SetAttribute("v1", vectorText(m.v1));
    element.SetAttribute("v2", vectorText(m.v2));
    element.SetAttribute("v3", vectorText(m.v3));
}

bool matrixFromAttributes(const TiXmlElement& element, HostMatrix& m) {
    return parseVector(attribute(element, "off"), m.off) &&
           parseVector(attribute(element, "v1"), m.v1) &&
           parseVector(attribute(element, "v2"), m.v2) &&
           parseVector(attribute(element, "v3"), m.v3);
}

std::string saveDocumentFile(HDocument& doc) {
    TiXmlDocument xml;
    auto* root = new TiXmlElement(kRoot);
    root->SetAttribute("version", kDocumentFileVersion);
    setTextAttribute(*root, "name", doc.name());
    root->SetAttribute("fps", doc.fps());
    const HostTime time = doc.time();
    const int32_t frame = time.frame(doc.fps());
    if (HostTime::fromFrame(frame, doc.fps()) == time) {
        root->SetAttribute("frame", frame);
    } else {
        root->SetAttribute("time", numberText(time.seconds));
    }
    xml.LinkEndChild(root);
    auto* materials = new TiXmlElement("materials");
    for (HostMaterial* m = doc.firstMaterial(); m != nullptr; m = m->next()) {
        auto* material = static_cast<HMaterial*>(m);
        TiXmlElement* e = nodeElement("material", *material);
        saveNodeData(*material, *e);
        materials->LinkEndChild(e);
    }
    root->LinkEndChild(materials);
    auto* objects = new TiXmlElement("objects");
    forEachObject(doc.firstObject(),
                  [&](HostObject* o) { saveObject(*static_cast<HObject*>(o), *objects); });
    root->LinkEndChild(objects);
    for (const DocumentSection& section : documentSections()) {
        if (section.applies(doc)) {
            auto* e = new TiXmlElement(section.element);
            section.save(doc, *e);
            root->LinkEndChild(e);
        }
    }
    TiXmlPrinter printer;
    printer.SetIndent("  ");
    xml.Accept(&printer);
    return printer.Str();
}

std::unique_ptr<HDocument> loadDocumentFile(HeadlessHost& host, const std::string& text,
                                            std::string& error) {
    Loader loader(host, error);
    return loader.load(text);
}

} // namespace headless
