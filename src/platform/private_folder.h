#pragma once
// Folders and files that only the current user may use: a downloaded installer before it
// is checked and started must not be swapped by others, a secret key not read by them.

#include <filesystem>
#include <string_view>

namespace brivane::platform {

// Creates a new folder in aParent named aPrefix followed by random characters, which
// only the current user can list, enter or write (mode 0700 on POSIX; on Windows an
// access list of the current user alone, which its contents inherit). Never reuses an
// existing folder.
// Throws std::runtime_error with the reason.
std::filesystem::path CreatePrivateFolder(const std::filesystem::path& aParent,
                                          std::string_view aPrefix);

// Writes aBytes to a new file that only the current user can read or write (mode 0600
// on POSIX, the user's access alone on Windows). Throws std::runtime_error with the reason, also
// when the file exists: an existing file is never overwritten.
void WritePrivateFile(const std::filesystem::path& aPath, std::string_view aBytes);

} // namespace brivane::platform
