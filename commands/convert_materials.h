// The "Convert Materials" command: gives host materials material helpers.
#pragma once

#include "plugin/host/plugin_data.h"

class ConvertMats : public CommandData {
public:
};
