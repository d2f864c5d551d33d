#pragma once
// The process's environment variables, which programs started from it inherit.

#include <optional>
#include <string>

namespace brivane::platform {

// The value of aName as UTF-8 text (Windows: its wide value converted); nothing when it
// is not set.
std::optional<std::string> GetEnv(const std::string& aName);

// Sets aName to aValue for this process and the programs it starts.
// Throws std::runtime_error when the system refuses (an invalid name).
void SetEnv(const std::string& aName, const std::string& aValue);

// Removes aName from the environment; nothing happens when it is not set.
void UnsetEnv(const std::string& aName);

} // namespace brivane::platform
