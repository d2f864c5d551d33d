#pragma once
// The maintainers' side of verified releases: a key pair for signing, and the manifest
// members that vouch for one installer.

#include <filesystem>
#include <iosfwd>

namespace brivane::cli {

// Writes a new secret key to aSecretKeyFile (readable by this user only; an existing
// file is never replaced) and the public key to aSecretKeyFile + ".pub", and prints the
// public key with the build option that carries it. Throws TCliError.
void WriteReleaseKeyPair(std::ostream& aOut, const std::filesystem::path& aSecretKeyFile);

// Prints the "sha256" and "signature" members for the manifest of aInstaller, signed
// with the key in aSecretKeyFile. Throws TCliError.
void PrintInstallerSeal(std::ostream& aOut, const std::filesystem::path& aSecretKeyFile,
                        const std::filesystem::path& aInstaller);

} // namespace brivane::cli
