#include "headless/dialog_resource.h"

#include "util/xml_parse.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace headless {

namespace {

struct KindName {
    GadgetKind kind;
    const char* name;
};

constexpr KindName kKinds[] = {
    {GadgetKind::Group, "group"},       {GadgetKind::Separator, "separator"},
    {GadgetKind::Text, "text"},         {GadgetKind::Edit, "edit"},
    {GadgetKind::Checkbox, "checkbox"}, {GadgetKind::Integer, "integer"},
    {GadgetKind::Real, "real"},         {GadgetKind::Chooser, "chooser"},
    {GadgetKind::Button, "button"},
};

bool kindFromName(const std::string& name, GadgetKind& kind) {
    for (const KindName& k : kKinds) {
        if (name == k.name) {
            kind = k.kind;
            return true;
        }
    }
    return false;
}

std::string attribute(const TiXmlElement& e, const char* name) {
    const char* v = e.Attribute(name);
    return v ? v : "";
}

bool parseInt(const std::string& text, int32_t& value) {
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT32_MIN || v > INT32_MAX) {
        return false;
    }
    value = int32_t(v);
    return true;
}

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0';
}

bool isBoolText(const std::string& v) {
    return v == "true" || v == "false";
}

bool hasId(GadgetKind kind) {
    return kind != GadgetKind::Group && kind != GadgetKind::Separator;
}

class Parser {
public:
    Parser(DialogResource& resource, std::string& error) : resource_(resource), error_(error) {}

    bool gadgets(const TiXmlElement& parent, int32_t group) {
        for (const TiXmlElement* e = parent.FirstChildElement(); e; e = e->NextSiblingElement()) {
            if (!gadget(*e, group)) {
                return false;
            }
        }
        return true;
    }

private:
    bool fail(const std::string& why) {
        error_ = "dialog " + std::to_string(resource_.id) + ": " + why;
        return false;
    }

    bool gadget(const TiXmlElement& e, int32_t group) {
        DialogGadget g;
        if (!kindFromName(e.ValueStr(), g.kind)) {
            return fail("unknown gadget <" + e.ValueStr() + ">");
        }
        const std::string id = attribute(e, "id");
        if (!id.empty() && !parseInt(id, g.id)) {
            return fail("a " + e.ValueStr() + " with the non-numeric id \"" + id + "\"");
        }
        if (hasId(g.kind) && (id.empty() || g.id == 0)) {
            return fail("a " + e.ValueStr() + " without an id");
        }
        if (g.id != 0 && !ids_.insert(g.id).second) {
            return fail("the id " + id + " is used twice");
        }
        g.name = attribute(e, "name");
        g.label = attribute(e, "label");
        g.value = attribute(e, "value");
        g.group = group;
        const std::string enabled = attribute(e, "enabled");
        if (!enabled.empty() && !isBoolText(enabled)) {
            return fail("enabled of gadget " + id + " is true or false");
        }
        g.enabled = enabled != "false";
        for (const char* bound : {"min", "max"}) {
            const std::string text = attribute(e, bound);
            double v = 0;
            if (!text.empty() && !parseNumber(text, v)) {
                return fail(std::string(bound) + " of gadget " + id + " is not a number");
            }
            if (!text.empty()) {
                (std::string(bound) == "min" ? g.min : g.max) = v;
            }
        }
        if (g.kind == GadgetKind::Chooser && !choices(e, g)) {
            return false;
        }
        if (!valueFits(g)) {
            return fail("gadget " + id + " cannot take the value \"" + g.value + "\"");
        }
        const int32_t groupId = g.id;
        const GadgetKind kind = g.kind;
        resource_.gadgets.push_back(std::move(g));
        if (kind == GadgetKind::Group) {
            return gadgets(e, groupId);
        }
        if (kind != GadgetKind::Chooser && e.FirstChildElement() != nullptr) {
            return fail("a " + e.ValueStr() + " holds no other gadgets");
        }
        return true;
    }

    bool choices(const TiXmlElement& e, DialogGadget& g) {
        for (const TiXmlElement* c = e.FirstChildElement(); c; c = c->NextSiblingElement()) {
            GadgetChoice choice;
            if (c->ValueStr() != "choice" || !parseInt(attribute(*c, "id"), choice.id)) {
                return fail("chooser " + std::to_string(g.id) +
                            " holds only <choice> elements with numeric ids");
            }
            choice.name = attribute(*c, "name");
            choice.label = attribute(*c, "label");
            g.choices.push_back(choice);
        }
        if (g.choices.empty()) {
            return fail("chooser " + std::to_string(g.id) + " has no choices");
        }
        return true;
    }

    static bool valueFits(const DialogGadget& g) {
        if (g.value.empty()) {
            return true;
        }
        int32_t i = 0;
        double d = 0;
        switch (g.kind) {
        case GadgetKind::Checkbox:
            return isBoolText(g.value);
        case GadgetKind::Integer:
            return parseInt(g.value, i) && i >= g.min && i <= g.max;
        case GadgetKind::Real:
            return parseNumber(g.value, d) && d >= g.min && d <= g.max;
        case GadgetKind::Chooser:
            return parseInt(g.value, i) &&
                   std::any_of(g.choices.begin(), g.choices.end(),
                               [i](const GadgetChoice& c) { return c.id == i; });
        case GadgetKind::Text:
        case GadgetKind::Edit:
            return true;
        case GadgetKind::Group:
        case GadgetKind::Separator:
        case GadgetKind::Button:
            return false;
        }
        return false;
    }

    DialogResource& resource_;
    std::string& error_;
    std::set<int32_t> ids_;
};

} // namespace

const DialogGadget* DialogResource::find(int32_t id) const {
    if (id == 0) {
        return nullptr;
    }
    const auto it = std::find_if(gadgets.begin(), gadgets.end(),
                                 [id](const DialogGadget& g) { return g.id == id; });
    return it == gadgets.end() ? nullptr : &*it;
}

bool parseDialogResource(const std::string& text, DialogResource& resource, std::string& error) {
    resource = DialogResource();
    TiXmlDocument doc;
    if (!parseXmlDocument(text, doc)) {
        error = "not well-formed XML";
        return false;
    }
    const TiXmlElement* root = doc.FirstChildElement("dialog");
    if (root == nullptr || root->NextSiblingElement() != nullptr) {
        error = "the file holds one <dialog> element";
        return false;
    }
    if (!parseInt(attribute(*root, "id"), resource.id) || resource.id == 0) {
        error = "a dialog without a numeric id";
        return false;
    }
    resource.name = attribute(*root, "name");
    resource.title = attribute(*root, "title");
    Parser parser(resource, error);
    if (!parser.gadgets(*root, 0)) {
        resource = DialogResource();
        return false;
    }
    return true;
}

bool loadDialogResources(const std::string& directory, std::map<int32_t, DialogResource>& dialogs,
                         std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(directory, ec)) {
        return true;
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(directory, ec)) {
        if (entry.path().extension() == ".xml") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (!in && !in.eof()) {
            error = "cannot read " + file.string();
            return false;
        }
        DialogResource resource;
        std::string why;
        if (!parseDialogResource(text.str(), resource, why)) {
            error = file.string() + ": " + why;
            return false;
        }
        if (dialogs.count(resource.id) != 0) {
            error = file.string() + ": dialog " + std::to_string(resource.id) + " is defined twice";
            return false;
        }
        dialogs[resource.id] = std::move(resource);
    }
    return true;
}

} // namespace headless
