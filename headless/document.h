// A document of the headless host: its object tree, its materials and its file.
#pragma once

#include "headless/animation.h"
#include "headless/nodes.h"
#include "headless/render_data.h"
#include "headless/view.h"
#include "plugin/host/document.h"

#include <memory>
#include <string>
#include <vector>

namespace headless {

class HDocument final : public HostDocument {
public:
    HDocument();
    ~HDocument() override;
    HDocument(const HDocument&) = delete;
    HDocument& operator=(const HDocument&) = delete;

    std::string name() const override { return name_; }
    void setName(const std::string& name) { name_ = name; }
    HostFilename path() const override { return path_; }
    void setPath(const HostFilename& path) { path_ = path; }

    HostObject* firstObject() const override { return objects_.first; }
    HObject* firstHObject() const { return objects_.first; }
    HostObject* insertObject(std::unique_ptr<HostObject> object, HostObject* parent,
                             HostObject* pred) override;
    HostObject* searchObject(const std::string& name) const override;

    HostMaterial* firstMaterial() const override { return firstMaterial_; }
    HostMaterial* insertMaterial(std::unique_ptr<HostMaterial> material,
                                 HostMaterial* pred) override;
    std::unique_ptr<HostMaterial> unlinkMaterial(HMaterial* material);

    HostView* activeView() const override { return shown_ ? view_.get() : nullptr; }
    // A document that is not shown in the editor has no active view.
    void setShown(bool shown) { shown_ = shown; }
    HView& view() { return *view_; }

    HostNode* findNode(uint64_t uid) const override;

    // --- Selection, undo, settings and messages (headless/editing.cpp).
    std::vector<HostObject*> activeObjects(bool children) const override;
    void setSelected(HostObject* object, bool selected) override;
    bool startUndo() override;
    bool addUndo(HostUndo kind, HostNode* node) override;
    bool endUndo() override;
    HostContainer& settings() override { return settings_; }
    void message(int32_t type) override { messages_.push_back(type); }
    struct UndoRecord {
        HostUndo kind;
        uint64_t node;
    };
    // Closed undo steps, oldest first.
    const std::vector<std::vector<UndoRecord>>& undoSteps() const { return undoSteps_; }
    // Reverts the newest step: nodes it created are removed and freed. False when none is left.
    bool undo();
    const std::vector<int32_t>& messages() const { return messages_; }

    // --- Render data and document shaders (headless/render_data.cpp, headless/materials.cpp).
    HostRenderData* activeRenderData() const override { return renderData_.get(); }
    HRenderData* renderData() const { return renderData_.get(); }
    // Replaces the render data; null leaves the document without one.
    void setRenderData(std::unique_ptr<HRenderData> renderData);
    HostShader* insertShader(std::unique_ptr<HostShader> shader) override;
    const std::vector<std::unique_ptr<HShader>>& shaders() const { return shaders_; }

    // --- Document time, animation and evaluation (headless/document_time.cpp) ---
    HostTime time() const override { return time_; }
    int32_t fps() const override { return fps_; }
    void setTime(const HostTime& time) override { time_ = time; }
    // False, leaving the rate as it was, for rates below 1.
    bool setFps(int32_t fps);
    // Applies the animation at the current time, runs the expression of every plug-in tag in
    // tree order, then rebuilds every cache; false when an expression reported failure (the
    // others still run).
    bool evaluate() override;
    Animation& animation() { return animation_; }
    const Animation& animation() const { return animation_; }
    // The times evaluate ran at, in order.
    const std::vector<HostTime>& evaluations() const { return evaluations_; }

private:
    // Document time, animation and evaluation.
    HostTime time_;
    int32_t fps_ = 30;
    Animation animation_;
    std::vector<HostTime> evaluations_;
    std::vector<std::vector<UndoRecord>> undoSteps_;
    std::vector<UndoRecord> openUndo_;
    bool undoOpen_ = false;
    HostContainer settings_;
    std::vector<int32_t> messages_;

    std::unique_ptr<HRenderData> renderData_;
    std::vector<std::unique_ptr<HShader>> shaders_;
    bool shown_ = true;
    std::unique_ptr<HView> view_ = std::make_unique<HView>();
    ObjectList objects_;
    HMaterial* firstMaterial_ = nullptr;
    HMaterial* lastMaterial_ = nullptr;
    std::string name_ = "Untitled";
    HostFilename path_;
};

// Calls `visit` for every object of the tree below and including `first` and its following
// siblings, in document order (depth first), without descending into caches.
template <class Visit> void forEachObject(HostObject* first, Visit&& visit) {
    // An explicit stack: object trees may be deep.
    std::vector<HostObject*> stack;
    for (HostObject* o = first; o != nullptr;) {
        visit(o);
        if (HostObject* child = o->down()) {
            stack.push_back(o->next());
            o = child;
            continue;
        }
        o = o->next();
        while (o == nullptr && !stack.empty()) {
            o = stack.back();
            stack.pop_back();
        }
    }
}

} // namespace headless
