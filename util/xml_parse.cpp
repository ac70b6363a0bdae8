#include "util/xml_parse.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// What a scan of the text predicts about TinyXML's parse of it.
struct ParsePrediction {
    int deepest = 0;        // deepest element recursion the parse reaches
    int mostAttributes = 0; // most attributes that one start tag holds
    bool complete = false;  // the parse reads every node up to the end of the text without error
};

// Follows TinyXML 2.6.2's parser step by step without building nodes, to predict how deep its
// recursion goes before TinyXML is allowed to run. A simpler scan is not enough: TinyXML ends a
// processing instruction or a declaration at the first '>', lets a UTF-8 lead byte swallow the
// bytes after it (a '<', a quote, an end tag), and lets a character reference run to the next
// ';'; any scan that reads those differently can be led to count a shallow depth for a text
// that TinyXML nests without limit. The rules below are TinyXML's own, including its use of
// the C library's character classes, so that both see the same characters as whitespace and
// letters. Positions at or past the end read as NUL, as TinyXML sees the padded text it gets.
// Where TinyXML would stop with an error this scan stops too; the scan itself never recurses.
class TinyXmlShadow {
public:
    explicit TinyXmlShadow(const std::string& text) : text_(text) {}

    ParsePrediction run();

private:
    enum class Encoding { Unknown, Utf8, Legacy };
    enum class Node { None, Declaration, Comment, CData, Unknown, Element };
    struct OpenElement {
        std::size_t nameStart;
        std::size_t nameLength;
    };

    static constexpr std::size_t kFail = std::string::npos;

    unsigned char at(std::size_t i) const {
        return i < text_.size() ? static_cast<unsigned char>(text_[i]) : 0;
    }
    bool more(std::size_t p) const { return p != kFail && at(p) != 0; }

    static bool isWhiteSpace(unsigned char c) {
        return std::isspace(c) != 0 || c == '\n' || c == '\r';
    }
    static bool isAlpha(unsigned char c) { return c < 127 ? std::isalpha(c) != 0 : true; }
    static bool isAlphaNum(unsigned char c) { return c < 127 ? std::isalnum(c) != 0 : true; }
    int toLower(unsigned char byte, Encoding encoding) const;
    static int utf8Length(unsigned char lead);
    bool isByteOrderMark(std::size_t p) const;

    bool startsWith(std::size_t p, const char* tag, bool ignoreCase, Encoding encoding) const;
    bool startsWith(std::size_t p, const char* tag) const {
        return startsWith(p, tag, false, encoding_);
    }
    std::size_t skipWhiteSpace(std::size_t p) const;
    std::size_t readName(std::size_t p) const;
    std::size_t readEntity(std::size_t p, std::string* value) const;
    std::size_t readChar(std::size_t p, std::string* value) const;
    std::size_t readText(std::size_t p, bool trimWhiteSpace, const char* endTag,
                         std::string* value) const;
    Node identify(std::size_t p) const;

    std::size_t parseAttribute(std::size_t p, std::string* value) const;
    std::size_t parseDeclaration(std::size_t p, std::string& encodingName) const;
    std::size_t parseComment(std::size_t p) const;
    std::size_t parseCData(std::size_t p) const;
    std::size_t parseUnknown(std::size_t p) const;
    std::size_t parseText(std::size_t p) const;
    std::size_t parseStartTag(std::size_t p, OpenElement& element, bool& hasContent,
                              int& attributes) const;
    std::size_t parseEndTag(std::size_t p, const OpenElement& element) const;
    std::size_t parseNode(Node node, std::size_t p);
    void adoptDeclaredEncoding(const std::string& declared);

    const std::string& text_;
    Encoding encoding_ = Encoding::Unknown;
    std::vector<OpenElement> open_;
    int deepest_ = 0;
    int mostAttributes_ = 0;
};

int TinyXmlShadow::toLower(unsigned char byte, Encoding encoding) const {
    // TinyXML passes the plain (signed) char on to tolower.
    const int v = static_cast<char>(byte);
    if (encoding == Encoding::Utf8) {
        return v < 128 ? std::tolower(v) : v;
    }
    return std::tolower(v);
}

int TinyXmlShadow::utf8Length(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 1;
}

