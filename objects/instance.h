// The instance object: places another object of the document again without copying its geometry.
// The export writes it as an instance of the linked object; the editor shows the linked hierarchy
// as a generated copy or as a light drawing of boxes or polygon edges. While an export runs it
// generates nothing, so that the exporter sees only the link.
#pragma once

#include "plugin/host/plugin_data.h"

#include <cstdint>
#include <memory>
#include <vector>

class HostObject;

class ZarvexInstance : public ObjectData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<ZarvexInstance>(); }
    // The plug-in-wide export-in-progress flag, handed over at registration.
    static void setExportFlag(uint8_t* flag);
    static uint8_t* exportFlag();

    // Writes the initial values: no link, automatic bounds of size (50, 50, 50) around the
    // origin, display as bounding boxes.
    bool init(HostNode* node) override;
    bool message(HostNode* node, int32_t type, void* data) override;
    // The own description; the manual-bounds switch shows either the link or the bounds group.
    bool getDescription(HostNode* node, HostDescription& description, uint32_t& flags) override;
    // A copy of the linked object at the instance's own place (identity matrix); nothing for
    // editor-only calls (flag 2), calls not for the output (flag 4 clear), during an export, and
    // for a link to the instance itself or one of its ancestors.
    std::unique_ptr<HostObject> getVirtualObjects(HostObject* op, int32_t flags) override;
    // In the object pass: the linked hierarchy as boxes or polygon edges, in the instance's
    // global matrix.
    bool draw(HostObject* op, HostDrawPass pass, HostView* view) override;
    // The manual bounds, else the linked object's; zero for a link to itself or an ancestor, and
    // (50, 50, 50) around the origin without a link.
    void getDimension(HostObject* op, Vector& center, Vector& radius) override;
};

// True when `linked` is `start` or is met going up from `start` through parents and, from an
// object without a parent that a generator made, to that generator.
bool isSelfOrAncestor(const HostObject* start, const HostObject* linked);
