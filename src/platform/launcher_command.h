#pragma once
// The command that opens every file in place of the system's own way (see launcher.h).

#include <string>
#include <vector>

namespace brivane::platform {

// The words set with SetLauncherOverride, else those of BRIVANE_LAUNCHER (split at
// blanks); empty for neither.
std::vector<std::string> LauncherCommand();

} // namespace brivane::platform
