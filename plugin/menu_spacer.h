// Separator lines of the host's plug-in menu: plain commands whose literal names ("#$4 --") order
// them in the menu and make them separators. Every operation keeps the host's default.
#pragma once

#include "plugin/host/plugin_data.h"

class MenuSpacerCommand : public CommandData {};
