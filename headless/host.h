// The headless host: an in-memory implementation of the host interface that stands in for the
// host application, for people and tests.
#pragma once

#include "headless/clock.h"
#include "headless/cmd_interpreter.h"
#include "headless/document.h"
#include "headless/drive_map.h"
#include "headless/resources.h"
#include "headless/ui_script.h"
#include "plugin/host/application.h"
#include "plugin/host/description.h"

#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace headless {

enum class PluginKind { Command, Object, Tag, RenderEffect, Shader };
const char* pluginKindName(PluginKind kind);

// One plug-in the host accepted, in registration order.
struct RegisteredPlugin {
    PluginKind kind = PluginKind::Command;
    int32_t id = 0;
    std::string name;
    int32_t info = 0;
    std::string help;
    std::string description;
    int32_t diskLevel = 0;
    int32_t priority = 0;
    NodeAllocator allocator = nullptr;
    std::unique_ptr<CommandData> command;
    std::vector<std::unique_ptr<HostBitmap>> icons;
};

// A node's attribute layout: a copy of a description resource with its entries' hidden state.
class HDescription final : public HostDescription {
public:
    explicit HDescription(const class HeadlessHost& host) : host_(host) {}
    bool load(int32_t type) override;
    bool hasEntry(int32_t id) const override;
    bool setHidden(int32_t id, bool hidden) override;
    bool isHidden(int32_t id) const override;
    const std::vector<DescriptionEntry>& entries() const { return entries_; }
    bool loaded() const { return loaded_; }

private:
    DescriptionEntry* find(int32_t id);
    const HeadlessHost& host_;
    std::vector<DescriptionEntry> entries_;
    bool loaded_ = false;
};

class HeadlessHost final : public HostApplication {
public:
    HeadlessHost();
    ~HeadlessHost() override;

    // --- Configuration by tests and the command line ---
    void setInterfaceVersion(int32_t version) { interfaceVersion_ = version; }
    DriveMap& drives() { return drives_; }
    const DriveMap& drives() const { return drives_; }
    Clock& clock() { return clock_; }
    UiScript& ui() { return ui_; }
    // Console lines are kept and, with an echo stream, also written to it as they come.
    void setConsoleEcho(std::ostream* out) { consoleEcho_ = out; }
    const std::vector<std::string>& consoleLines() const { return console_; }
    void clearConsole() { console_.clear(); }
    const std::vector<RegisteredPlugin>& plugins() const { return plugins_; }
    const RegisteredPlugin* plugin(int32_t id) const;
    const ResourceSet& resources() const { return resources_; }
    int resourceReleases() const { return resourceReleases_; }
    // Files the plug-in asked the host to execute, as Windows path text, in order.
    const std::vector<std::string>& executions() const { return executions_; }
    HDocument& document() { return *document_; }
    // Replaces the active document.
    void setDocument(std::unique_ptr<HDocument> doc);
    // The attribute layout of `node`, built as the attribute manager builds it.
    std::unique_ptr<HDescription> describe(HostNode& node);
    // Runs a registered command on the active document; false when no such command exists.
    bool runCommand(int32_t id);
    // Frees every document and plug-in instance (before the plug-in module goes).
    void releasePlugins();

    // --- HostApplication ---
    int32_t interfaceVersion() const override { return interfaceVersion_; }
    bool registerCommand(CommandRegistration&& registration) override;
    bool registerObject(ObjectRegistration&& registration) override;
    bool registerTag(TagRegistration&& registration) override;
    bool registerRenderEffect(RenderEffectRegistration&& registration) override;
    bool registerShader(ShaderRegistration&& registration) override;
    bool registerDescription(int32_t pluginId, const std::string& name) override;

    bool loadResources(const HostFilename& pluginDirectory) override;
    void releaseResources() override;
    std::string resourceString(int32_t id) const override;
    // The description resource registered for a plug-in ID, or null.
    const DescriptionResource* descriptionFor(int32_t type) const;

    std::unique_ptr<HostBitmap> createBitmap() override;

    void console(const std::string& line) override;
    void statusText(const std::string& text) override { status_ = text; }
    const std::string& status() const { return status_; }

    void messageDialog(const std::string& text) override;
    bool questionDialog(const std::string& text) override;
    bool fileSelect(HostFileSelect kind, const std::string& title, HostFilename& file) override;
    bool openDialog(GeDialog& dialog, bool modal) override;

