// The "Creates Instances" command: one instance object per selected object.
#pragma once

#include "plugin/host/plugin_data.h"

class CreateInstances : public CommandData {
public:
    // In the document given (the active one when null): for each selected object an instance
    // linked to it, placed right after it with its name and global matrix; with nothing selected
    // one unlinked instance at the top. All in one undo step. True.
    bool execute(HostDocument* doc) override;
};
