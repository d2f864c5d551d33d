#pragma once
// The file version and the icons of the executables of installed programs, named by
// Windows paths (see windows_paths.h). Icons are icon files (.ico bytes): the form the
// program stores, caches and draws them in.

#include "platform/windows_paths.h"

#include <string>
#include <string_view>

namespace brivane::platform {

// "%d.%d.%d.%d" of the fixed file version of the executable; the empty version for a
// missing file or one without a version resource or fixed file information.
std::string GetFileVersion(const TWindowsPathResolver& aFiles, std::string_view aFileName);

// The icon of an icon location as installers store it: a path, optionally followed by a
// comma and an icon index (a negative index names an icon resource ID). An executable
// or library without an index yields its own icon, an icon file is read as it is, and
// an empty location yields the default application icon. Empty when nothing can be
// extracted.
std::string LoadIconFromLocation(const TWindowsPathResolver& aFiles, std::string_view aLocation);

// The icon of a program that has none of its own, as an icon file.
const std::string& DefaultApplicationIcon();

} // namespace brivane::platform
