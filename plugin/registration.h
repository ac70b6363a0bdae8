// Registration of every plug-in with the host at start-up, and the console banner.
#pragma once

#include <string>

// The line of 127 characters that frames the start-up banner and every export on the console.
extern const char* const kDecorationLine;

// The start sequence: allocates the export-in-progress flag, registers the eighteen plug-ins in
// their fixed order, stopping at the first failed registration, and prints the banner when all
// succeeded. Returns true exactly when every registration succeeded.
bool startPlugin();
