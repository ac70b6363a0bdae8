// The headless host's editor view: a camera link and a record of what was drawn into it.
#pragma once

#include "headless/nodes.h"
#include "plugin/host/view.h"

#include <memory>
#include <vector>

namespace headless {

class HDocument;

struct DrawnLine {
    Vector from;
    Vector to;
    Vector colour;
    // In view pixels rather than world coordinates.
    bool screen = false;
};

class HView final : public HostView {
public:
    HView();

    HostObject* sceneCamera() const override;
    HostObject* editorCamera() const override { return editorCamera_.get(); }
    // Makes the view look through `camera` (an object of the document), or its own camera.
    void setSceneCamera(HostObject* camera);

    void setPen(const Vector& colour) override { pen_ = colour; }
    void drawLine(const Vector& from, const Vector& to) override;
    void drawLine2D(const Vector& from, const Vector& to) override;
    const std::vector<DrawnLine>& lines() const { return lines_; }
    void clearLines() { lines_.clear(); }

    // --- Frames (headless/view_frames.cpp). The view is `width` x `height` pixels (800 x 600
    // when created); the safe frame centres the document's render size in it.
    bool frame(HostViewFrame& frame) const override;
    bool safeFrame(HostSafeFrame& safeFrame) const override;
    void setSize(int32_t width, int32_t height);
    void setDocument(const HDocument* doc) { document_ = doc; }

private:
    const HDocument* document_ = nullptr;
    int32_t width_ = 800;
    int32_t height_ = 600;
    std::unique_ptr<HObject> editorCamera_;
    uint64_t sceneCamera_ = 0;
    Vector pen_{1, 1, 1};
    std::vector<DrawnLine> lines_;
};

} // namespace headless
