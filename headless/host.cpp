#include "headless/host.h"

#include "headless/bitmap.h"
#include "headless/dialog_window.h"
#include "headless/evaluation.h"
#include "headless/primitives.h"
#include "plugin/host/dialog.h"
#include "plugin/host/hierarchy.h"
#include "plugin/host/host_ids.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace headless {

namespace {

const std::set<int32_t> kHostObjectTypes = {
    HostType::kPolygonObject, HostType::kLight, HostType::kCamera, HostType::kNull, HostType::kCube,
    HostType::kSphere, HostType::kPlane,
    // Geometry (headless/primitives.cpp).
    HostType::kSubdivisionGenerator, HostType::kTwistDeformer};
const std::set<int32_t> kHostTagTypes = {HostType::kPhongTag, HostType::kTextureTag,
                                         HostType::kUvwTag, HostType::kPolygonSelectionTag};
const std::set<int32_t> kHostMaterialTypes = {HostType::kStandardMaterial};
const std::set<int32_t> kHostShaderTypes = {HostType::kBitmapShader};

const char* promptName(UiPrompt::Kind kind) {
    switch (kind) {
    case UiPrompt::Kind::Message:
        return "message";
    case UiPrompt::Kind::Question:
        return "question";
    case UiPrompt::Kind::LoadFile:
        return "open file";
    case UiPrompt::Kind::SaveFile:
        return "save file";
    case UiPrompt::Kind::Directory:
        return "choose directory";
    case UiPrompt::Kind::Dialog:
        return "dialog";
    }
    return "prompt";
}

} // namespace

const char* pluginKindName(PluginKind kind) {
    switch (kind) {
    case PluginKind::Command:
        return "command";
    case PluginKind::Object:
        return "object";
    case PluginKind::Tag:
        return "tag";
    case PluginKind::RenderEffect:
        return "render effect";
    case PluginKind::Shader:
        return "shader";
    }
    return "plug-in";
}

// --- HDescription ---

bool HDescription::load(int32_t type) {
    const DescriptionResource* resource = host_.descriptionFor(type);
    if (resource == nullptr) {
        return false;
    }
    entries_ = resource->entries;
    loaded_ = true;
    return true;
}

DescriptionEntry* HDescription::find(int32_t id) {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [id](const DescriptionEntry& e) { return e.id == id; });
    return it == entries_.end() ? nullptr : &*it;
}

bool HDescription::hasEntry(int32_t id) const {
    return const_cast<HDescription*>(this)->find(id) != nullptr;
}

bool HDescription::setHidden(int32_t id, bool hidden) {
    DescriptionEntry* entry = find(id);
    if (entry == nullptr) {
        return false;
    }
    entry->hidden = hidden;
    return true;
}

bool HDescription::isHidden(int32_t id) const {
    const DescriptionEntry* entry = const_cast<HDescription*>(this)->find(id);
    return entry != nullptr && entry->hidden;
}

// --- HeadlessHost ---

HeadlessHost::HeadlessHost() : document_(std::make_unique<HDocument>()) {}

HeadlessHost::~HeadlessHost() {
    releasePlugins();
}

void HeadlessHost::releasePlugins() {
    document_.reset();
    plugins_.clear();
    descriptionNames_.clear();
    document_ = std::make_unique<HDocument>();
}

void HeadlessHost::setDocument(std::unique_ptr<HDocument> doc) {
    document_ = doc ? std::move(doc) : std::make_unique<HDocument>();
}

const RegisteredPlugin* HeadlessHost::plugin(int32_t id) const {
    for (const RegisteredPlugin& p : plugins_) {
        if (p.id == id) {
            return &p;
        }
    }
    return nullptr;
}

const RegisteredPlugin* HeadlessHost::registered(int32_t id, PluginKind kind) const {
    const RegisteredPlugin* p = plugin(id);
    return p != nullptr && p->kind == kind ? p : nullptr;
}

