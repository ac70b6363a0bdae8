// The plug-in's resources as the headless host loads them from the plug-in's `res` folder: the
// string table, the description resources (attribute layouts) and the dialog layouts. The formats
// are the headless host's own; docs/headless-host.md describes them.
#pragma once

#include "headless/dialog_resource.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace headless {

struct DescriptionChoice {
    int32_t value = 0;
    std::string name;
    std::string label;
};

// One entry of an attribute layout: a parameter, a group or a layout element.
struct DescriptionEntry {
    int32_t id = 0;
    // The element name of the entry: group, bool, integer, real, vector, color, string, filename,
    // link, cycle, button, bitmapbutton, separator or text.
    std::string kind;
    std::string name;
    std::string label;
    // The enclosing group's ID, 0 at the top.
    int32_t group = 0;
    bool hidden = false;
    std::vector<DescriptionChoice> choices;
    // Further attributes as written (min, max, step, accept, ...).
    std::map<std::string, std::string> attributes;
};

struct DescriptionResource {
    std::string name;
    std::vector<DescriptionEntry> entries;
    const DescriptionEntry* find(int32_t id) const;
};

class ResourceSet {
public:
    // Loads `res/strings.xml`, every `res/description/*.xml` and every `res/dialogs/*.xml`
    // below `resDirectory` (a native path). False, with a reason in `error`, when the string table
    // is missing or any file does not parse; the set is then empty.
    bool load(const std::string& resDirectory, std::string& error);
    void clear();
    bool loaded() const { return loaded_; }

    // Empty when missing.
    std::string string(int32_t id) const;
    const DescriptionResource* description(const std::string& name) const;
    // The dialog layout of that resource ID (from `res/dialogs/*.xml`), or null.
    const DialogResource* dialog(int32_t id) const;

private:
    // Dialog layouts by resource ID.
    std::map<int32_t, DialogResource> dialogs_;

    bool loaded_ = false;
    std::map<int32_t, std::string> strings_;
    std::map<std::string, DescriptionResource> descriptions_;
};

} // namespace headless
