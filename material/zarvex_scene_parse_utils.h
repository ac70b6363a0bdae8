// Reading values from XML elements, with messages that end in the element's position.
//
// Each operation looks up a named child of `parent` (the first child element with exactly that
// name, in document order; text, comments and other nodes never count as children), converts
// its text and, on a missing child or malformed text, throws ZarvexSceneParseUtilsExcep. Every
// message is the problem's text followed directly by errorContext(parent). Numbers are scanned
// with Parser, independent of the locale. The document is never modified.
#pragma once

#ifndef TIXML_USE_STL
#define TIXML_USE_STL
#endif
#include <tinyxml.h>

#include "material/zarvex_material.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace Zarvex {

// The reader's exception: one complete message.
class ZarvexSceneParseUtilsExcep {
public:
    explicit ZarvexSceneParseUtilsExcep(std::string message) : message_(std::move(message)) {}
    const std::string& what() const { return message_; }

private:
    std::string message_;
};

// "  (In element '<name>', around line <row>, column <column>)", with TinyXML's 1-based row and
// column of the element: the first element of a file is at line 1, column 1.
std::string errorContext(const TiXmlElement& element);

// The child element `name`. Throws "Failed to find expected element '<name>'." when missing.
const TiXmlElement& getChildElement(const TiXmlElement& parent, const std::string& name);

// The text of the child `name`: its direct text and CDATA children concatenated in document
// order, comments and nested elements skipped, exactly as TinyXML delivers it; empty when the
// child has no text. Throws "could not find element '<name>'." when the child is missing.
std::string childText(const TiXmlElement& parent, const std::string& name);
// As childText, but `fallback` when the child is missing. Does not throw except bad_alloc.
std::string childTextOr(const TiXmlElement& parent, const std::string& name,
                        const std::string& fallback);

// One number, optionally surrounded by whitespace. Throws as childText when the child is
// missing, "Failed to parse double from '<text>'." when no number starts the text and
// "Parse error while parsing double from '<text>'." when something follows it.
double parseDoubleChild(const TiXmlElement& parent, const std::string& name);
// As parseDoubleChild, but `fallback` when the child is missing.
double parseDoubleChildOr(const TiXmlElement& parent, const std::string& name, double fallback);

// Three numbers separated by whitespace (or by nothing where a number ends by itself, as in
// "1-2-3"). Throws as childText when missing, "Failed to parse Vec3 from '<text>'." when any of
// the three does not parse, "Parse error while parsing Vec3 from '<text>'." on trailing text.
Vec3 parseVec3Child(const TiXmlElement& parent, const std::string& name);

// One 32-bit integer; messages as parseDoubleChild with "integer" for "double". Values beyond
// the 32-bit range saturate.
std::int32_t parseIntChild(const TiXmlElement& parent, const std::string& name);
// As parseIntChild, but `fallback` when the child is missing.
std::int32_t parseIntChildOr(const TiXmlElement& parent, const std::string& name,
                             std::int32_t fallback);

// Exactly "true" or "false", without surrounding whitespace. Throws as childText when missing,
// "Invalid boolean value (Should be 'true' or 'false')." otherwise.
bool parseBoolChild(const TiXmlElement& parent, const std::string& name);
// As parseBoolChild, but `fallback` when the child is missing.
bool parseBoolChildOr(const TiXmlElement& parent, const std::string& name, bool fallback);

// Throws "Found unexpected element '<child>'." for the first child element, in document order,
// whose name is not in `allowed`. An empty list rejects every child element.
void checkNoUnexpectedElements(const TiXmlElement& parent, const std::vector<std::string>& allowed);

// Passes when `parent` has exactly one child element and its name is in `allowed`. Otherwise
// throws, for the first offending child, "Found unexpected element '<child>'." (a name outside
// the list) or "Found unexpected element '<child>,  already parsed mutually exclusive element
// '<earlier>'." (a second child), or, without any child element, "Failed to find child for
// element '<parent>' - Child should be one of '<a>', '<b>'." with the allowed names in
// byte-wise ascending order.
void checkMutuallyExclusiveChildren(const TiXmlElement& parent,
                                    const std::vector<std::string>& allowed);

} // namespace Zarvex
