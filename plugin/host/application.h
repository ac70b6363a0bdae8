// The host application as the plug-in sees it: the root handed over in c4d_main's action 1. It
// registers plug-ins, serves resources, creates nodes and documents, and carries out every
// console line, dialog, file access and program start of the plug-in. No call throws; a query
// that can fail answers false, empty or null.
#pragma once

#include "plugin/host/bitmap.h"
#include "plugin/host/filename.h"
#include "plugin/host/plugin_data.h"
#include "plugin/host/types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GeDialog;
class Hierarchy;
class HostDocument;
class HostMaterial;
class HostObject;
class HostShader;
class HostTag;
class HostVideoPost;

// The oldest interface version the plug-in works with.
constexpr int32_t kMinimumHostInterfaceVersion = 7500;

using NodeAllocator = std::unique_ptr<NodeData> (*)();

struct CommandRegistration {
    int32_t id = 0;
    std::string name;
    int32_t info = 0;
    std::unique_ptr<HostBitmap> icon;
    std::string help;
    std::unique_ptr<CommandData> command;
};

struct ObjectRegistration {
    int32_t id = 0;
    std::string name;
    int32_t info = 0;
    NodeAllocator allocator = nullptr;
    std::string description;
    std::unique_ptr<HostBitmap> largeIcon;
    std::unique_ptr<HostBitmap> smallIcon;
    int32_t diskLevel = 0;
};

struct TagRegistration {
    int32_t id = 0;
    std::string name;
    int32_t info = 0;
    NodeAllocator allocator = nullptr;
    std::string description;
    std::unique_ptr<HostBitmap> icon;
    int32_t diskLevel = 0;
};

struct RenderEffectRegistration {
    int32_t id = 0;
    std::string name;
    int32_t info = 0;
    NodeAllocator allocator = nullptr;
    std::string description;
    int32_t diskLevel = 0;
    int32_t priority = 0;
    int32_t executeFlags = 0;
};

struct ShaderRegistration {
    int32_t id = 0;
    std::string name;
    int32_t info = 0;
    NodeAllocator allocator = nullptr;
    std::string description;
    int32_t diskLevel = 0;
};

// File chooser kinds.
enum class HostFileSelect { Load, Save, Directory };

// --- Busy pointer and refresh calls (commands that run an export) ---
// The mouse pointer shapes a command can ask for; their values are the host's.
namespace HostCursor {
constexpr int32_t kBusy = 3;
} // namespace HostCursor

// What a command asks the host to bring up to date after it changed the document, in the order
// an export job makes the three calls.
enum class HostRefresh {
    // The update message (7) to the active document: caches and dependent data are rebuilt.
    DocumentUpdate = 0,
    // The event update (value 0): every part of the interface redraws what changed.
    Event = 1,
    // The views redraw.
    Views = 2,
};

class HostApplication {
public:
    virtual ~HostApplication() = default;

    virtual int32_t interfaceVersion() const = 0;

    // Registration. Each answers whether the host accepted the plug-in.
    virtual bool registerCommand(CommandRegistration&& registration) = 0;
    virtual bool registerObject(ObjectRegistration&& registration) = 0;
    virtual bool registerTag(TagRegistration&& registration) = 0;
    virtual bool registerRenderEffect(RenderEffectRegistration&& registration) = 0;
    virtual bool registerShader(ShaderRegistration&& registration) = 0;
    // Makes the description resource `name` the attribute layout of plug-in `pluginId`; false
    // when the plug-in's resources hold no description of that name.
    virtual bool registerDescription(int32_t pluginId, const std::string& name) = 0;

    // Resources of the plug-in whose folder is `pluginDirectory` (its `res` folder).
    virtual bool loadResources(const HostFilename& pluginDirectory) = 0;
    virtual void releaseResources() = 0;
    // String resource by number; empty when missing.
    virtual std::string resourceString(int32_t id) const = 0;

    virtual std::unique_ptr<HostBitmap> createBitmap() = 0;

    // One line of the console.
    virtual void console(const std::string& line) = 0;
    virtual void statusText(const std::string& text) = 0;

