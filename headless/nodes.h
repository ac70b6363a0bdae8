// The headless host's nodes: one class per node family, implementing the host interface.
#pragma once

#include "headless/node_registry.h"
#include "plugin/host/application.h"
#include "plugin/host/geometry.h"
#include "plugin/host/material.h"
#include "plugin/host/plugin_data.h"
#include "plugin/host/polygon_object.h"
#include "plugin/host/tag.h"

#include <memory>
#include <string>
#include <vector>

namespace headless {

class HDocument;
class HObject;

// What every node has: type, unique ID, name, parameters, bits and, for plug-in types, the
// plug-in instance. The most derived class releases the plug-in instance in its destructor,
// while the node is still whole, because the plug-in's free callback may look at it.
template <class Base> class NodeImpl : public Base {
public:
    explicit NodeImpl(int32_t type) : type_(type), uid_(registerNode(this)) {}
    ~NodeImpl() override { unregisterNode(uid_); }
    NodeImpl(const NodeImpl&) = delete;
    NodeImpl& operator=(const NodeImpl&) = delete;

    int32_t type() const override { return type_; }
    uint64_t uid() const override { return uid_; }
    std::string name() const override { return name_; }
    void setName(const std::string& name) override { name_ = name; }
    HostContainer& data() override { return data_; }
    const HostContainer& data() const override { return data_; }
    bool hasBit(uint32_t bit) const override { return (bits_ & bit) != 0; }
    void setBit(uint32_t bit, bool on) override { bits_ = on ? (bits_ | bit) : (bits_ & ~bit); }
    uint32_t bits() const { return bits_; }
    NodeData* pluginData() override { return plugin_.get(); }

    bool message(int32_t type, void* data) override {
        return plugin_ ? plugin_->message(this, type, data) : true;
    }

    bool getParameter(int32_t id, HostValue& value) override {
        uint32_t flags = 0;
        if (plugin_ && plugin_->getParameter(this, id, value, flags) &&
            (flags & kParameterHandled) != 0) {
            return true;
        }
        const HostValue* stored = data_.find(id);
        value = stored ? *stored : HostValue();
        return stored != nullptr;
    }

    bool setParameter(int32_t id, const HostValue& value) override {
        uint32_t flags = 0;
        if (plugin_ && plugin_->setParameter(this, id, value, flags) &&
            (flags & kParameterHandled) != 0) {
            return true;
        }
        data_.set(id, value);
        return true;
    }

    // Makes `plugin` this node's plug-in instance and lets it write its initial values.
    bool attachPlugin(std::unique_ptr<NodeData> plugin) {
        plugin_ = std::move(plugin);
        return plugin_ == nullptr || plugin_->init(this);
    }

    // The allocator of the node's plug-in instance, for copies of the node; null for host types.
    void setAllocator(NodeAllocator allocator) { allocator_ = allocator; }

    // Gives `twin` (a new node of the same type) what every copy takes over: a fresh plug-in
    // instance of the same kind, the name and the parameters. False when the plug-in instance
    // refused to initialise.
    bool copyNodeTo(NodeImpl& twin) const {
        if (allocator_ != nullptr) {
            twin.setAllocator(allocator_);
            if (!twin.attachPlugin(allocator_())) {
                return false;
            }
        }
        twin.setName(name_);
        twin.data_ = data_;
        return true;
    }
    NodeAllocator allocator() const { return allocator_; }

    // Gives the node the ID it had in a saved document, when no live node holds it.
    void restoreUid(uint64_t uid) {
        unregisterNode(uid_);
        uid_ = registerNodeAs(this, uid);
    }

protected:
    void releasePlugin() {
        if (plugin_) {
            plugin_->free(this);
            plugin_.reset();
        }
    }

private:
    int32_t type_;
    uint64_t uid_;
    std::string name_;
    HostContainer data_;
    uint32_t bits_ = 0;
    std::unique_ptr<NodeData> plugin_;
    NodeAllocator allocator_ = nullptr;
};

// A list of sibling objects owned by its parent, document or cache owner. Destroying it
// destroys the objects one after the other, so long lists do not recurse.
struct ObjectList {
    HObject* first = nullptr;
    HObject* last = nullptr;