bool TinyXmlShadow::isByteOrderMark(std::size_t p) const {
    return at(p) == 0xEF && ((at(p + 1) == 0xBB && at(p + 2) == 0xBF) ||
                             (at(p + 1) == 0xBF && (at(p + 2) == 0xBE || at(p + 2) == 0xBF)));
}

bool TinyXmlShadow::startsWith(std::size_t p, const char* tag, bool ignoreCase,
                               Encoding encoding) const {
    for (; *tag != 0; ++p, ++tag) {
        const unsigned char c = at(p);
        if (c == 0) {
            return false;
        }
        const unsigned char t = static_cast<unsigned char>(*tag);
        if (ignoreCase ? toLower(c, encoding) != toLower(t, encoding) : c != t) {
            return false;
        }
    }
    return true;
}

std::size_t TinyXmlShadow::skipWhiteSpace(std::size_t p) const {
    if (!more(p)) {
        return kFail;
    }
    while (at(p) != 0) {
        if (encoding_ == Encoding::Utf8 && isByteOrderMark(p)) {
            p += 3;
        } else if (isWhiteSpace(at(p))) {
            ++p;
        } else {
            break;
        }
    }
    return p;
}

std::size_t TinyXmlShadow::readName(std::size_t p) const {
    if (!more(p) || !(isAlpha(at(p)) || at(p) == '_')) {
        return kFail;
    }
    while (at(p) != 0 &&
           (isAlphaNum(at(p)) || at(p) == '_' || at(p) == '-' || at(p) == '.' || at(p) == ':')) {
        ++p;
    }
    return p;
}

std::size_t TinyXmlShadow::readEntity(std::size_t p, std::string* value) const {
    if (at(p + 1) == '#' && at(p + 2) != 0) {
        // A character reference runs to the next ';' wherever it is; the characters just before
        // it, back to the nearest 'x' or '#', must be digits of the base.
        const bool hex = at(p + 2) == 'x';
        if (hex && at(p + 3) == 0) {
            return kFail;
        }
        std::size_t semicolon = p + (hex ? 3 : 2);
        while (at(semicolon) != 0 && at(semicolon) != ';') {
            ++semicolon;
        }
        if (at(semicolon) == 0) {
            return kFail;
        }
        unsigned long ucs = 0;
        unsigned mult = 1;
        for (std::size_t q = semicolon - 1; at(q) != (hex ? 'x' : '#'); --q) {
            const unsigned char c = at(q);
            unsigned digit = 0;
            if (c >= '0' && c <= '9') {
                digit = c - '0';
            } else if (hex && c >= 'a' && c <= 'f') {
                digit = c - 'a' + 10;
            } else if (hex && c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            } else {
                return kFail;
            }
            ucs += mult * digit;
            mult *= hex ? 16 : 10;
        }
        if (value != nullptr) {
            value->push_back(static_cast<char>(ucs));
        }
        return semicolon + 1;
    }
    static const std::pair<const char*, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    for (const auto& entity : kEntities) {
        if (startsWith(p, entity.first, false, encoding_)) {
            if (value != nullptr) {
                value->push_back(entity.second);
            }
            return p + std::strlen(entity.first);
        }
    }
    if (value != nullptr) {
        value->push_back('&');
    }
    return p + 1;
}

std::size_t TinyXmlShadow::readChar(std::size_t p, std::string* value) const {
    // In UTF-8 mode TinyXML takes a lead byte and the bytes its sequence claims as one
    // character, whatever those bytes are.
    const int length = encoding_ == Encoding::Utf8 ? utf8Length(at(p)) : 1;
    if (length == 1) {
        if (at(p) == '&') {
            return readEntity(p, value);
        }
        if (value != nullptr) {
            value->push_back(static_cast<char>(at(p)));
        }
        return p + 1;
    }
    return p + length;
}

std::size_t TinyXmlShadow::readText(std::size_t p, bool trimWhiteSpace, const char* endTag,
                                    std::string* value) const {
    if (!trimWhiteSpace || !TiXmlBase::IsWhiteSpaceCondensed()) {
        while (more(p) && !startsWith(p, endTag)) {
            p = readChar(p, value);
        }
    } else {
        p = skipWhiteSpace(p);
        while (more(p) && !startsWith(p, endTag)) {
            p = isWhiteSpace(at(p)) ? p + 1 : readChar(p, value);
        }
    }
    if (more(p)) {
        p += std::strlen(endTag);
    }
    return more(p) ? p : kFail;
}

