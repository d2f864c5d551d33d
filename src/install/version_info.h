#pragma once
// One release of the program as the self-update manifest describes it, and the reading
// of that manifest.
//
// The manifest is a JSON object:
//   {"version": "2016.05.12", "build": 13,
//    "url": {"install": "https://.../Setup.exe"},
//    "descriptions": {"ru": "...", "en": "..."},
//    "sha256": "<hex of the installer>", "signature": "<Base64 Ed25519 signature>"}
// Every member may be missing or null: the text members are then empty, the build 0
// and the descriptions none.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brivane::install {

struct TVersionInfo {
    struct TLanguageDescription {
        std::string fLanguage; // a language code: "ru", "en"
        std::string fDescription;

        static TLanguageDescription Create(std::string aLanguage, std::string aDescription) {
            return {std::move(aLanguage), std::move(aDescription)};
        }
        bool operator==(const TLanguageDescription&) const = default;
    };

    std::string fVersion;                            // shown to the user: "2016.05.11"
    std::int32_t fBuild = 0;                         // the only value compared
    std::vector<TLanguageDescription> fDescriptions; // release notes, in manifest order
    std::string fInstallURL;
    std::string fSha256;    // hex digest of the installer; empty when the manifest has none
    std::string fSignature; // Base64 signature of the installer; empty when none

    static TVersionInfo Create(std::string aVersion, std::int32_t aBuild, std::string aInstallURL) {
        TVersionInfo info;
        info.fVersion = std::move(aVersion);
        info.fBuild = aBuild;
        info.fInstallURL = std::move(aInstallURL);
        return info;
    }

    // "2016.05.11 build 12".
    std::string AsString() const;
    // The description whose language code equals aLanguage in any letter case; empty
    // when there is none.
    std::string Description(std::string_view aLanguage) const;

    bool operator==(const TVersionInfo&) const = default;
};

// "<version> build <build>", as the program shows its own version and an offered one.
std::string VersionAsString(std::string_view aVersion, std::int32_t aBuild);

// Reads a manifest; never throws. Text that is not JSON, nests too deeply or is no
// object gives the empty record. A member of the wrong kind ("build" not a 32-bit
// integer, a text member not a string) gives the empty record as well, and a
// "descriptions" that is no object gives the record without descriptions; a
// description that is not a string ends the descriptions there. Either way aProblem
// (when given) receives why, and stays empty for a well-formed manifest.
TVersionInfo ParseVersionInfo(std::string_view aText, std::string* aProblem = nullptr);

} // namespace brivane::install
