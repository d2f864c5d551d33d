#include "install/release_signature.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace brivane::install;
using brivane::test::TTempDir;

namespace {

class ReleaseSignatureTest : public testing::Test {
protected:
    ReleaseSignatureTest()
        : fKeys(GenerateKeyPair()), fKey(*DecodePublicKey(fKeys.PublicKey)),
          fInstaller(fDir.Write("Setup.exe", Bytes())),
          fSeal(SignInstaller(fInstaller, fKeys.SecretKey)) {}

    // Larger than one block of the reader, with every byte value.
    static std::string Bytes() {
        std::string bytes;
        for (int at = 0; at < 200'000; ++at) {
            bytes += static_cast<char>(at * 7 % 256);
        }
        return bytes;
    }

    TTempDir fDir;
    TKeyPair fKeys;
    TPublicKey fKey;
    std::filesystem::path fInstaller;
    TInstallerSeal fSeal;
};

} // namespace

TEST_F(ReleaseSignatureTest, ASignedInstallerPassesWithTheKeyOrItsDigest) {
    // The SHA-256 of the bytes, as sha256sum gives it.
    EXPECT_EQ(SignInstaller(fDir.Write("abc", "abc"), fKeys.SecretKey).Sha256,
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(fSeal.Sha256.size(), 64u);

    EXPECT_EQ(CheckInstaller(fInstaller, fSeal.Sha256, fSeal.Signature, fKey), "");
    EXPECT_EQ(CheckInstaller(fInstaller, "", fSeal.Signature, fKey), "");
    EXPECT_EQ(CheckInstaller(fInstaller, fSeal.Sha256, "", std::nullopt), "");
    // Hex of either case; without a key the signature is not looked at.
    std::string upper = fSeal.Sha256;
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(CheckInstaller(fInstaller, upper, "garbage", std::nullopt), "");
}

TEST_F(ReleaseSignatureTest, AnInstallerThatIsNotTheReleaseIsRefused) {
    const auto otherKey = *DecodePublicKey(GenerateKeyPair().PublicKey);
    const auto otherSeal = SignInstaller(fDir.Write("Other.exe", "other"), fKeys.SecretKey);
    std::string wrongDigest = fSeal.Sha256;
    wrongDigest[0] = wrongDigest[0] == '0' ? '1' : '0';
    const struct {
        std::string Sha256;
        std::string Signature;
        std::optional<TPublicKey> Key;
        const char* Reason;
    } cases[] = {
        {fSeal.Sha256, "", fKey, "the installer is not signed"},
        {"", "", fKey, "the installer is not signed"},
        {fSeal.Sha256, fSeal.Signature, otherKey, "the installer's signature is not valid"},
        {"", otherSeal.Signature, fKey, "the installer's signature is not valid"},
        {"", "not base64!", fKey,
         "the installer's signature is not the Base64 of an Ed25519 signature"},
        {"", fSeal.Signature.substr(4), fKey,
         "the installer's signature is not the Base64 of an Ed25519 signature"},
        {"", "", std::nullopt, "the manifest gives no SHA-256 of the installer"},
        {"", fSeal.Signature, std::nullopt, "the manifest gives no SHA-256 of the installer"},
        {wrongDigest, "", std::nullopt, "the installer's SHA-256 does not match the manifest"},
        {wrongDigest, fSeal.Signature, fKey, "the installer's SHA-256 does not match the manifest"},
        {fSeal.Sha256 + "00", "", std::nullopt,
         "the installer's SHA-256 does not match the manifest"},
        {"not hex", "", std::nullopt, "the installer's SHA-256 does not match the manifest"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(CheckInstaller(fInstaller, test.Sha256, test.Signature, test.Key), test.Reason)
            << test.Sha256 << " " << test.Signature;
    }
}

TEST_F(ReleaseSignatureTest, OneChangedByteFailsBothChecks) {
    for (const std::size_t at : {std::size_t{0}, std::size_t{100'000}, std::size_t{199'999}}) {
        std::string bytes = Bytes();
        bytes[at] = static_cast<char>(bytes[at] ^ 1);
        const auto tampered = fDir.Write("Tampered.exe", bytes);
        EXPECT_EQ(CheckInstaller(tampered, "", fSeal.Signature, fKey),
                  "the installer's signature is not valid")
            << at;
        EXPECT_EQ(CheckInstaller(tampered, fSeal.Sha256, "", std::nullopt),
                  "the installer's SHA-256 does not match the manifest")
            << at;
    }
    // A cut file too.
    const auto cut = fDir.Write("Cut.exe", Bytes().substr(0, 199'999));
    EXPECT_NE(CheckInstaller(cut, "", fSeal.Signature, fKey), "");
}

TEST_F(ReleaseSignatureTest, WhatCannotBeReadIsRefused) {
    const auto missing = fDir / "missing.exe";
    EXPECT_EQ(CheckInstaller(missing, fSeal.Sha256, fSeal.Signature, fKey),
              missing.string() + ": not a regular file");
    EXPECT_EQ(CheckInstaller(fDir.Path(), fSeal.Sha256, "", std::nullopt),
              fDir.Path().string() + ": not a regular file");
    EXPECT_THROW(SignInstaller(missing, fKeys.SecretKey), ESignatureError);
}

TEST_F(ReleaseSignatureTest, KeysAreCheckedBeforeUse) {
    EXPECT_TRUE(DecodePublicKey("  " + fKeys.PublicKey + "\n"));
    for (const std::string& text :
         {std::string(), std::string("abc"), fKeys.PublicKey.substr(1), fKeys.PublicKey + "AAAA",
          fKeys.SecretKey, std::string(44, '*')}) {
        EXPECT_FALSE(DecodePublicKey(text)) << text;
    }
    // A secret key that is no key, or whose public half (from byte 33, Base64 character 44
    // on) belongs to another key.
    const std::string mixed =
        fKeys.SecretKey.substr(0, 44) + GenerateKeyPair().SecretKey.substr(44);
    for (const std::string& secret : {std::string(), fKeys.PublicKey, std::string("!!"),
                                      fKeys.SecretKey.substr(0, 40), mixed}) {
        EXPECT_THROW(SignInstaller(fInstaller, secret), ESignatureError) << secret;
    }
    EXPECT_EQ(SignInstaller(fInstaller, "\n" + fKeys.SecretKey + "\n").Signature,
              fSeal.Signature); // Ed25519 signatures are deterministic
}

TEST(ReleaseKeyTest, TheTestBuildCarriesNoReleaseKey) {
    EXPECT_FALSE(ReleasePublicKey());
}
