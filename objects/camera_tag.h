// The camera tag: the renderer's lens and film model on a host camera (white point, exposure,
// f-number, aperture, diffraction, filters, overlays, render region and tone mapping).
#pragma once

#include "plugin/host/plugin_data.h"

#include <memory>

class CameraTag : public TagData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<CameraTag>(); }

    // Writes the initial values.
    bool init(HostNode* node) override;
    // Gives the camera its own display colour back.
    void free(HostNode* node) override;
    // Shows the entries the chosen tone mapping, aperture shape, filters, render region and
    // diffraction use, and marks the camera in the tag's colour. False when the host has no
    // description for the tag.
    bool getDescription(HostNode* node, HostDescription& description, uint32_t& flags) override;
    // Draws the render region into the view that looks through the tag's camera. False when the
    // document has no render settings or the view cannot report its frames.
    bool draw(HostTag* tag, HostObject* op, HostView* view) override;
    int32_t execute(HostTag* tag, HostDocument* doc, HostObject* op) override;
};
