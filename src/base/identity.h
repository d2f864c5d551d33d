#pragma once
// The program's identity: its name (the per-user data folder, the user agent of every
// request) and its version, as shown to the user and compared by the self-updater.
// The build reads the version from here, so the two never disagree.

#include <string_view>

namespace brivane {

inline constexpr std::string_view kProgramName = "Brivane";
inline constexpr const char* kProgramVersion = "2016.05.11";
inline constexpr int kProgramBuild = 12;

} // namespace brivane
