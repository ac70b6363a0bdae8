// The export options that the export dialog shows greyed out (NOGEOMETRY, EXPORT_ANIMATION) can
// only be changed in the plug-in's settings file. The tool changes them there before it opens
// the dialog, as a user edits the file by hand.
#pragma once

#include <map>
#include <string>

namespace headless::cli {

// Makes the boolean keys of the settings file's last_settings section hold `values` (key name
// to on or off), leaving the file untouched when they already read so (a missing file or
// section reads as off). A missing section is written with the dialog's first values for the
// other keys. The rest of the file stays as it is. False with a reason when the file does not
// parse or cannot be written.
bool storeLockedOptions(const std::string& settingsPath, const std::map<std::string, bool>& values,
                        std::string& error);

} // namespace headless::cli
