// Parses any bytes as XML through parseXmlDocument and runs the material read operation of
// every kind element found anywhere in the document. Also checks the XML depth scan against
// TinyXML itself: on every text it allows, TinyXML must nest no deeper than predicted, and
// exactly as deep when it parses without error.
#include "material/zarvex_material_reader.h"
#include "meshfile/zarvex_mesh.h"
#include "util/xml_parse.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using Zarvex::ZarvexSceneParseUtilsExcep;

void readKind(const TiXmlElement& element) {
    const std::string& name = element.ValueStr();
    if (name == "diffuse") {
        Zarvex::readDiffuse(element);
    } else if (name == "oren_nayar") {
        Zarvex::readOrenNayar(element);
    } else if (name == "diffuse_transmitter") {
        Zarvex::readDiffuseTransmitter(element);
    } else if (name == "phong") {
        Zarvex::readPhong(element);
    } else if (name == "specular") {
        Zarvex::readSpecular(element);
    } else if (name == "glossy_transparent") {
        Zarvex::readGlossyTransparent(element);
    } else if (name == "blend") {
        Zarvex::readBlend(element);
    }
}

// Deepest element nesting in the tree, without recursing.
int treeDepth(const TiXmlNode& root) {
    int deepest = 0;
    std::vector<std::pair<const TiXmlNode*, int>> pending = {{&root, 0}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        deepest = std::max(deepest, depth);
        for (const TiXmlNode* child = node->FirstChild(); child != nullptr;
             child = child->NextSibling()) {
            pending.emplace_back(child, depth + (child->ToElement() != nullptr ? 1 : 0));
        }
    }
    return deepest;
}

void checkDepthScan(const std::string& text) {
    const int predicted = xmlNestingDepth(text);
    if (predicted > kMaxXmlNestingDepth || text.find('\0') != std::string::npos) {
        return;
    }
    const std::string padded = text + std::string(4, '\0');
    TiXmlDocument raw;
    raw.Parse(padded.c_str());
    const int actual = treeDepth(raw);
    if (actual > predicted || (!raw.Error() && actual != predicted)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkDepthScan(text);

    TiXmlDocument document;
    if (!parseXmlDocument(text, document)) {
        return 0;
    }
    std::vector<const TiXmlElement*> pending;
    for (const TiXmlElement* top = document.FirstChildElement(); top != nullptr;
         top = top->NextSiblingElement()) {
        pending.push_back(top);
    }
    while (!pending.empty()) {
        const TiXmlElement* element = pending.back();
        pending.pop_back();
        try {
            readKind(*element);
        } catch (const ZarvexSceneParseUtilsExcep&) {
        } catch (const ZarvexMeshExcep&) {
        }
        for (const TiXmlElement* child = element->FirstChildElement(); child != nullptr;
             child = child->NextSiblingElement()) {
            pending.push_back(child);
        }
    }
    return 0;
}
