// Dialog layouts as the headless host loads them from the plug-in's `res/dialogs` folder: one XML
// file per dialog resource, in a format of the headless host's own (docs/headless-host.md,
// "Dialogs"). A layout lists the dialog's gadgets with their IDs, kinds and first values.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace headless {

enum class GadgetKind {
    Group,     // frames other gadgets; no value
    Separator, // a line; no value
    Text,      // text the dialog shows and the user cannot edit
    Edit,      // a text field
    Checkbox,  // on or off
    Integer,   // a whole number field with a range
    Real,      // a number field with a range
    Chooser,   // one of its choices, by the choice's ID
    Button,    // pressed; no value
};

struct GadgetChoice {
    int32_t id = 0;
    std::string name;
    std::string label;
};

struct DialogGadget {
    GadgetKind kind = GadgetKind::Group;
    // 0 for groups and separators without an ID.
    int32_t id = 0;
    std::string name;
    std::string label;
    // The first value as written ("true", "12", a text); empty for the kind's zero value.
    std::string value;
    // For number fields; the plug-in may set its own range when it sets a value.
    double min = -2147483648.0;
    double max = 2147483647.0;
    std::vector<GadgetChoice> choices;
    bool enabled = true;
    // The enclosing group's ID, 0 at the top.
    int32_t group = 0;
};

struct DialogResource {
    int32_t id = 0;
    std::string name;
    std::string title;
    // In layout order; a group's gadgets follow it.
    std::vector<DialogGadget> gadgets;
    const DialogGadget* find(int32_t id) const;
};

// Parses one dialog file's text. False with a reason when it is not a well-formed layout:
// unknown elements, gadgets without a numeric ID, duplicate IDs, first values their kind does
// not take, a chooser whose value is none of its choices.
bool parseDialogResource(const std::string& text, DialogResource& resource, std::string& error);

// Loads every "*.xml" file of `directory` (a native path; a missing directory holds none) into
// `dialogs` by resource ID. False with a reason when a file does not load or two files have the
// same ID.
bool loadDialogResources(const std::string& directory, std::map<int32_t, DialogResource>& dialogs,
                         std::string& error);

} // namespace headless