TinyXmlShadow::Node TinyXmlShadow::identify(std::size_t p) const {
    p = skipWhiteSpace(p);
    if (!more(p) || at(p) != '<') {
        return Node::None;
    }
    if (startsWith(p, "<?xml", true, encoding_)) {
        return Node::Declaration;
    }
    if (startsWith(p, "<!--")) {
        return Node::Comment;
    }
    if (startsWith(p, "<![CDATA[")) {
        return Node::CData;
    }
    if (startsWith(p, "<!")) {
        return Node::Unknown;
    }
    if (isAlpha(at(p + 1)) || at(p + 1) == '_') {
        return Node::Element;
    }
    return Node::Unknown;
}

std::size_t TinyXmlShadow::parseAttribute(std::size_t p, std::string* value) const {
    p = readName(skipWhiteSpace(p));
    if (!more(p)) {
        return kFail;
    }
    p = skipWhiteSpace(p);
    if (!more(p) || at(p) != '=') {
        return kFail;
    }
    p = skipWhiteSpace(p + 1);
    if (!more(p)) {
        return kFail;
    }
    if (at(p) == '\'') {
        return readText(p + 1, false, "'", value);
    }
    if (at(p) == '"') {
        return readText(p + 1, false, "\"", value);
    }
    while (more(p) && !isWhiteSpace(at(p)) && at(p) != '/' && at(p) != '>') {
        if (at(p) == '\'' || at(p) == '"') {
            return kFail;
        }
        if (value != nullptr) {
            value->push_back(static_cast<char>(at(p)));
        }
        ++p;
    }
    return p;
}

std::size_t TinyXmlShadow::parseDeclaration(std::size_t p, std::string& encodingName) const {
    // Only the three known pseudo-attributes keep a quoted '>' inside the declaration; anything
    // else is read over up to whitespace or the first '>'.
    p += std::strlen("<?xml");
    while (more(p)) {
        if (at(p) == '>') {
            return p + 1;
        }
        p = skipWhiteSpace(p);
        if (!more(p)) {
            break;
        }
        if (startsWith(p, "version", true, encoding_) ||
            startsWith(p, "standalone", true, encoding_)) {
            p = parseAttribute(p, nullptr);
        } else if (startsWith(p, "encoding", true, encoding_)) {
            encodingName.clear();
            p = parseAttribute(p, &encodingName);
        } else {
            while (more(p) && at(p) != '>' && !isWhiteSpace(at(p))) {
                ++p;
            }
        }
    }
    return kFail;
}

std::size_t TinyXmlShadow::parseComment(std::size_t p) const {
    p += std::strlen("<!--");
    while (more(p) && !startsWith(p, "-->")) {
        ++p;
    }
    return more(p) ? p + 3 : p;
}

std::size_t TinyXmlShadow::parseCData(std::size_t p) const {
    p += std::strlen("<![CDATA[");
    while (more(p) && !startsWith(p, "]]>")) {
        ++p;
    }
    return readText(p, false, "]]>", nullptr);
}

std::size_t TinyXmlShadow::parseUnknown(std::size_t p) const {
    ++p;
    while (more(p) && at(p) != '>') {
        ++p;
    }
    return at(p) == '>' ? p + 1 : p;
}

std::size_t TinyXmlShadow::parseText(std::size_t p) const {
    p = readText(p, true, "<", nullptr);
    return more(p) ? p - 1 : kFail;
}

std::size_t TinyXmlShadow::parseStartTag(std::size_t p, OpenElement& element, bool& hasContent,
                                         int& attributes) const {
    p = skipWhiteSpace(p + 1);
    element.nameStart = p;
    p = readName(p);
    if (!more(p)) {
        return kFail;
    }
    element.nameLength = p - element.nameStart;
    for (;;) {
        p = skipWhiteSpace(p);
        if (!more(p)) {
            return kFail;
        }
        if (at(p) == '/') {
            hasContent = false;
            return at(p + 1) == '>' ? p + 2 : kFail;
        }
        if (at(p) == '>') {
            hasContent = true;
            return p + 1;
        }
        p = parseAttribute(p, nullptr);
        if (!more(p)) {
            return kFail;
        }
        ++attributes;
    }
}