namespace {

// The entry of a node kind (object, tag, render effect, shader): what every one of them carries.
template <class Registration> RegisteredPlugin nodeEntry(PluginKind kind, Registration& r) {
    RegisteredPlugin p;
    p.kind = kind;
    p.id = r.id;
    p.name = r.name;
    p.info = r.info;
    p.description = r.description;
    p.diskLevel = r.diskLevel;
    p.allocator = r.allocator;
    return p;
}

void addIcon(RegisteredPlugin& p, std::unique_ptr<HostBitmap> icon) {
    if (icon) {
        p.icons.push_back(std::move(icon));
    }
}

} // namespace

bool HeadlessHost::acceptRegistration(int32_t id) const {
    return id > 0 && plugin(id) == nullptr;
}

bool HeadlessHost::registerCommand(CommandRegistration&& r) {
    if (!acceptRegistration(r.id) || !r.command) {
        return false;
    }
    RegisteredPlugin p;
    p.kind = PluginKind::Command;
    p.id = r.id;
    p.name = r.name;
    p.info = r.info;
    p.help = r.help;
    p.command = std::move(r.command);
    addIcon(p, std::move(r.icon));
    plugins_.push_back(std::move(p));
    return true;
}

bool HeadlessHost::acceptNode(int32_t id, NodeAllocator allocator) const {
    return acceptRegistration(id) && allocator != nullptr;
}

bool HeadlessHost::registerObject(ObjectRegistration&& r) {
    if (!acceptNode(r.id, r.allocator)) {
        return false;
    }
    RegisteredPlugin p = nodeEntry(PluginKind::Object, r);
    addIcon(p, std::move(r.largeIcon));
    addIcon(p, std::move(r.smallIcon));
    plugins_.push_back(std::move(p));
    return true;
}

bool HeadlessHost::registerTag(TagRegistration&& r) {
    if (!acceptNode(r.id, r.allocator)) {
        return false;
    }
    RegisteredPlugin p = nodeEntry(PluginKind::Tag, r);
    addIcon(p, std::move(r.icon));
    plugins_.push_back(std::move(p));
    return true;
}

bool HeadlessHost::registerRenderEffect(RenderEffectRegistration&& r) {
    if (!acceptNode(r.id, r.allocator)) {
        return false;
    }
    RegisteredPlugin p = nodeEntry(PluginKind::RenderEffect, r);
    p.priority = r.priority;
    plugins_.push_back(std::move(p));
    return true;
}

bool HeadlessHost::registerShader(ShaderRegistration&& r) {
    if (!acceptNode(r.id, r.allocator)) {
        return false;
    }
    plugins_.push_back(nodeEntry(PluginKind::Shader, r));
    return true;
}

bool HeadlessHost::registerDescription(int32_t pluginId, const std::string& name) {
    if (resources_.description(name) == nullptr) {
        return false;
    }
    descriptionNames_[pluginId] = name;
    return true;
}

const DescriptionResource* HeadlessHost::descriptionFor(int32_t type) const {
    const auto it = descriptionNames_.find(type);
    return it == descriptionNames_.end() ? nullptr : resources_.description(it->second);
}

bool HeadlessHost::loadResources(const HostFilename& pluginDirectory) {
    const std::string native = nativePath(pluginDirectory + "res");
    std::string error;
    if (native.empty() || !resources_.load(native, error)) {
        if (consoleEcho_ != nullptr && !error.empty()) {
            *consoleEcho_ << "tolvane-host: resources not loaded: " << error << '\n';
        }
        return false;
    }
    return true;
}

void HeadlessHost::releaseResources() {
    resources_.clear();
    ++resourceReleases_;
}

std::string HeadlessHost::resourceString(int32_t id) const {
    return resources_.string(id);
}

std::unique_ptr<HostBitmap> HeadlessHost::createBitmap() {
    return std::make_unique<HBitmap>([this](const HostFilename& f) { return nativePath(f); });
}

void HeadlessHost::console(const std::string& line) {
    console_.push_back(line);
    if (consoleEcho_ != nullptr) {
        *consoleEcho_ << line << '\n';
    }
}

void HeadlessHost::messageDialog(const std::string& text) {
    ui_.record({UiPrompt::Kind::Message, text, std::string(), false});
    if (consoleEcho_ != nullptr) {
        *consoleEcho_ << "[" << promptName(UiPrompt::Kind::Message) << "] " << text << '\n';
    }
}

