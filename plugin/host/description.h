// A node's attribute layout as the host builds it from the description resource registered for
// the node's type. Plug-ins load it and show or hide entries to match their settings.
#pragma once

#include <cstdint>

// The entry property that hides an entry.
constexpr int32_t kDescriptionHide = 15;
// Set by a plug-in's description callback in the flags the host passes when it loaded the
// description itself.
constexpr uint32_t kDescriptionLoaded = 2;

class HostDescription {
public:
    virtual ~HostDescription() = default;
    // Loads the description resource registered for that plug-in ID or host type; false when
    // there is none.
    virtual bool load(int32_t type) = 0;
    virtual bool hasEntry(int32_t id) const = 0;
    // False when the description has no entry of that ID.
    virtual bool setHidden(int32_t id, bool hidden) = 0;
    virtual bool isHidden(int32_t id) const = 0;
};
