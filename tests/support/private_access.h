#pragma once
// What makes a file or folder the current user's alone, as each system keeps it.

#include <filesystem>

namespace brivane::test {

// Expects that only the current user may use aPath. POSIX: mode 0700 for a folder, 0600
// for a file. Windows: a protected access list (nothing inherited from the folder above)
// whose entries grant the current user full access and nobody else anything (the
// system's own account aside, which Wine adds).
void ExpectOnlyTheUser(const std::filesystem::path& aPath);

} // namespace brivane::test