    using HostApplication::fileExists;
    bool fileExists(const HostFilename& file, bool directory) const override;
    bool createDirectory(const HostFilename& directory) override;
    bool readFile(const HostFilename& file, std::string& bytes) const override;
    bool writeFile(const HostFilename& file, const std::string& bytes) override;
    std::vector<std::string> listDirectory(const HostFilename& directory) const override;
    std::string nativePath(const HostFilename& file) const override;
    bool executeFile(const HostFilename& file) override;

    // --- Scripts, programs, files, cursor and refresh (the export road) ---
    // Every command script executed, with what its window showed and the programs it started.
    const std::vector<ScriptRun>& scriptRuns() const { return scriptRuns_; }
    // Waits until every program the scripts started has ended.
    void waitForPrograms() { children_.waitAll(); }
    bool renameFile(const HostFilename& from, const HostFilename& to) override;
    bool removeFile(const HostFilename& file) override;
    void setCursor(int32_t cursor) override { cursors_.push_back(cursor); }
    void refresh(HostRefresh what) override { refreshes_.push_back(what); }
    const std::vector<int32_t>& cursors() const { return cursors_; }
    const std::vector<HostRefresh>& refreshes() const { return refreshes_; }

    int32_t timerMs() override { return clock_.now(); }
    void sleepMs(int32_t ms) override { clock_.sleep(ms); }

    HostDocument* activeDocument() override { return document_.get(); }
    std::unique_ptr<HostDocument> createDocument() override;
    std::unique_ptr<HostObject> createObject(int32_t type) override;
    std::unique_ptr<HostTag> createTag(int32_t type) override;
    std::unique_ptr<HostMaterial> createMaterial(int32_t type) override;
    std::unique_ptr<HostShader> createShader(int32_t type) override;

    bool runHierarchy(Hierarchy& walker, HostDocument* doc, bool spline, Real levelOfDetail,
                      int32_t flags, void* startData) override;

    // --- Geometry commands and evaluation (headless/evaluation.cpp, headless/geometry.cpp).
    std::unique_ptr<HostObject> modelingCommand(int32_t command, HostDocument* doc,
                                                HostObject* op) override;
    void eventAdd() override { ++events_; }
    int events() const { return events_; }
    // Rebuilds every cache of the active document, as the host does before it draws or renders.
    void evaluate();
    // The editor's object drawing pass into the active document's view.
    void drawViews();
    // --- Render effects, preferences and the texture search (headless/render_data.cpp,
    // headless/textures.cpp).
    std::unique_ptr<HostVideoPost> createVideoPost(int32_t type) override;
    // World preference 10000 (the unit) is 3, centimetres, until changed.
    const HostContainer& worldPreferences() const override { return worldPreferences_; }
    HostContainer& worldPreferences() { return worldPreferences_; }
    // The machine's thread count unless set to a positive number.
    int32_t processorThreadCount() const override;
    void setProcessorThreadCount(int32_t threads) { processorThreads_ = threads; }
    bool searchTexture(const HostFilename& documentFolder, const HostFilename& file,
                       const HostFilename& suggestedFolder, HostFilename& found) const override;
    // The configured texture paths, searched after the document's folders.
    void setTexturePaths(std::vector<HostFilename> paths) { texturePaths_ = std::move(paths); }
    const std::vector<HostFilename>& texturePaths() const { return texturePaths_; }

private:
    HostContainer worldPreferences_ = defaultWorldPreferences();
    static HostContainer defaultWorldPreferences();
    int32_t processorThreads_ = 0;
    std::vector<HostFilename> texturePaths_;

    bool acceptRegistration(int32_t id) const;
    bool acceptNode(int32_t id, NodeAllocator allocator) const;
    const RegisteredPlugin* registered(int32_t id, PluginKind kind) const;

    int32_t interfaceVersion_ = 9800;
    DriveMap drives_;
    Clock clock_;
    UiScript ui_;
    std::ostream* consoleEcho_ = nullptr;
    std::vector<std::string> console_;
    std::string status_;
    ResourceSet resources_;
    int resourceReleases_ = 0;
    std::map<int32_t, std::string> descriptionNames_;
    std::vector<RegisteredPlugin> plugins_;
    std::vector<std::string> executions_;
    std::unique_ptr<HDocument> document_;
    // The export road.
    std::vector<ScriptRun> scriptRuns_;
    ChildProcesses children_;
    std::vector<int32_t> cursors_;
    std::vector<HostRefresh> refreshes_;
    int events_ = 0;
};

} // namespace headless
