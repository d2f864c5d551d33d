#pragma once
// Folders that only the current user may enter, for files other users must not swap or
// read while the program works with them (a downloaded installer before it is checked
// and started).

#include <filesystem>
#include <string_view>

namespace brivane::platform {

// Creates a new folder in aParent named aPrefix followed by random characters, which
// only the current user can list, enter or write (mode 0700 on POSIX). Never reuses an
// existing folder.
// Throws std::runtime_error with the reason.
std::filesystem::path CreatePrivateFolder(const std::filesystem::path& aParent,
                                          std::string_view aPrefix);

} // namespace brivane::platform
