#include "headless/cli/stored_options.h"

#include "util/xml_parse.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace headless::cli {

namespace {

// The keys of last_settings in the file's order with the export dialog's first values, as the
// settings file's description gives them.
const std::pair<const char*, const char*> kFirstValues[] = {
    {"SPECIFY_RENDER_OUTPUT", "false"},
    {"EXPORTANDRUN", "true"},
    {"STARTMASTER", "false"},
    {"RENDERALPHA", "false"},
    {"NOGEOMETRY", "false"},
    {"RENDERCLAY", "false"},
    {"SEPERATE_MATS", "false"},
    {"SEPERATE_SETTINGS", "false"},
    {"EXPORT_ANIMATION", "false"},
    {"EXPORT_ANIMATION_STATIC", "true"},
    {"CONSOLEMODE", "false"},
    {"EXPORT_ANIMATION_START", "0"},
    {"EXPORT_ANIMATION_END", "0"},
    {"PRIORITY_ID", "1660"},
    {"PORT_NUMBER", "7777"},
};

// As the plug-in reads a boolean: "true" in any letter case is on.
bool readsAsOn(const TiXmlElement* section, const char* key) {
    const TiXmlElement* e = section ? section->FirstChildElement(key) : nullptr;
    std::string text = e && e->GetText() ? e->GetText() : "";
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return text == "true";
}

void setText(TiXmlElement& section, const char* key, const std::string& text) {
    TiXmlElement* e = section.FirstChildElement(key);
    if (e == nullptr) {
        e = new TiXmlElement(key);
        section.LinkEndChild(e);
    }
    e->Clear();
    e->LinkEndChild(new TiXmlText(text));
}

} // namespace

bool storeLockedOptions(const std::string& settingsPath, const std::map<std::string, bool>& values,
                        std::string& error) {
    TiXmlDocument doc;
    std::error_code ec;
    if (std::filesystem::exists(settingsPath, ec)) {
        std::ifstream in(settingsPath, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        const std::string content = text.str();
        const bool blank = std::all_of(content.begin(), content.end(),
                                       [](unsigned char c) { return std::isspace(c); });
        if (!blank && !parseXmlDocument(content, doc)) {
            error = "the settings file " + settingsPath +
                    " does not parse; correct or remove it to change " + values.begin()->first;
            return false;
        }
    }
    TiXmlElement* section = doc.FirstChildElement("last_settings");
    const bool same = std::all_of(values.begin(), values.end(), [&](const auto& v) {
        return readsAsOn(section, v.first.c_str()) == v.second;
    });
    if (same) {
        return true;
    }
    if (section == nullptr) {
        section = new TiXmlElement("last_settings");
        for (const auto& [key, value] : kFirstValues) {
            setText(*section, key, value);
        }
        doc.LinkEndChild(section);
    }
    for (const auto& [key, on] : values) {
        setText(*section, key.c_str(), on ? "true" : "false");
    }
    TiXmlPrinter printer;
    printer.SetIndent("    ");
    doc.Accept(&printer);
    const std::string partial = settingsPath + ".tmp";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << printer.Str();
        out.close();
        if (!out) {
            std::remove(partial.c_str());
            error = "cannot write the settings file " + settingsPath;
            return false;
        }
    }
    std::filesystem::rename(partial, settingsPath, ec);
    if (ec) {
        std::remove(partial.c_str());
        error = "cannot write the settings file " + settingsPath;
        return false;
    }
    return true;
}

} // namespace headless::cli
