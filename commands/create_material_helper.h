// The "Creates material helper" command: a new host material with its helper.
#pragma once

#include "plugin/host/plugin_data.h"

class CreateMatHelper : public CommandData {
public:
};
