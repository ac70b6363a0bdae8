// A view of the host's editor: the camera it looks through and the drawing into it.
#pragma once

#include "plugin/host/types.h"

class HostObject;

// The view's drawing area in view pixels, edges included.
struct HostViewFrame {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The part of the view that shows the rendered image (the safe frame). It spans the whole view
// frame on one axis; on the other, named by `axis` (1 horizontal, 2 vertical), it spans the view
// pixels from..to.
struct HostSafeFrame {
    int32_t from = 0, to = 0;
    int32_t axis = 0;
};

class HostView {
public:
    virtual ~HostView() = default;

    // The document's camera object the view looks through, or null when it uses its own editor
    // camera.
    virtual HostObject* sceneCamera() const = 0;
    // The view's own camera, which belongs to the view and not to the document's object tree.
    virtual HostObject* editorCamera() const = 0;

    // Drawing. Lines in world coordinates (3D) or in view pixels (2D), in the current pen colour.
    virtual void setPen(const Vector& colour) = 0;
    virtual void drawLine(const Vector& from, const Vector& to) = 0;
    virtual void drawLine2D(const Vector& from, const Vector& to) = 0;

    // --- Frames (used by the camera tag's render-region drawing). False when the view cannot
    // tell (the safe frame needs the document's render size).
    virtual bool frame(HostViewFrame& frame) const = 0;
    virtual bool safeFrame(HostSafeFrame& safeFrame) const = 0;
};
