// A view of the host's editor: the camera it looks through and the drawing into it.
#pragma once

#include "plugin/host/types.h"

class HostObject;

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
};
