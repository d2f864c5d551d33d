#pragma once
// The process's environment variables, which programs started from it inherit.

#include <string>

namespace brivane::platform {

// Sets aName to aValue for this process and the programs it starts.
// Throws std::runtime_error when the system refuses (an invalid name).
void SetEnv(const std::string& aName, const std::string& aValue);

// Removes aName from the environment; nothing happens when it is not set.
void UnsetEnv(const std::string& aName);

} // namespace brivane::platform
