#pragma once
// The program's own version, as shown to the user and compared by the self-updater.

namespace brivane {

inline constexpr const char* kProgramVersion = "2016.05.11";
inline constexpr int kProgramBuild = 12;

} // namespace brivane
