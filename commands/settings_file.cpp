#include "commands/settings_file.h"

#include "commands/export_dialog_ids.h"
#include "plugin/host/application.h"
#include "plugin/plugin_state.h"
#include "util/xml_parse.h"

#include <cctype>
#include <climits>

const LastSettingsKey kLastSettingsKeys[kLastSettingsKeyCount] = {
    {"SPECIFY_RENDER_OUTPUT", &LastSettings::specifyRenderOutput, true,
     EXPORTDLG_SPECIFY_RENDER_OUTPUT},
    {"EXPORTANDRUN", &LastSettings::exportAndRun, true, EXPORTDLG_EXPORTANDRUN},
    {"STARTMASTER", &LastSettings::startMaster, true, EXPORTDLG_STARTMASTER},
    {"RENDERALPHA", &LastSettings::renderAlpha, true, EXPORTDLG_RENDERALPHA},
    {"NOGEOMETRY", &LastSettings::noGeometry, true, EXPORTDLG_NOGEOMETRY},
    {"RENDERCLAY", &LastSettings::renderClay, true, EXPORTDLG_RENDERCLAY},
    {"SEPERATE_MATS", &LastSettings::separateMaterials, true, EXPORTDLG_SEPERATE_MATS},
    {"SEPERATE_SETTINGS", &LastSettings::separateSettings, true, EXPORTDLG_SEPERATE_SETTINGS},
    {"EXPORT_ANIMATION", &LastSettings::exportAnimation, true, EXPORTDLG_EXPORT_ANIMATION},
    {"EXPORT_ANIMATION_STATIC", &LastSettings::exportAnimationStatic, true,
     EXPORTDLG_EXPORT_ANIMATION_STATIC},
    {"CONSOLEMODE", &LastSettings::consoleMode, true, EXPORTDLG_CONSOLEMODE},
    {"EXPORT_ANIMATION_START", &LastSettings::exportAnimationStart, false,
     EXPORTDLG_EXPORT_ANIMATION_START},
    {"EXPORT_ANIMATION_END", &LastSettings::exportAnimationEnd, false,
     EXPORTDLG_EXPORT_ANIMATION_END},
    {"PRIORITY_ID", &LastSettings::priorityId, false, EXPORTDLG_PRIORITY_ID},
    {"PORT_NUMBER", &LastSettings::portNumber, false, EXPORTDLG_PORT_NUMBER},
};

namespace {

constexpr const char* kGlobalSection = "global_settings";
constexpr const char* kLastSection = "last_settings";
constexpr const char* kPathKey = "PATH";

enum class LoadResult { Missing, Unparsable, Loaded };

bool onlyWhitespace(const std::string& text) {
    for (char c : text) {
        if (!std::isspace((unsigned char)c)) {
            return false;
        }
    }
    return true;
}

// The settings file's document. A file that holds nothing but blanks counts as missing: there
// is nothing in it to keep.
LoadResult loadSettings(TiXmlDocument& doc) {
    const HostFilename file = settingsFile();
    if (!host().fileExists(file)) {
        return LoadResult::Missing;
    }
    std::string text;
    if (!host().readFile(file, text)) {
        return LoadResult::Unparsable;
    }
    if (onlyWhitespace(text)) {
        return LoadResult::Missing;
    }
    return parseXmlDocument(text, doc) ? LoadResult::Loaded : LoadResult::Unparsable;
}

std::string elementText(const TiXmlElement& e) {
    const char* text = e.GetText();
    return text ? text : "";
}

// The host's case conversion before the comparison with "true": "TRUE" reads as on too.
bool readBool(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        c = char(std::tolower((unsigned char)c));
    }
    return lower == "true";
}

