#include "material/zarvex_scene_parse_utils.h"

#include "util/parser.h"
#include "util/to_string.h"

#include <algorithm>
#include <set>

namespace Zarvex {

namespace {

const TiXmlElement* findChild(const TiXmlElement& parent, const std::string& name) {
    return parent.FirstChildElement(name);
}

[[noreturn]] void fail(const std::string& message, const TiXmlElement& parent) {
    throw ZarvexSceneParseUtilsExcep(message + errorContext(parent));
}

std::string textOf(const TiXmlElement& element) {
    std::string text;
    for (const TiXmlNode* node = element.FirstChild(); node != nullptr;
         node = node->NextSibling()) {
        if (const TiXmlText* piece = node->ToText()) {
            text += piece->ValueStr();
        }
    }
    return text;
}

bool isAllowed(const std::vector<std::string>& allowed, const std::string& name) {
    return std::find(allowed.begin(), allowed.end(), name) != allowed.end();
}

double scanDouble(const TiXmlElement& parent, const std::string& text) {
    Parser parser(text.data(), text.size());
    double value = 0;
    parser.skipWhitespace();
    if (!parser.parseDouble(value)) {
        fail("Failed to parse double from '" + text + "'.", parent);
    }
    parser.skipWhitespace();
    if (!parser.atEnd()) {
        fail("Parse error while parsing double from '" + text + "'.", parent);
    }
    return value;
}

std::int32_t scanInt(const TiXmlElement& parent, const std::string& text) {
    Parser parser(text.data(), text.size());
    std::int32_t value = 0;
    parser.skipWhitespace();
    if (!parser.parseInt(value)) {
        fail("Failed to parse integer from '" + text + "'.", parent);
    }
    parser.skipWhitespace();
    if (!parser.atEnd()) {
        fail("Parse error while parsing integer from '" + text + "'.", parent);
    }
    return value;
}

bool scanBool(const TiXmlElement& parent, const std::string& text) {
    if (text == "true") {
        return true;
    }
    if (text != "false") {
        fail("Invalid boolean value (Should be 'true' or 'false').", parent);
    }
    return false;
}

} // namespace

std::string errorContext(const TiXmlElement& element) {
    // TinyXML's Row() and Column() already count from 1.
    return "  (In element '" + element.ValueStr() + "', around line " + toString(element.Row()) +
           ", column " + toString(element.Column()) + ")";
}

const TiXmlElement& getChildElement(const TiXmlElement& parent, const std::string& name) {
    const TiXmlElement* child = findChild(parent, name);
    if (child == nullptr) {
        fail("Failed to find expected element '" + name + "'.", parent);
    }
    return *child;
}

std::string childText(const TiXmlElement& parent, const std::string& name) {
    const TiXmlElement* child = findChild(parent, name);
    if (child == nullptr) {
        fail("could not find element '" + name + "'.", parent);
    }
    return textOf(*child);
}

std::string childTextOr(const TiXmlElement& parent, const std::string& name,
                        const std::string& fallback) {
    const TiXmlElement* child = findChild(parent, name);
    return child == nullptr ? fallback : textOf(*child);
}

double parseDoubleChild(const TiXmlElement& parent, const std::string& name) {
    return scanDouble(parent, childText(parent, name));
}

double parseDoubleChildOr(const TiXmlElement& parent, const std::string& name, double fallback) {
    const TiXmlElement* child = findChild(parent, name);
    return child == nullptr ? fallback : scanDouble(parent, textOf(*child));
}

Vec3 parseVec3Child(const TiXmlElement& parent, const std::string& name) {
    const std::string text = childText(parent, name);
    Parser parser(text.data(), text.size());
    double values[3] = {};
    for (double& value : values) {
        parser.skipWhitespace();
        if (!parser.parseDouble(value)) {
            fail("Failed to parse Vec3 from '" + text + "'.", parent);
        }
    }
    parser.skipWhitespace();
    if (!parser.atEnd()) {
        fail("Parse error while parsing Vec3 from '" + text + "'.", parent);
    }
    Vec3 vector;
    vector.x = values[0];
    vector.y = values[1];
    vector.z = values[2];
    return vector;
}

std::int32_t parseIntChild(const TiXmlElement& parent, const std::string& name) {
    return scanInt(parent, childText(parent, name));
}

std::int32_t parseIntChildOr(const TiXmlElement& parent, const std::string& name,
                             std::int32_t fallback) {
    const TiXmlElement* child = findChild(parent, name);
    return child == nullptr ? fallback : scanInt(parent, textOf(*child));
}

bool parseBoolChild(const TiXmlElement& parent, const std::string& name) {
    return scanBool(parent, childText(parent, name));
}

bool parseBoolChildOr(const TiXmlElement& parent, const std::string& name, bool fallback) {
    const TiXmlElement* child = findChild(parent, name);
    return child == nullptr ? fallback : scanBool(parent, textOf(*child));
}

void checkNoUnexpectedElements(const TiXmlElement& parent,
                               const std::vector<std::string>& allowed) {
    for (const TiXmlElement* child = parent.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (!isAllowed(allowed, child->ValueStr())) {
            fail("Found unexpected element '" + child->ValueStr() + "'.", parent);
        }
    }
}

void checkMutuallyExclusiveChildren(const TiXmlElement& parent,
                                    const std::vector<std::string>& allowed) {
    const std::set<std::string> names(allowed.begin(), allowed.end());
    const TiXmlElement* accepted = nullptr;
    for (const TiXmlElement* child = parent.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (names.count(child->ValueStr()) == 0) {
            fail("Found unexpected element '" + child->ValueStr() + "'.", parent);
        }
        if (accepted != nullptr) {
            fail("Found unexpected element '" + child->ValueStr() +
                     ",  already parsed mutually exclusive element '" + accepted->ValueStr() + "'.",
                 parent);
        }
        accepted = child;
    }
    if (accepted == nullptr) {
        std::string list;
        for (const std::string& name : names) {
            list += (list.empty() ? "" : "', '") + name;
        }
        fail("Failed to find child for element '" + parent.ValueStr() +
                 "' - Child should be one of '" + list + "'.",
             parent);
    }
}

} // namespace Zarvex
