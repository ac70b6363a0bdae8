// Nodes of a host document: objects, tags, materials, shaders and render effects share this base.
// The host owns every node inserted into a document; a node created and not inserted belongs to
// its creator (the unique_ptr the host handed out). No call throws.
#pragma once

#include "plugin/host/container.h"

#include <cstdint>
#include <string>

class HostDocument;
class HostMaterial;
class HostObject;
class HostShader;
class HostTag;
class HostVideoPost;
class NodeData;

// Node bits the plug-in tests. Their values are the host's.
namespace HostBit {
// A render effect switched off by the user.
constexpr uint32_t kDisabled = 4;
// An object that serves as input of a generator, whose cache already holds its result.
constexpr uint32_t kGeneratorInput = 512;
} // namespace HostBit

class HostNode {
public:
    virtual ~HostNode() = default;

    // The type ID: a host type (5100 polygon object, ...) or a plug-in ID.
    virtual int32_t type() const = 0;
    // Unique within the running host and stable through saving and loading; never 0.
    virtual uint64_t uid() const = 0;
    virtual std::string name() const = 0;
    virtual void setName(const std::string& name) = 0;

    // The node's parameters, live.
    virtual HostContainer& data() = 0;
    virtual const HostContainer& data() const = 0;

    virtual bool hasBit(uint32_t bit) const = 0;
    virtual void setBit(uint32_t bit, bool on) = 0;

    // The plug-in instance behind a node of a plug-in type, else null.
    virtual NodeData* pluginData() = 0;
    // The document the node is inserted in, or null.
    virtual HostDocument* document() = 0;

    // Sends a message to the node (to its plug-in instance for plug-in nodes); the answer is the
    // receiver's, true for nodes that ignore it.
    virtual bool message(int32_t type, void* data = nullptr) = 0;

    // Parameter access as the attribute manager does it: a plug-in node may answer some IDs
    // itself (bitmap buttons); every other ID reads and writes the container.
    virtual bool getParameter(int32_t id, HostValue& value) = 0;
    virtual bool setParameter(int32_t id, const HostValue& value) = 0;

    virtual HostObject* toObject() { return nullptr; }
    virtual HostTag* toTag() { return nullptr; }
    virtual HostMaterial* toMaterial() { return nullptr; }
    virtual HostShader* toShader() { return nullptr; }
    virtual HostVideoPost* toVideoPost() { return nullptr; }
};
