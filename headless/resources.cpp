#include "headless/resources.h"

#include "util/xml_parse.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace headless {

namespace {

bool readText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return bool(in) || in.eof();
}

bool parseFile(const std::string& path, TiXmlDocument& doc, std::string& error) {
    std::string text;
    if (!readText(path, text)) {
        error = "cannot read " + path;
        return false;
    }
    if (!parseXmlDocument(text, doc)) {
        error = "not a well-formed resource file: " + path;
        return false;
    }
    return true;
}

bool intAttribute(const TiXmlElement& e, const char* name, int32_t& value) {
    int v = 0;
    if (e.QueryIntAttribute(name, &v) != TIXML_SUCCESS) {
        return false;
    }
    value = v;
    return true;
}

std::string textAttribute(const TiXmlElement& e, const char* name) {
    const char* v = e.Attribute(name);
    return v ? v : "";
}

bool loadStrings(const std::string& path, std::map<int32_t, std::string>& strings,
                 std::string& error) {
    TiXmlDocument doc;
    if (!parseFile(path, doc, error)) {
        return false;
    }
    const TiXmlElement* root = doc.FirstChildElement("strings");
    if (root == nullptr) {
        error = path + ": no strings element";
        return false;
    }
    for (const TiXmlElement* e = root->FirstChildElement("string"); e;
         e = e->NextSiblingElement("string")) {
        int32_t id = 0;
        if (!intAttribute(*e, "id", id)) {
            error = path + ": a string without a numeric id";
            return false;
        }
        strings[id] = e->GetText() ? e->GetText() : "";
    }
    return true;
}

// Entries in document order; a group's entries follow it with `group` set to its ID.
bool loadEntries(const TiXmlElement& parent, int32_t group, DescriptionResource& resource,
                 std::string& error) {
    for (const TiXmlElement* e = parent.FirstChildElement(); e; e = e->NextSiblingElement()) {
        DescriptionEntry entry;
        entry.kind = e->ValueStr();
        if (entry.kind == "choice") {
            continue;
        }
        if (!intAttribute(*e, "id", entry.id)) {
            error = resource.name + ": a " + entry.kind + " entry without a numeric id";
            return false;
        }
        entry.name = textAttribute(*e, "name");
        entry.label = textAttribute(*e, "label");
        entry.group = group;
        entry.hidden = textAttribute(*e, "hidden") == "true";
        for (const TiXmlAttribute* a = e->FirstAttribute(); a; a = a->Next()) {
            const std::string key = a->Name();
            if (key != "id" && key != "name" && key != "label" && key != "hidden") {
                entry.attributes[key] = a->Value();
            }
        }
        for (const TiXmlElement* c = e->FirstChildElement("choice"); c;
             c = c->NextSiblingElement("choice")) {
            DescriptionChoice choice;
            if (!intAttribute(*c, "value", choice.value)) {
                error = resource.name + ": a choice without a numeric value";
                return false;
            }
            choice.name = textAttribute(*c, "name");
            choice.label = textAttribute(*c, "label");
            entry.choices.push_back(choice);
        }
        const int32_t id = entry.id;
        const bool isGroup = entry.kind == "group";
        resource.entries.push_back(std::move(entry));
        if (isGroup && !loadEntries(*e, id, resource, error)) {
            return false;
        }
    }
    return true;
}

bool loadDescription(const std::string& path, DescriptionResource& resource, std::string& error) {
    TiXmlDocument doc;
    if (!parseFile(path, doc, error)) {
        return false;
    }
    const TiXmlElement* root = doc.FirstChildElement("description");
    if (root == nullptr || textAttribute(*root, "name").empty()) {
        error = path + ": no description element with a name";
        return false;
    }
    resource.name = textAttribute(*root, "name");
    return loadEntries(*root, 0, resource, error);
}

} // namespace

const DescriptionEntry* DescriptionResource::find(int32_t id) const {
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [id](const DescriptionEntry& e) { return e.id == id; });
    return it == entries.end() ? nullptr : &*it;
}

bool ResourceSet::load(const std::string& resDirectory, std::string& error) {
    clear();
    std::map<int32_t, std::string> strings;
    std::map<std::string, DescriptionResource> descriptions;
    if (!loadStrings(resDirectory + "/strings.xml", strings, error)) {
        return false;
    }
    std::error_code ec;
    const std::filesystem::path descriptionDir = resDirectory + "/description";
    if (std::filesystem::is_directory(descriptionDir, ec)) {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(descriptionDir, ec)) {
            if (entry.path().extension() == ".xml") {
                files.push_back(entry.path());
            }
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            DescriptionResource resource;
            if (!loadDescription(file.string(), resource, error)) {
                return false;
            }
            descriptions[resource.name] = std::move(resource);
        }
    }
    std::map<int32_t, DialogResource> dialogs;
    if (!loadDialogResources(resDirectory + "/dialogs", dialogs, error)) {
        return false;
    }
    dialogs_ = std::move(dialogs);
    strings_ = std::move(strings);
    descriptions_ = std::move(descriptions);
    loaded_ = true;
    return true;
}

void ResourceSet::clear() {
    loaded_ = false;
    strings_.clear();
    descriptions_.clear();
    dialogs_.clear();
}

std::string ResourceSet::string(int32_t id) const {
    const auto it = strings_.find(id);
    return it == strings_.end() ? std::string() : it->second;
}

const DescriptionResource* ResourceSet::description(const std::string& name) const {
    const auto it = descriptions_.find(name);
    return it == descriptions_.end() ? nullptr : &it->second;
}

const DialogResource* ResourceSet::dialog(int32_t id) const {
    const auto it = dialogs_.find(id);
    return it == dialogs_.end() ? nullptr : &it->second;
}

} // namespace headless
