// Parsing XML text safely.
//
// TinyXML parses recursively without a depth limit, so a deeply nested file overflows the stack
// and crashes the host, and after a parse error it leaves a partial tree behind. Every XML read
// of the plug-in and of the headless host goes through parseXmlDocument instead of calling
// TiXmlDocument::Parse or LoadFile itself.
#pragma once

#ifndef TIXML_USE_STL
#define TIXML_USE_STL
#endif
#include <tinyxml.h>

#include <string>

// Element nesting deeper than this is refused before TinyXML sees the text. Real scene, material,
// settings and resource files stay below ten levels.
constexpr int kMaxXmlNestingDepth = 256;

// More attributes than this on one element are refused before TinyXML sees the text: TinyXML
// checks each new attribute against all earlier ones of its element, so that a few hundred
// kilobytes of attributes on one element take it minutes. Below the limit that check costs no
// more than the rest of the parse. Files of this system carry a dozen at most.
constexpr int kMaxXmlAttributesPerElement = 256;

// Deepest element nesting that TinyXML's recursive parser reaches on `text`, found by a scan
// that follows TinyXML's own rules (declarations and processing instructions ending at the first
// '>', UTF-8 sequences, character references, quoted attribute values) without recursing, so it
// is safe on any text. Where TinyXML would stop with an error the count stops too. Does not
// throw except std::bad_alloc.
int xmlNestingDepth(const std::string& text);

// Parses `text` into `document`, replacing what it held.
//
// Returns true when the text nests no deeper than kMaxXmlNestingDepth, has no element with more
// than kMaxXmlAttributesPerElement attributes, holds no NUL byte, parses
// without error up to its end and yields at least one element; several top-level elements side
// by side are allowed. Text after the last top-level node that TinyXML would silently leave
// unread (for example "<a/>junk<b/>", which would lose b) is a failure too. On false,
// `document` is cleared: callers never see a partial tree, and must not save the document back
// over the file the text came from. Does not throw except std::bad_alloc.
bool parseXmlDocument(const std::string& text, TiXmlDocument& document);