// The host's text-to-integer conversion: leading blanks, an optional sign and the digits up to
// the first other character; no digits give 0, and values beyond 32 bits saturate.
int32_t readInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace((unsigned char)text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit((unsigned char)text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL) {
            value = 2147483648LL;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    return int32_t(value);
}

void appendTextElement(TiXmlElement& parent, const char* name, const std::string& text) {
    auto* element = new TiXmlElement(name);
    element->LinkEndChild(new TiXmlText(text));
    parent.LinkEndChild(element);
}

// Removes the first top-level element of that name and appends `section` at the end.
void replaceSection(TiXmlDocument& doc, TiXmlElement* section) {
    if (TiXmlElement* old = doc.FirstChildElement(section->Value())) {
        doc.RemoveChild(old);
    }
    doc.LinkEndChild(section);
}

TiXmlElement* lastSettingsSection(const LastSettings& settings) {
    auto* section = new TiXmlElement(kLastSection);
    for (const LastSettingsKey& key : kLastSettingsKeys) {
        const int32_t value = settings.*key.field;
        appendTextElement(*section, key.name,
                          key.isBool ? (value != 0 ? "true" : "false") : std::to_string(value));
    }
    return section;
}

TiXmlElement* globalSettingsSection(const std::string& rendererDirectory) {
    auto* section = new TiXmlElement(kGlobalSection);
    appendTextElement(*section, kPathKey, rendererDirectory);
    return section;
}

} // namespace

bool LastSettings::operator==(const LastSettings& o) const {
    for (const LastSettingsKey& key : kLastSettingsKeys) {
        if (this->*key.field != o.*key.field) {
            return false;
        }
    }
    return true;
}

HostFilename settingsFile() {
    return presetsDirectory() + "tolvaneSettings.cfg";
}

bool readRendererLocation(HostFilename& path, bool withExecutable, bool console) {
    TiXmlDocument doc;
    if (loadSettings(doc) != LoadResult::Loaded) {
        return false;
    }
    const TiXmlElement* section = doc.FirstChildElement(kGlobalSection);
    const TiXmlElement* key = section ? section->FirstChildElement(kPathKey) : nullptr;
    if (key == nullptr) {
        return false;
    }
    const HostFilename directory(elementText(*key));
    path = withExecutable ? directory + (console ? "zarvex_console.exe" : "zarvex.exe") : directory;
    return true;
}

bool chooseRendererDirectory() {
    HostFilename directory;
    const bool chosen =
        host().fileSelect(HostFileSelect::Directory, "Choose Zarvex dir", directory) &&
        !directory.empty();
    HostFilename stored;
    if (chosen || !readRendererLocation(stored, false, false)) {
        writeSettingsFile(std::nullopt, chosen ? directory.text() : std::string());
    }
    return true;
}

std::optional<LastSettings> readLastSettings() {
    TiXmlDocument doc;
    if (loadSettings(doc) != LoadResult::Loaded) {
        return std::nullopt;
    }
    const TiXmlElement* section = doc.FirstChildElement(kLastSection);
    if (section == nullptr) {
        return std::nullopt;
    }
    LastSettings settings;
    for (const LastSettingsKey& key : kLastSettingsKeys) {
        if (const TiXmlElement* e = section->FirstChildElement(key.name)) {
            const std::string text = elementText(*e);
            settings.*key.field = key.isBool ? (readBool(text) ? 1 : 0) : readInt(text);
        }
    }
    return settings;
}

bool writeSettingsFile(const std::optional<LastSettings>& settings,
                       const std::optional<std::string>& rendererDirectory) {
    if (settings.has_value() == rendererDirectory.has_value()) {
        return false;
    }
    const HostFilename file = settingsFile();
    TiXmlDocument doc;
    const LoadResult loaded = loadSettings(doc);
    if (loaded == LoadResult::Unparsable) {
        // Never written over: the user may still want what is in it.
        if (!host().renameFile(file, HostFilename(file.text() + ".bak"))) {
            return false;
        }
        doc.Clear();
    }
    replaceSection(doc, settings ? lastSettingsSection(*settings)
                                 : globalSettingsSection(*rendererDirectory));
    TiXmlPrinter printer;
    printer.SetIndent("    ");
    printer.SetLineBreak("\n");
    doc.Accept(&printer);
    const HostFilename partial(file.text() + ".tmp");
    if (!host().fileExists(presetsDirectory(), true)) {
        host().createDirectory(presetsDirectory());
    }
    if (!host().writeFile(partial, printer.Str()) || !host().renameFile(partial, file)) {
        host().removeFile(partial);
        return false;
    }
    return true;
}
