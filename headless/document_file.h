// Document files of the headless host: an XML format of its own (docs/headless-host.md,
// "Document files") that holds every node of a document with its type, unique ID, name, bits and
// every parameter by its numeric ID, the object tree with matrices, visibility, selection, display
// colours, points and polygons, the tags with their UVW coordinates and polygon selections, the
// materials with their shaders, the document's shaders, its render data with the render effects,
// its settings, the view's cameras, the animation tracks and the document's time and frame rate.
// Caches and undo steps are not stored: evaluation rebuilds the caches. Loading, saving and
// loading again loses nothing.
//
// Node data beyond the container slots in by family: a NodeFamily writes and reads one child
// element of the node elements it applies to, a DocumentSection one child element of the
// document (headless/document_file_families.cpp lists them).
#pragma once

#ifndef TIXML_USE_STL
#define TIXML_USE_STL
#endif
#include <tinyxml.h>

#include "plugin/host/container.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class HostNode;

namespace headless {

class HDocument;
class HeadlessHost;

// The version the writer writes; the reader refuses others.
constexpr int kDocumentFileVersion = 1;

// What a loader of family data needs besides its element.
class DocumentLoadContext {
public:
    explicit DocumentLoadContext(HeadlessHost& host) : host_(host) {}
    // The host that creates the nodes the file holds.
    HeadlessHost& host() const { return host_; }
    // The unique ID the node that had `fileUid` in the file has now (IDs taken by live nodes are
    // replaced on loading), or 0 for an ID the file does not hold.
    uint64_t remap(uint64_t fileUid) const;
    // The node that had `fileUid` in the file, or null.
    HostNode* node(uint64_t fileUid) const;
    // Runs `step` once every node of the file exists, in the order the steps were added.
    void later(std::function<bool(std::string& error)> step) { later_.push_back(std::move(step)); }

    // Reads what every node element has into `node`, a node the family created (a shader, a
    // render effect): its file ID (kept unless a live node holds it), `name`, `bits` and <data>,
    // whose links are remapped once every node exists. The element's other children are the
    // caller's. False with a reason.
    template <class Node>
    bool readNode(const TiXmlElement& element, Node& node, std::string& error) {
        return readNodeWith(
            element, node, [&node](uint64_t uid) { node.restoreUid(uid); }, error);
    }

    // Used by the loader.
    void add(uint64_t fileUid, HostNode* node) { nodes_[fileUid] = node; }
    bool knows(uint64_t fileUid) const { return nodes_.count(fileUid) != 0; }
    // Remaps the links of `node`'s container once every node exists.
    void remapLinksLater(HostNode& node) { remapped_.push_back(&node); }
    void remapLinks(HostContainer& container) const;
    bool runLater(std::string& error);
    bool finish(std::string& error);

private:
    bool readNodeWith(const TiXmlElement& element, HostNode& node,
                      const std::function<void(uint64_t)>& restoreUid, std::string& error);

    HeadlessHost& host_;
    std::map<uint64_t, HostNode*> nodes_;
    std::vector<HostNode*> remapped_;
    std::vector<std::function<bool(std::string&)>> later_;
};

// Data of some nodes kept in one child element of their node element (<object>, <tag>,
// <material>).
struct NodeFamily {
    // The child element's name; unique among the families.
    const char* element;
    // Whether `node` has data of this family to save.
    std::function<bool(HostNode& node)> applies;
    std::function<void(HostNode& node, TiXmlElement& element)> save;
    // False with a reason when the element does not fit the node.
    std::function<bool(HostNode& node, const TiXmlElement& element, DocumentLoadContext& context,
                       std::string& error)>
        load;
};

// Document-wide data kept in one child element of the document element.
struct DocumentSection {
    const char* element;
    // Whether the document has data of this section to save.
    std::function<bool(HDocument& doc)> applies;
    std::function<void(HDocument& doc, TiXmlElement& element)> save;
    std::function<bool(HDocument& doc, const TiXmlElement& element, DocumentLoadContext& context,
                       std::string& error)>
        load;
};

// The families and sections of this host (headless/document_file_families.cpp).
const std::vector<NodeFamily>& documentNodeFamilies();
const std::vector<DocumentSection>& documentSections();

// The document as file text.
std::string saveDocumentFile(HDocument& doc);
// A new document from file text, its nodes created through `host` so that plug-in nodes get
// their plug-in instances (their parameters are then the file's). Null with a reason when the
// text is not a document file of this version or names a node type the host cannot create.
std::unique_ptr<HDocument> loadDocumentFile(HeadlessHost& host, const std::string& text,
                                            std::string& error);

// --- Helpers for families: value texts that read back exactly.
// Reals in the shortest form that reads back as the same float; vectors as three of them.
std::string realText(Real value);
std::string vectorText(const Vector& value);
bool parseReal(const std::string& text, Real& value);
bool parseVector(const std::string& text, Vector& value);
// Blank-separated numbers; false on anything else.
bool parseReals(const std::string& text, std::vector<Real>& values);
bool parseInts(const std::string& text, std::vector<int64_t>& values);
bool parseUid(const std::string& text, uint64_t& uid);
bool parseDouble(const std::string& text, double& value);
bool parseInt32(const std::string& text, int32_t& value);
// Integers and doubles in the shortest form that reads back exactly.
std::string numberText(uint64_t value);
std::string numberText(double value);
// Texts of any bytes: as the attribute `name`, or hex-encoded as `name`-hex when they hold a NUL.
void setTextAttribute(TiXmlElement& element, const char* name, const std::string& text);
bool textAttribute(const TiXmlElement& element, const char* name, std::string& text);
// One value in the attributes of `element`: "value" (texts, numbers, vectors), "uid" (links),
// "type" and "hex" (custom data). The value's type is kept by the caller, by name
// ("none", "bool", "int", "real", "vector", "string", "filename", "link", "custom").
const char* valueTypeName(HostValueType type);
bool valueTypeFromName(const std::string& name, HostValueType& type);
void setValueAttributes(TiXmlElement& element, const HostValue& value);
bool valueFromAttributes(const TiXmlElement& element, HostValueType type, HostValue& value);
// A container as the children of `element`, one element per value; read back with its links
// still in the file's IDs (the loader remaps every container link at the end).
void writeContainer(const HostContainer& container, TiXmlElement& element);
bool readContainer(const TiXmlElement& element, HostContainer& container, std::string& error);
// A node element named `name` with what every node has: `type`, `uid`, `name`, `bits` (when any
// is set) and <data> (when the container holds anything). Read back with
// DocumentLoadContext::readNode.
TiXmlElement* writeNode(const char* name, HostNode& node);
// A matrix as the attributes `off`, `v1`, `v2` and `v3` of `element`; false when one is missing
// or no vector.
void setMatrixAttributes(TiXmlElement& element, const HostMatrix& matrix);
bool matrixFromAttributes(const TiXmlElement& element, HostMatrix& matrix);

} // namespace headless