    // User interface. Each prompt returns when the user has answered; a cancel is false.
    virtual void messageDialog(const std::string& text) = 0;
    virtual bool questionDialog(const std::string& text) = 0;
    virtual bool fileSelect(HostFileSelect kind, const std::string& title, HostFilename& file) = 0;
    virtual bool openDialog(GeDialog& dialog, bool modal) = 0;

    // Files, by Windows path text.
    virtual bool fileExists(const HostFilename& file, bool directory) const = 0;
    bool fileExists(const HostFilename& file) const { return fileExists(file, false); }
    // Creates one directory whose parent exists; true when it exists afterwards.
    virtual bool createDirectory(const HostFilename& directory) = 0;
    virtual bool readFile(const HostFilename& file, std::string& bytes) const = 0;
    // Replaces the file with exactly these bytes.
    virtual bool writeFile(const HostFilename& file, const std::string& bytes) = 0;
    // Entry names of a directory, in the host's order; empty when it cannot be read.
    virtual std::vector<std::string> listDirectory(const HostFilename& directory) const = 0;
    // The path the host's own file access opens for `file` (for modules that take a path).
    virtual std::string nativePath(const HostFilename& file) const = 0;
    // Opens `file` with the system's default action (a command script runs).
    virtual bool executeFile(const HostFilename& file) = 0;

    // --- Atomic replacement of files, busy pointer and refresh (the settings file, commands) ---
    // Renames `from` to `to`, replacing `to` if it exists, in one step: a reader sees either the
    // old or the new `to`, never a part of it. False when it could not be done.
    virtual bool renameFile(const HostFilename& from, const HostFilename& to) = 0;
    // Deletes a file (not a directory); false when it did not exist or could not be deleted.
    virtual bool removeFile(const HostFilename& file) = 0;
    // Sets the mouse pointer (HostCursor), for example to busy while a command works.
    virtual void setCursor(int32_t cursor) = 0;
    virtual void refresh(HostRefresh what) = 0;

    // Milliseconds since an arbitrary start.
    virtual int32_t timerMs() = 0;
    virtual void sleepMs(int32_t ms) = 0;

    // Documents and nodes. Created nodes belong to the caller until inserted.
    virtual HostDocument* activeDocument() = 0;
    virtual std::unique_ptr<HostDocument> createDocument() = 0;
    virtual std::unique_ptr<HostObject> createObject(int32_t type) = 0;
    virtual std::unique_ptr<HostTag> createTag(int32_t type) = 0;
    virtual std::unique_ptr<HostMaterial> createMaterial(int32_t type) = 0;
    virtual std::unique_ptr<HostShader> createShader(int32_t type) = 0;

    virtual bool runHierarchy(Hierarchy& walker, HostDocument* doc, bool spline, Real levelOfDetail,
                              int32_t flags, void* startData) = 0;

    // --- Geometry commands.
    // A modeling command (HostModeling) on `op` of `doc`: the object it makes, owned by the
    // caller, or null when the command is unknown or fails.
    virtual std::unique_ptr<HostObject> modelingCommand(int32_t command, HostDocument* doc,
                                                        HostObject* op) = 0;
    // Asks the host to redraw and refresh its managers after a change.
    virtual void eventAdd() = 0;

    // --- Render effects, preferences and the texture search (used by the scene writers).
    // A render effect of a registered render-effect plug-in, its initial values written; null for
    // an unknown type. It belongs to the caller until inserted into a render data.
    virtual std::unique_ptr<HostVideoPost> createVideoPost(int32_t type) = 0;
    // The host's world preferences (HostPreference).
    virtual const HostContainer& worldPreferences() const = 0;
    // The number of processor threads the machine offers; at least 1.
    virtual int32_t processorThreadCount() const = 0;
    // Looks for the texture `file` the way the host's renderer does: a file name found as given,
    // or in `documentFolder`, its "tex" folder, `suggestedFolder` (may be empty) and the
    // configured texture paths, in that order. True when found; `found` is then the file found,
    // or empty when `file` itself names it.
    virtual bool searchTexture(const HostFilename& documentFolder, const HostFilename& file,
                               const HostFilename& suggestedFolder, HostFilename& found) const = 0;
};

// The root the plug-in received, for code that has no other way to the host.
HostApplication& host();
HostApplication* hostOrNull();
void setHost(HostApplication* app);