bool HeadlessHost::questionDialog(const std::string& text) {
    const std::optional<std::string> answer = ui_.take(UiPrompt::Kind::Question, text);
    const bool yes = answer && *answer == "yes";
    ui_.record({UiPrompt::Kind::Question, text, answer.value_or(""), !answer});
    if (consoleEcho_ != nullptr) {
        *consoleEcho_ << "[" << promptName(UiPrompt::Kind::Question) << "] " << text << " -> "
                      << (answer ? *answer : std::string("cancelled")) << '\n';
    }
    return yes;
}

bool HeadlessHost::fileSelect(HostFileSelect kind, const std::string& title, HostFilename& file) {
    const UiPrompt::Kind promptKind = kind == HostFileSelect::Load   ? UiPrompt::Kind::LoadFile
                                      : kind == HostFileSelect::Save ? UiPrompt::Kind::SaveFile
                                                                     : UiPrompt::Kind::Directory;
    const std::optional<std::string> answer = ui_.take(promptKind, title);
    if (!answer) {
        ui_.record({promptKind, title, std::string(), true});
        if (consoleEcho_ != nullptr) {
            *consoleEcho_ << "[" << promptName(promptKind) << "] " << title << " -> cancelled\n";
        }
        return false;
    }
    // A native path is shown to the plug-in as the host shows every path: Windows text.
    const std::string text =
        !answer->empty() && answer->front() == '/' ? drives_.toWindows(*answer) : *answer;
    file = HostFilename(text);
    ui_.record({promptKind, title, text, false});
    if (consoleEcho_ != nullptr) {
        *consoleEcho_ << "[" << promptName(promptKind) << "] " << title << " -> " << text << '\n';
    }
    return true;
}

bool HeadlessHost::openDialog(GeDialog& dialog, bool modal) {
    HDialogWindow window(resources_, dialog);
    dialog.attachHostDialog(&window);
    UiPrompt prompt{UiPrompt::Kind::Dialog, "dialog", std::string(), true};
    auto echo = [this, &prompt](const std::string& line) {
        if (consoleEcho_ != nullptr) {
            *consoleEcho_ << "[" << prompt.text << "] " << line << '\n';
        }
    };
    // A dialog whose layout or first values fail does not open.
    const bool opened = dialog.createLayout() && window.isOpen() && dialog.initValues();
    prompt.text = "dialog " + std::to_string(window.resourceId());
    if (!opened) {
        prompt.error = "the dialog did not open";
        echo(prompt.error);
        dialog.attachHostDialog(nullptr);
        ui_.record(std::move(prompt));
        return false;
    }
    if (std::optional<DialogScript> script = ui_.takeDialog(window.resourceId())) {
        for (const DialogStep& step : script->steps) {
            if (!window.isOpen()) {
                break;
            }
            const bool isSet = step.action == DialogStep::Action::Set;
            const std::string gadget =
                step.gadget != 0 ? std::to_string(step.gadget) : step.gadgetName;
            const std::string text = isSet ? "set " + gadget + " " + step.value : "press " + gadget;
            echo(text);
            prompt.steps.push_back(text);
            const int32_t id = step.gadget != 0 ? step.gadget : window.gadgetId(step.gadgetName);
            std::string error = id == 0 ? "dialog " + std::to_string(window.resourceId()) +
                                              " has no gadget named " + step.gadgetName
                                        : std::string();
            const bool done =
                id != 0 && (isSet ? window.set(id, step.value, error) : window.press(id, error));
            if (!done) {
                prompt.error = error;
                echo(error);
                break;
            }
        }
        if (script->driver && window.isOpen() && prompt.error.empty()) {
            script->driver(window);
        }
    }
    // A script that has run out leaves the user nothing to do but close the window.
    if (window.isOpen()) {
        window.closeByUser();
    }
    dialog.attachHostDialog(nullptr);
    prompt.answer = window.result() ? "true" : "false";
    prompt.cancelled = !window.result();
    echo(std::string("closed with ") + prompt.answer);
    ui_.record(std::move(prompt));
    return modal ? window.result() : true;
}

