#include "cli/release_signing.h"

#include "cli/commands.h"
#include "install/release_signature.h"
#include "platform/files.h"
#include "platform/private_folder.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace brivane::cli {

void WriteReleaseKeyPair(std::ostream& aOut, const std::filesystem::path& aSecretKeyFile) {
    const auto publicFile = std::filesystem::path(aSecretKeyFile.string() + ".pub");
    std::error_code error;
    for (const auto& file : {aSecretKeyFile, publicFile}) {
        if (std::filesystem::exists(std::filesystem::symlink_status(file, error))) {
            throw TCliError(file.string() + ": exists already; a key is never replaced");
        }
    }
    const auto pair = install::GenerateKeyPair();
    try {
        platform::WritePrivateFile(aSecretKeyFile, pair.SecretKey + "\n");
        platform::WriteFileAtomically(publicFile, pair.PublicKey + "\n");
    } catch (const std::exception& e) {
        throw TCliError(e.what(), kExitFailure);
    }
    aOut << "Secret key: " << aSecretKeyFile.string() << " (keep it off the build machines)\n"
         << "Public key: " << pair.PublicKey << "\n"
         << "Build releases with: cmake -DBRIVANE_RELEASE_PUBLIC_KEY=" << pair.PublicKey
         << " ...\n";
}

void PrintInstallerSeal(std::ostream& aOut, const std::filesystem::path& aSecretKeyFile,
                        const std::filesystem::path& aInstaller) {
    const auto key = platform::ReadRegularFile(aSecretKeyFile, 1024);
    if (!key.Bytes) {
        throw TCliError(aSecretKeyFile.string() + ": " + key.Reason);
    }
    try {
        const auto seal = install::SignInstaller(aInstaller, *key.Bytes);
        // Members to paste into the manifest beside "version" and "build".
        aOut << "\"sha256\": " << nlohmann::json(seal.Sha256).dump() << ",\n"
             << "\"signature\": " << nlohmann::json(seal.Signature).dump() << "\n";
    } catch (const install::ESignatureError& e) {
        throw TCliError(e.what());
    }
}

} // namespace brivane::cli
