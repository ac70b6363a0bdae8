#include "util/xml_parse.h"

#include <algorithm>
#include <cstring>

namespace {

bool startsWith(const std::string& text, std::size_t at, const char* prefix) {
    return text.compare(at, std::strlen(prefix), prefix) == 0;
}

// Position just past `terminator` found at or after `from`, or the end of the text.
std::size_t skipPast(const std::string& text, std::size_t from, const char* terminator) {
    const std::size_t found = text.find(terminator, from);
    return found == std::string::npos ? text.size() : found + std::strlen(terminator);
}

} // namespace

int xmlNestingDepth(const std::string& text) {
    int depth = 0;
    int deepest = 0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        i = text.find('<', i);
        if (i == std::string::npos) {
            break;
        }
        if (startsWith(text, i, "<!--")) {
            i = skipPast(text, i + 4, "-->");
        } else if (startsWith(text, i, "<![CDATA[")) {
            i = skipPast(text, i + 9, "]]>");
        } else if (startsWith(text, i, "<?")) {
            i = skipPast(text, i + 2, "?>");
        } else if (startsWith(text, i, "<!")) {
            i = skipPast(text, i + 2, ">");
        } else if (startsWith(text, i, "</")) {
            depth = std::max(0, depth - 1);
            i = skipPast(text, i + 2, ">");
        } else {
            // An element start: count it open, then find the end of its tag, honouring quoted
            // attribute values, which may hold '>' and '/'.
            ++depth;
            deepest = std::max(deepest, depth);
            char quote = 0;
            bool selfClosing = false;
            for (++i; i < n; ++i) {
                const char c = text[i];
                if (quote != 0) {
                    if (c == quote) {
                        quote = 0;
                    }
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    selfClosing = text[i - 1] == '/';
                    ++i;
                    break;
                }
            }
            if (selfClosing) {
                --depth;
            }
        }
    }
    return deepest;
}

bool parseXmlDocument(const std::string& text, TiXmlDocument& document) {
    document.Clear();
    document.ClearError();
    if (text.find('\0') != std::string::npos || xmlNestingDepth(text) > kMaxXmlNestingDepth) {
        return false;
    }
    document.Parse(text.c_str());
    if (document.Error() || document.FirstChildElement() == nullptr) {
        document.Clear();
        return false;
    }
    return true;
}