std::string HeadlessHost::nativePath(const HostFilename& file) const {
    return drives_.toNative(file.text());
}

bool HeadlessHost::fileExists(const HostFilename& file, bool directory) const {
    const std::string native = nativePath(file);
    std::error_code ec;
    if (native.empty()) {
        return false;
    }
    return directory ? fs::is_directory(native, ec) : fs::is_regular_file(native, ec);
}

bool HeadlessHost::createDirectory(const HostFilename& directory) {
    const std::string native = nativePath(directory);
    std::error_code ec;
    if (native.empty()) {
        return false;
    }
    // As on the host's file system, one level at a time: the parent must exist.
    fs::create_directory(native, ec);
    return fs::is_directory(native, ec);
}

bool HeadlessHost::readFile(const HostFilename& file, std::string& bytes) const {
    const std::string native = nativePath(file);
    std::error_code ec;
    if (native.empty() || !fs::is_regular_file(native, ec)) {
        return false;
    }
    std::ifstream in(native, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    if (!in && !in.eof()) {
        return false;
    }
    bytes = s.str();
    return true;
}

bool HeadlessHost::writeFile(const HostFilename& file, const std::string& bytes) {
    const std::string native = nativePath(file);
    if (native.empty()) {
        return false;
    }
    std::ofstream out(native, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    return bool(out);
}

std::vector<std::string> HeadlessHost::listDirectory(const HostFilename& directory) const {
    std::vector<std::string> names;
    const std::string native = nativePath(directory);
    std::error_code ec;
    if (native.empty() || !fs::is_directory(native, ec)) {
        return names;
    }
    for (const auto& entry : fs::directory_iterator(native, ec)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool HeadlessHost::executeFile(const HostFilename& file) {
    executions_.push_back(file.text());
    if (file.empty() || !fileExists(file, false)) {
        return false;
    }
    // The system's default action: a command script runs; other files have no program here
    // that would open them.
    if (!file.checkSuffix("cmd") && !file.checkSuffix("bat")) {
        return true;
    }
    std::string text;
    if (!readFile(file, text)) {
        return false;
    }
    ScriptRun run;
    run.file = file.text();
    const std::string scriptName = file.file().text();
    CmdInterpreter interpreter(drives_, [this](ProgramStart& start) {
        launchProgram(start);
        if (start.started) {
            children_.add(start.pid);
        }
    });
    interpreter.run(text, fs::path(nativePath(file)).parent_path().string(), run);
    if (consoleEcho_ != nullptr) {
        for (const std::string& line : run.output) {
            *consoleEcho_ << "[" << scriptName << "] " << line << '\n';
        }
        for (const ProgramStart& start : run.starts) {
            *consoleEcho_ << "[start" << (start.belowNormal ? " /belownormal" : "") << "] "
                          << start.program;
            for (const std::string& argument : start.arguments) {
                *consoleEcho_ << ' ' << argument;
            }
            *consoleEcho_ << (start.started ? "" : " (" + start.error + ")") << '\n';
        }
    }
    scriptRuns_.push_back(std::move(run));
    return true;
}

bool HeadlessHost::renameFile(const HostFilename& from, const HostFilename& to) {
    const std::string source = nativePath(from);
    const std::string target = nativePath(to);
    std::error_code ec;
    if (source.empty() || target.empty() || !fs::is_regular_file(source, ec)) {
        return false;
    }
    // rename(2) replaces the target in one step.
    fs::rename(source, target, ec);
    return !ec;
}

bool HeadlessHost::removeFile(const HostFilename& file) {
    const std::string native = nativePath(file);
    std::error_code ec;
    if (native.empty() || !fs::is_regular_file(native, ec)) {
        return false;
    }
    return fs::remove(native, ec);
}

std::unique_ptr<HostDocument> HeadlessHost::createDocument() {
    return std::make_unique<HDocument>();
}

std::unique_ptr<HostObject> HeadlessHost::createObject(int32_t type) {
    const RegisteredPlugin* p = registered(type, PluginKind::Object);
    if (p == nullptr && kHostObjectTypes.count(type) == 0) {
        return nullptr;
    }
    auto object = std::make_unique<HObject>(type);
    if (p != nullptr && !object->attachPlugin(p->allocator())) {
        return nullptr;
    }
    // Copies of the object need a plug-in instance of their own.
    object->setAllocator(p != nullptr ? p->allocator : nullptr);
    writeInitialParameters(*object);
    return object;
}

std::unique_ptr<HostTag> HeadlessHost::createTag(int32_t type) {
    const RegisteredPlugin* p = registered(type, PluginKind::Tag);
    if (p == nullptr && kHostTagTypes.count(type) == 0) {
        return nullptr;
    }
    auto tag = std::make_unique<HTag>(type);
    if (p != nullptr && !tag->attachPlugin(p->allocator())) {
        return nullptr;
    }
    tag->setAllocator(p != nullptr ? p->allocator : nullptr);
    return tag;
}

std::unique_ptr<HostMaterial> HeadlessHost::createMaterial(int32_t type) {
    if (kHostMaterialTypes.count(type) == 0) {
        return nullptr;
    }
    return std::make_unique<HMaterial>(type);
}

std::unique_ptr<HostShader> HeadlessHost::createShader(int32_t type) {
    const RegisteredPlugin* p = registered(type, PluginKind::Shader);
    if (p == nullptr && kHostShaderTypes.count(type) == 0) {
        return nullptr;
    }
    auto shader = std::make_unique<HShader>(type);
    if (p != nullptr && !shader->attachPlugin(p->allocator())) {
        return nullptr;
    }
    return shader;
}

std::unique_ptr<HDescription> HeadlessHost::describe(HostNode& node) {
    auto description = std::make_unique<HDescription>(*this);
    uint32_t flags = 0;
    NodeData* data = node.pluginData();
    if (data != nullptr && !data->getDescription(&node, *description, flags)) {
        return nullptr;
    }
    if ((flags & kDescriptionLoaded) == 0 && !description->load(node.type())) {
        return nullptr;
    }
    return description;
}

bool HeadlessHost::runCommand(int32_t id) {
    const RegisteredPlugin* p = registered(id, PluginKind::Command);
    return p != nullptr && p->command->execute(document_.get());
}

namespace {

// Hands every object to the walker with its global matrix, the generated or deformed objects of a
// generator in place of the generator, one level of walker data per object.
bool walkObjects(Hierarchy& walker, HostObject* first, const HostMatrix& parent, void* data) {
    for (HostObject* o = first; o != nullptr; o = o->next()) {
        const HostMatrix global = parent * o->localMatrix();
        void* level = walker.allocData();
        walker.copyData(data, level);
        bool goOn = true;
        if (HostObject* deformed = o->deformCache()) {
            goOn = walkObjects(walker, deformed, global, level);
        } else if (HostObject* generated = o->cache()) {
            goOn = walkObjects(walker, generated, global, level);
        } else {
            goOn = walker.visit(level, o, global, o->hasBit(HostBit::kGeneratorInput));
        }
        goOn = goOn && walkObjects(walker, o->down(), global, level);
        walker.freeData(level);
        if (!goOn) {
            return false;
        }
    }
    return true;
}

} // namespace

std::unique_ptr<HostObject> HeadlessHost::modelingCommand(int32_t command, HostDocument* doc,
                                                          HostObject* op) {
    auto* object = dynamic_cast<HObject*>(op);
    if (command != HostModeling::kCurrentStateToObject || object == nullptr ||
        (doc != nullptr && object->document() != doc)) {
        return nullptr;
    }
    return currentStateToObject(*object);
}

void HeadlessHost::evaluate() {
    evaluateDocument(*document_);
}

void HeadlessHost::drawViews() {
    document_->view().clearLines();
    drawDocument(*document_, document_->view());
}

bool HeadlessHost::runHierarchy(Hierarchy& walker, HostDocument* doc, bool, Real, int32_t,
                                void* startData) {
    if (doc == nullptr) {
        return false;
    }
    // The walk builds the caches it passes, as the host's evaluation does.
    if (auto* own = dynamic_cast<HDocument*>(doc)) {
        evaluateDocument(*own);
    }
    return walkObjects(walker, doc->firstObject(), HostMatrix(), startData);
}

} // namespace headless
