// Bases of the plug-in classes. The host creates one instance per node of a plug-in type (objects,
// tags, shaders, render effects) or one per registered command, owns it, and calls these
// operations on its main thread. No operation may throw into the host.
#pragma once

#include "plugin/host/container.h"
#include "plugin/host/types.h"

#include <cstdint>
#include <memory>

class HostDescription;
class HostDocument;
class HostNode;
class HostObject;
class HostShader;
class HostTag;
class HostVideoPost;
class HostView;

// Reported in the flags of a parameter read or write that the plug-in answered itself.
constexpr uint32_t kParameterHandled = 2;

class BaseData {
public:
    virtual ~BaseData() = default;
};

class NodeData : public BaseData {
public:
    // Called when the host creates the node: write the initial parameter values.
    virtual bool init(HostNode* node);
    // Called before the host frees the node.
    virtual void free(HostNode* node);
    virtual bool message(HostNode* node, int32_t type, void* data);
    // Build the attribute layout. Without kDescriptionLoaded in `flags` on return, the host
    // loads the node's registered description itself.
    virtual bool getDescription(HostNode* node, HostDescription& description, uint32_t& flags);
    // Answer a parameter read or write; set kParameterHandled to keep the host out of it.
    virtual bool getParameter(HostNode* node, int32_t id, HostValue& value, uint32_t& flags);
    virtual bool setParameter(HostNode* node, int32_t id, const HostValue& value, uint32_t& flags);
};

// Bits of the generation flags the host passes when it asks a generator for its output.
namespace HostGenerate {
constexpr int32_t kForEditorOnly = 2;
constexpr int32_t kForRendering = 4;
} // namespace HostGenerate

// Drawing passes of the host's viewport.
enum class HostDrawPass { Object = 0, Box = 1, Handles = 2, Highlights = 3 };

class ObjectData : public NodeData {
public:
    // The generator's output as a new object tree owned by the host, or null for none.
    virtual std::unique_ptr<HostObject> getVirtualObjects(HostObject* op, int32_t flags);
    // True when drawing succeeded.
    virtual bool draw(HostObject* op, HostDrawPass pass, HostView* view);
    // Centre and half size of the bounding box in object coordinates.
    virtual void getDimension(HostObject* op, Vector& center, Vector& radius);
};

class TagData : public NodeData {
public:
    // The tag's per-frame expression; 0 is success.
    virtual int32_t execute(HostTag* tag, HostDocument* doc, HostObject* op);
    virtual bool draw(HostTag* tag, HostObject* op, HostView* view);
};

class ShaderData : public NodeData {
public:
    // 0 is success.
    virtual int32_t initRender(HostShader* shader);
    virtual int32_t renderInfo(HostShader* shader);
    virtual void freeRender(HostShader* shader);
    // The colour at a sample point (u, v).
    virtual Vector output(HostShader* shader, Real u, Real v);
};

class VideoPostData : public NodeData {
public:
    // Render-time callbacks of a render effect; 0 is success.
    virtual int32_t execute(HostVideoPost* node, int32_t phase);
    virtual int32_t executeLine(HostVideoPost* node, int32_t line, int32_t flags);
};

class CommandData : public BaseData {
public:
    virtual bool execute(HostDocument* doc);
};
