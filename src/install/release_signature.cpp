#include "install/release_signature.h"

#include "base/trim.h"

#include <sodium.h>

#include <fstream>
#include <vector>

namespace brivane::install {

namespace {

void InitSodium() {
    // Idempotent and thread-safe; it fails only when the system has no randomness.
    if (sodium_init() < 0) {
        throw ESignatureError("the cryptography library cannot start");
    }
}

std::string ToBase64(const unsigned char* aBytes, std::size_t aSize) {
    std::string text(sodium_base64_ENCODED_LEN(aSize, sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(text.data(), text.size(), aBytes, aSize, sodium_base64_VARIANT_ORIGINAL);
    text.resize(text.size() - 1); // the terminating zero
    return text;
}

// Exactly aSize bytes of Base64 (surrounding blanks ignored), or nothing.
std::optional<std::vector<unsigned char>> FromBase64(std::string_view aText, std::size_t aSize) {
    aText = Trim(aText, " \t\r\n");
    std::vector<unsigned char> bytes(aSize);
    std::size_t length = 0;
    const char* end = nullptr;
    if (sodium_base642bin(bytes.data(), bytes.size(), aText.data(), aText.size(), nullptr, &length,
                          &end, sodium_base64_VARIANT_ORIGINAL) != 0 ||
        end != aText.data() + aText.size() || length != aSize) {
        return std::nullopt;
    }
    return bytes;
}

// One pass over the file feeds both its SHA-256 and its signature state.
struct TDigests {
    std::string Sha256;
    crypto_sign_state Signing;
};

TDigests ReadDigests(const std::filesystem::path& aFile) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(aFile, error)) {
        throw ESignatureError(aFile.string() + ": not a regular file");
    }
    std::ifstream in(aFile, std::ios::binary);
    if (!in) {
        throw ESignatureError(aFile.string() + ": cannot be read");
    }
    TDigests digests;
    crypto_hash_sha256_state sha256;
    crypto_hash_sha256_init(&sha256);
    crypto_sign_init(&digests.Signing);
    std::vector<char> block(64 * 1024);
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        const auto* bytes = reinterpret_cast<const unsigned char*>(block.data());
        const auto count = static_cast<unsigned long long>(in.gcount());
        crypto_hash_sha256_update(&sha256, bytes, count);
        crypto_sign_update(&digests.Signing, bytes, count);
    }
    if (in.bad()) {
        throw ESignatureError(aFile.string() + ": cannot be read");
    }
    unsigned char hash[crypto_hash_sha256_BYTES];
    crypto_hash_sha256_final(&sha256, hash);
    char hex[crypto_hash_sha256_BYTES * 2 + 1];
    digests.Sha256 = sodium_bin2hex(hex, sizeof hex, hash, sizeof hash);
    return digests;
}

bool SameDigest(std::string_view aExpected, std::string_view aActual) {
    if (aExpected.size() != aActual.size()) {
        return false;
    }
    for (std::size_t at = 0; at < aExpected.size(); ++at) {
        const char expected = aExpected[at] >= 'A' && aExpected[at] <= 'F'
                                  ? static_cast<char>(aExpected[at] - 'A' + 'a')
                                  : aExpected[at];
        if (expected != aActual[at]) {
            return false;
        }
    }
    return true;
}

} // namespace

TKeyPair GenerateKeyPair() {
    InitSodium();
    unsigned char publicKey[crypto_sign_PUBLICKEYBYTES];
    unsigned char secretKey[crypto_sign_SECRETKEYBYTES];
    crypto_sign_keypair(publicKey, secretKey);
    TKeyPair pair{ToBase64(publicKey, sizeof publicKey), ToBase64(secretKey, sizeof secretKey)};
    sodium_memzero(secretKey, sizeof secretKey);
    return pair;
}

std::optional<TPublicKey> DecodePublicKey(std::string_view aBase64) {
    InitSodium();
    const auto bytes = FromBase64(aBase64, crypto_sign_PUBLICKEYBYTES);
    if (!bytes) {
        return std::nullopt;
    }
    TPublicKey key{};
    std::copy(bytes->begin(), bytes->end(), key.begin());
    return key;
}

TInstallerSeal SignInstaller(const std::filesystem::path& aInstaller, std::string_view aSecretKey) {
    InitSodium();
    auto secretKey = FromBase64(aSecretKey, crypto_sign_SECRETKEYBYTES);
    if (!secretKey) {
        throw ESignatureError("the secret key is not the Base64 of a 64-byte Ed25519 key");
    }
    // The key's second half is its public key; a damaged key would sign what nobody can check.
    unsigned char seedPublicKey[crypto_sign_PUBLICKEYBYTES];
    unsigned char seedSecretKey[crypto_sign_SECRETKEYBYTES];
    crypto_sign_seed_keypair(seedPublicKey, seedSecretKey, secretKey->data());
    const bool consistent =
        sodium_memcmp(seedSecretKey, secretKey->data(), crypto_sign_SECRETKEYBYTES) == 0;
    sodium_memzero(seedSecretKey, sizeof seedSecretKey);
    if (!consistent) {
        sodium_memzero(secretKey->data(), secretKey->size());
        throw ESignatureError("the secret key is damaged: its halves do not belong together");
    }
    TDigests digests;
    try {
        digests = ReadDigests(aInstaller);
    } catch (...) {
        sodium_memzero(secretKey->data(), secretKey->size());
        throw;
    }
    unsigned char signature[crypto_sign_BYTES];
    crypto_sign_final_create(&digests.Signing, signature, nullptr, secretKey->data());
    sodium_memzero(secretKey->data(), secretKey->size());
    return {digests.Sha256, ToBase64(signature, sizeof signature)};
}

std::string CheckInstaller(const std::filesystem::path& aInstaller, std::string_view aSha256,
                           std::string_view aSignature, const std::optional<TPublicKey>& aKey) {
    InitSodium();
    if (aKey && aSignature.empty()) {
        return "the installer is not signed";
    }
    if (!aKey && aSha256.empty()) {
        return "the manifest gives no SHA-256 of the installer";
    }
    TDigests digests;
    try {
        digests = ReadDigests(aInstaller);
    } catch (const ESignatureError& e) {
        return e.what();
    }
    if (!aSha256.empty() && !SameDigest(aSha256, digests.Sha256)) {
        return "the installer's SHA-256 does not match the manifest";
    }
    if (aKey) {
        const auto signature = FromBase64(aSignature, crypto_sign_BYTES);
        if (!signature) {
            return "the installer's signature is not the Base64 of an Ed25519 signature";
        }
        if (crypto_sign_final_verify(&digests.Signing, signature->data(), aKey->data()) != 0) {
            return "the installer's signature is not valid";
        }
    }
    return {};
}

} // namespace brivane::install
