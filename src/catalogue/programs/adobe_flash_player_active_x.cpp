// Adobe Flash Player ActiveX: the installer and version from Adobe's web service, the pre-release
// from Adobe's labs page.

#include "catalogue/programs/adobe_flash_player.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeAdobeFlashPlayerActiveX() {
    const TRegCompileOptions kOptions = {TRegCompileOption::rcoSingleLine};
    // The installers register "Adobe Flash Player 21 ActiveX".
    static const auto installedName =
        NewRegex("^Adobe\\s+?Flash\\s+?Player\\s+?[\\d.]+\\s+?ActiveX$");
    static const auto abbreviation = NewRegex(
        "^flashplayerax$", {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
    static const auto preReleaseLink =
        NewRegex("href\\s*?=\\s*?\"([^<>]+?/install_flash_player_ax\\.exe)\"", kOptions);
    return MakeAdobeFlashPlayer({
        .Name = "Adobe Flash Player ActiveX",
        .InstalledName = installedName,
        .HighestVersion = false,
        .ServiceAbbreviation = abbreviation,
        .PreReleaseLink = preReleaseLink,
    });
}

} // namespace brivane::programs
