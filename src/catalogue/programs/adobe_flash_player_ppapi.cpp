// Adobe Flash Player PPAPI: the installer and version from Adobe's web service, the pre-release
// from Adobe's labs page.

#include "catalogue/programs/adobe_flash_player.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeAdobeFlashPlayerPPAPI() {
    const TRegCompileOptions kOptions = {TRegCompileOption::rcoSingleLine};
    // The installers register "Adobe Flash Player 21 PPAPI".
    static const auto installedName =
        NewRegex("^Adobe\\s+?Flash\\s+?Player\\s+?[\\d.]+\\s+?PPAPI$");
    static const auto abbreviation = NewRegex(
        "^flashplayerpp$", {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
    static const auto preReleaseLink =
        NewRegex("href\\s*?=\\s*?\"([^<>]+?/install_flash_player_ppapi\\.exe)\"", kOptions);
    return MakeAdobeFlashPlayer({
        .Name = "Adobe Flash Player PPAPI",
        .InstalledName = installedName,
        .HighestVersion = true,
        .ServiceAbbreviation = abbreviation,
        .PreReleaseLink = preReleaseLink,
    });
}

} // namespace brivane::programs