    ObjectList() = default;
    ObjectList(const ObjectList&) = delete;
    ObjectList& operator=(const ObjectList&) = delete;
    ~ObjectList() { clear(); }
    void clear();
};

// Every object of a document, whatever its type: nulls, polygon objects, primitives, lights,
// cameras and plug-in objects.
class HObject final : public NodeImpl<HostPolygonObject> {
public:
    explicit HObject(int32_t type);
    ~HObject() override;

    HostPolygonObject* toPolygonObject() override;

    HostObject* next() const override { return next_; }
    HostObject* prev() const override { return prev_; }
    HostObject* up() const override { return parent_; }
    HostObject* down() const override { return children_.first; }
    HostObject* cache() const override { return cache_.first; }
    HostObject* deformCache() const override { return deformCache_.first; }
    HostObject* cacheOwner() const override { return cacheOwner_; }
    HostDocument* document() override;

    HostMatrix localMatrix() const override { return local_; }
    HostMatrix globalMatrix() const override;
    void setLocalMatrix(const HostMatrix& m) override { local_ = m; }
    void setGlobalMatrix(const HostMatrix& m) override;

    HostVisibility renderVisibility() const override { return renderVisibility_; }
    HostVisibility editorVisibility() const override { return editorVisibility_; }
    void setRenderVisibility(HostVisibility v) override { renderVisibility_ = v; }
    void setEditorVisibility(HostVisibility v) override { editorVisibility_ = v; }
    bool enabled() const override { return enabled_; }
    void setEnabled(bool on) override { enabled_ = on; }

    HostTag* firstTag() const override;
    HostTag* tag(int32_t type, int nth) const override;
    HostTag* insertTag(std::unique_ptr<HostTag> tag, HostTag* pred) override;
    // The tag after or before `tag` on this object, or null.
    HostTag* tagAfter(const HostTag* tag) const;
    HostTag* tagBefore(const HostTag* tag) const;
    std::unique_ptr<HostTag> removeTag(const HostTag* tag);
    // Deletes a tag as the user does: its plug-in is freed while the tag is still attached.
    bool deleteTag(HostTag* tag);
    const std::vector<std::unique_ptr<HostTag>>& tags() const { return tags_; }

    std::unique_ptr<HostObject> remove() override;

    // --- Display colour (the camera tag marks its camera).
    HostDisplayColour displayColour() const override { return displayColour_; }
    void setDisplayColour(const HostDisplayColour& colour) override { displayColour_ = colour; }

    const std::vector<Vector>& points() const override { return points_; }
    const std::vector<HostPolygon>& polygons() const override { return polygons_; }
    void setPoints(std::vector<Vector> points) override { points_ = std::move(points); }
    void setPolygons(std::vector<HostPolygon> polygons) override {
        polygons_ = std::move(polygons);
    }

    // Tree building, for the document and for objects among themselves.
    HObject* nextObject() const { return next_; }
    HObject* firstChild() const { return children_.first; }
    HObject* parentObject() const { return parent_; }
    // Inserts `child` below this object after `pred` (null: first).
    HObject* insertChild(std::unique_ptr<HObject> child, HObject* pred);
    // Replaces the cache (or the deform cache) with `objects`, a list of top objects.
    void setCache(std::unique_ptr<HObject> first);
    void setDeformCache(std::unique_ptr<HObject> first);
    void clearCaches();
    // Unlinks this object from wherever it is; the caller owns it then.
    std::unique_ptr<HObject> detach();

    // --- Geometry (headless/geometry.cpp).
    std::vector<Vector> phongNormals() const override;
    std::unique_ptr<HostObject> copy(int32_t flags) const override;
    void dimension(Vector& center, Vector& radius) const override;
    bool selected() const { return selected_; }
    void setSelected(bool on) { selected_ = on; }
    // The copy as an HObject, with a map of original to copied node IDs for link translation.
    std::unique_ptr<HObject> copyTree(std::vector<std::pair<uint64_t, uint64_t>>& copied) const;
    HObject* cacheFirst() const { return cache_.first; }
    HObject* deformCacheFirst() const { return deformCache_.first; }

private:
    friend class HDocument;
    friend struct ObjectList;

