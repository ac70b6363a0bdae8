// The rule by which every file path written into a scene or material file is made relative to a
// directory: textures to the scene's directory, the camera response function to the renderer's
// directory, light profiles to the scene's directory. Host-free: it works on Windows path text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// The longest base or target text the rule accepts, and the longest text it yields.
constexpr std::size_t kMaxRelativePathText = 2048;

// `target` written relative to the directory `base`, both Windows path text with backslashes.
//
// Returns nothing when either text is shorter than 4 or longer than kMaxRelativePathText
// characters, or when the result would be longer than that. A target whose first character
// differs from the base's (another drive) comes back unchanged. Otherwise both are compared by
// whole directory names, exactly (case matters), after their first three characters (a drive
// root such as "C:\" is taken as equal); a target inside the base loses the base's text, and one
// elsewhere climbs with one "..\" per base directory below the last name both share: base
// C:\proj\scene with target C:\proj\tex\wood.jpg gives ..\tex\wood.jpg, with target
// C:\proj\scene\tex\a.jpg it gives tex\a.jpg, and with C:\proj\scene2\a.jpg ..\scene2\a.jpg.
// The target's last name is always written. Does not throw.
std::optional<std::string> relativePath(const std::string& base, const std::string& target);
