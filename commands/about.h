// The "About" command.
#pragma once

#include "plugin/host/plugin_data.h"

class ShowAbout : public CommandData {
public:
};