    void linkInto(ObjectList& list, HObject* pred);
    // Makes `first` and its following siblings the objects of `list`, owned as a cache.
    void adoptCacheChain(ObjectList& list, std::unique_ptr<HObject> first);

    ObjectList* list_ = nullptr;
    HDocument* document_ = nullptr;
    HObject* parent_ = nullptr;
    HObject* cacheOwner_ = nullptr;
    HObject* prev_ = nullptr;
    HObject* next_ = nullptr;
    ObjectList children_;
    ObjectList cache_;
    ObjectList deformCache_;
    std::vector<std::unique_ptr<HostTag>> tags_;

    HostMatrix local_;
    HostVisibility renderVisibility_ = HostVisibility::Default;
    HostVisibility editorVisibility_ = HostVisibility::Default;
    bool enabled_ = true;
    std::vector<Vector> points_;
    std::vector<HostPolygon> polygons_;
    HostDisplayColour displayColour_;
    bool selected_ = false;
};

// Every tag, whatever its type; texture tags answer toTextureTag.
class HTag final : public NodeImpl<HostTextureTag> {
public:
    explicit HTag(int32_t type) : NodeImpl(type) {}
    ~HTag() override { releasePlugin(); }

    HostTextureTag* toTextureTag() override;
    HostObject* object() const override { return object_; }
    HostTag* next() const override;
    HostTag* prev() const override;
    HostDocument* document() override;
    std::unique_ptr<HostTag> remove() override;

    // The material of a texture tag: a link in its container.
    HostMaterial* material() const override;
    void setMaterial(HostMaterial* material) override;

    void setObject(HObject* object) { object_ = object; }
    // Frees the plug-in instance now, while the tag is still attached.
    void freePlugin() { releasePlugin(); }

    // --- Geometry tags (headless/geometry.cpp).
    std::vector<HostUvw>* uvwData() override;
    HostPolygonSelection* polygonSelection() override;
    bool generateUvw(const HostPolygonObject& object, const HostMatrix& objectGlobal,
                     const HostMatrix& tagObjectGlobal, const HostView* view,
                     std::vector<HostUvw>& uvw) const override;
    // A copy with type, name, parameters and geometry data, not attached to an object.
    std::unique_ptr<HTag> copyTag() const;

private:
    HObject* object_ = nullptr;
    std::vector<HostUvw> uvw_;
    HostPolygonSelection selection_;
};

class HShader;

class HMaterial final : public NodeImpl<HostMaterial> {
public:
    explicit HMaterial(int32_t type);
    ~HMaterial() override;

    HostMaterial* next() const override { return next_; }
    HostMaterial* prev() const override { return prev_; }
    HostDocument* document() override;
    std::unique_ptr<HostMaterial> remove() override;

    // --- Channels and shaders (headless/materials.cpp).
    bool channelEnabled(int32_t channel) const override;
    bool setChannelEnabled(int32_t channel, bool on) override;
    HostShader* insertShader(std::unique_ptr<HostShader> shader) override;
    // The shader links accept only shaders of this material's document.
    bool setParameter(int32_t id, const HostValue& value) override;
    const std::vector<std::unique_ptr<HShader>>& shaders() const { return shaders_; }

private:
    friend class HDocument;
    HDocument* document_ = nullptr;
    HMaterial* prev_ = nullptr;
    HMaterial* next_ = nullptr;
    std::vector<std::unique_ptr<HShader>> shaders_;
};

// A shader belongs to a material or to a document.
class HShader final : public NodeImpl<HostShader> {
public:
    explicit HShader(int32_t type) : NodeImpl(type) {}
    ~HShader() override { releasePlugin(); }
    HostDocument* document() override;
    void setDocument(HDocument* doc) { document_ = doc; }
    void setOwner(HMaterial* material) { owner_ = material; }
    // The material that owns the shader, or null.
    HMaterial* owner() const { return owner_; }

private:
    HDocument* document_ = nullptr;
    HMaterial* owner_ = nullptr;
};

} // namespace headless