std::size_t TinyXmlShadow::parseEndTag(std::size_t p, const OpenElement& element) const {
    if (p + 2 + element.nameLength > text_.size() ||
        text_.compare(p + 2, element.nameLength, text_, element.nameStart, element.nameLength) !=
            0) {
        return kFail;
    }
    p = skipWhiteSpace(p + 2 + element.nameLength);
    return more(p) && at(p) == '>' ? p + 1 : kFail;
}

std::size_t TinyXmlShadow::parseNode(Node node, std::size_t p) {
    switch (node) {
    case Node::Declaration: {
        std::string encodingName;
        const std::size_t end = parseDeclaration(p, encodingName);
        if (open_.empty()) {
            adoptDeclaredEncoding(encodingName);
        }
        return end;
    }
    case Node::Comment:
        return parseComment(p);
    case Node::CData:
        return parseCData(p);
    case Node::Element: {
        deepest_ = std::max(deepest_, static_cast<int>(open_.size()) + 1);
        OpenElement element{};
        bool hasContent = false;
        int attributes = 0;
        const std::size_t end = parseStartTag(p, element, hasContent, attributes);
        mostAttributes_ = std::max(mostAttributes_, attributes);
        if (end != kFail && hasContent) {
            open_.push_back(element);
        }
        return end;
    }
    case Node::Unknown:
    case Node::None:
        break;
    }
    return parseUnknown(p);
}

void TinyXmlShadow::adoptDeclaredEncoding(const std::string& declared) {
    if (encoding_ != Encoding::Unknown) {
        return;
    }
    // TinyXML reads the name as C text: a decoded "&#0;" ends it.
    const std::string encodingName = declared.substr(0, declared.find('\0'));
    const auto named = [&encodingName](const char* name) {
        for (std::size_t i = 0; name[i] != 0; ++i) {
            if (i >= encodingName.size() ||
                std::tolower(static_cast<int>(encodingName[i])) != std::tolower(name[i])) {
                return false;
            }
        }
        return true;
    };
    encoding_ =
        encodingName.empty() || named("UTF-8") || named("UTF8") ? Encoding::Utf8 : Encoding::Legacy;
}

ParsePrediction TinyXmlShadow::run() {
    ParsePrediction prediction;
    if (at(0) == 0) {
        return prediction;
    }
    if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        encoding_ = Encoding::Utf8;
    }
    bool sawNode = false;
    // Where the whitespace before `p` began: TinyXML starts a text node there when it keeps
    // whitespace.
    std::size_t textStart = 0;
    std::size_t p = skipWhiteSpace(0);
    for (;;) {
        if (open_.empty()) {
            // Between top-level nodes: the end of the text ends the parse, and so, silently,
            // does anything that is not markup.
            if (!more(p)) {
                prediction.complete = sawNode;
                break;
            }
            const Node node = identify(p);
            if (node == Node::None) {
                break;
            }
            sawNode = true;
            p = parseNode(node, p);
        } else {
            // Inside an element: text, child nodes, and the end tag of the open element.
            if (!more(p)) {
                break;
            }
            if (at(p) != '<') {
                p = parseText(TiXmlBase::IsWhiteSpaceCondensed() ? p : textStart);
            } else if (startsWith(p, "</")) {
                p = parseEndTag(p, open_.back());
                open_.pop_back();
            } else {
                p = parseNode(identify(p), p);
            }
        }
        if (p == kFail) {
            break;
        }
        textStart = p;
        p = skipWhiteSpace(p);
    }
    prediction.deepest = deepest_;
    prediction.mostAttributes = mostAttributes_;
    return prediction;
}

} // namespace

int xmlNestingDepth(const std::string& text) {
    return TinyXmlShadow(text).run().deepest;
}

bool parseXmlDocument(const std::string& text, TiXmlDocument& document) {
    document.Clear();
    document.ClearError();
    if (text.find('\0') != std::string::npos) {
        return false;
    }
    const ParsePrediction prediction = TinyXmlShadow(text).run();
    if (prediction.deepest > kMaxXmlNestingDepth ||
        prediction.mostAttributes > kMaxXmlAttributesPerElement || !prediction.complete) {
        return false;
    }
    // TinyXML lets a UTF-8 lead byte near the end step up to three bytes past the terminating
    // NUL; the padding keeps those reads inside the buffer.
    const std::string padded = text + std::string(4, '\0');
    document.Parse(padded.c_str());
    if (document.Error() || document.FirstChildElement() == nullptr) {
        document.Clear();
        return false;
    }
    return true;
}
