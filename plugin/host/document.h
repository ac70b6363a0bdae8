// Host documents: the object tree, the materials and the document-wide state.
#pragma once

#include "plugin/host/container.h"
#include "plugin/host/filename.h"
#include "plugin/host/types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class HostMaterial;
class HostNode;
class HostObject;
class HostRenderData;
class HostShader;
class HostView;
enum class HostUndo;

class HostDocument {
public:
    virtual ~HostDocument() = default;

    virtual std::string name() const = 0;
    // The document's file, empty for a document never saved.
    virtual HostFilename path() const = 0;

    virtual HostObject* firstObject() const = 0;
    // Inserts `object` below `parent` (null: top level) after `pred` (null: first).
    virtual HostObject* insertObject(std::unique_ptr<HostObject> object, HostObject* parent,
                                     HostObject* pred) = 0;
    // The first object of that name in tree order, or null.
    virtual HostObject* searchObject(const std::string& name) const = 0;

    virtual HostMaterial* firstMaterial() const = 0;
    // Inserts `material` after `pred` (null: first).
    virtual HostMaterial* insertMaterial(std::unique_ptr<HostMaterial> material,
                                         HostMaterial* pred) = 0;

    // The view of the editor the user works in, or null when the document is not shown.
    virtual HostView* activeView() const = 0;

    // The node with that unique ID anywhere in this document (objects, caches, tags, materials,
    // shaders, render settings), or null.
    virtual HostNode* findNode(uint64_t uid) const = 0;

    // --- Selection, undo, settings and messages (editing commands).
    // The selected objects in tree order; with `children`, the selected objects below a selected
    // object are reported too, else only the topmost of them.
    virtual std::vector<HostObject*> activeObjects(bool children) const = 0;
    virtual void setSelected(HostObject* object, bool selected) = 0;
    // One undo step gathers every record between start and end; false outside a step.
    virtual bool startUndo() = 0;
    virtual bool addUndo(HostUndo kind, HostNode* node) = 0;
    virtual bool endUndo() = 0;
    // The document's own settings container.
    virtual HostContainer& settings() = 0;
    // A message to the document (HostMessage codes).
    virtual void message(int32_t type) = 0;

    // --- Render settings and document shaders (used by the scene writers).
    // The render data the document renders with, or null when it has none.
    virtual HostRenderData* activeRenderData() const = 0;
    // Makes `shader` a shader of the document itself (not of a material); the document owns it
    // then. Null when it cannot be inserted.
    virtual HostShader* insertShader(std::unique_ptr<HostShader> shader) = 0;

    // --- Document time and evaluation (the export job's frame loop, quick render) ---
    // The current time and the frames per second (at least 1) it converts to frames at.
    virtual HostTime time() const = 0;
    virtual int32_t fps() const = 0;
    // Moves the current time; nothing is evaluated until evaluate is called.
    virtual void setTime(const HostTime& time) = 0;
    // Brings the document to its current time: animation tracks applied, then the expressions
    // of the tags run. False when an expression failed.
    virtual bool evaluate() = 0;
};
