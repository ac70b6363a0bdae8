// The "Creates Instances" command: one instance object per selected object.
#pragma once

#include "plugin/host/plugin_data.h"

class CreateInstances : public CommandData {
public:
};
