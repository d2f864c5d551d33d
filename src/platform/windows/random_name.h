#pragma once
// Random characters for names that must not collide with existing ones.

#include <string>

namespace brivane::platform::windows {

// Six random letters and digits, as mkstemp and mkdtemp choose them on POSIX.
std::string RandomNameSuffix();

} // namespace brivane::platform::windows
