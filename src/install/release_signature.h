#pragma once
// Verified releases: the SHA-256 and the Ed25519 signature of an installer, the key pair
// that signs releases, and the judgement whether a downloaded installer may be started.
//
// Signatures are Ed25519ph (Ed25519 over the SHA-512 of the file, libsodium's multi-part
// signing), so that neither signing nor checking holds an installer in memory. Keys and
// signatures travel as Base64 text; a digest as lower-case hex.

#include <array>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brivane::install {

using TPublicKey = std::array<unsigned char, 32>;

// A key, a key file or an installer that cannot be used; the text says why.
class ESignatureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A fresh key pair as Base64 texts: the public key (32 bytes) and the secret key
// (libsodium's 64 bytes: the seed and the public key).
struct TKeyPair {
    std::string PublicKey;
    std::string SecretKey;
};
TKeyPair GenerateKeyPair();

// The public key in Base64 text; nothing for text that is not 32 bytes of Base64.
std::optional<TPublicKey> DecodePublicKey(std::string_view aBase64);

// The public key that the build carries (BRIVANE_RELEASE_PUBLIC_KEY); nothing when the
// build carries none.
std::optional<TPublicKey> ReleasePublicKey();

// What a release's manifest says about its installer.
struct TInstallerSeal {
    std::string Sha256;    // lower-case hex
    std::string Signature; // Base64
};

// Signs the installer with a secret key in Base64 text (surrounding blanks ignored), as
// GenerateKeyPair gives it. Throws ESignatureError for a bad key or an unreadable file.
TInstallerSeal SignInstaller(const std::filesystem::path& aInstaller, std::string_view aSecretKey);

// Whether the downloaded installer may be started: empty when it may, else the reason.
// A SHA-256 the manifest gives must match. With a key, a valid signature by that key is
// required; without one, a matching SHA-256 is.
std::string CheckInstaller(const std::filesystem::path& aInstaller, std::string_view aSha256,
                           std::string_view aSignature, const std::optional<TPublicKey>& aKey);

} // namespace brivane::install
