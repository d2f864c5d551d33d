#pragma once
// The three Flash Player plug-ins, made alike: Adobe's web service lists the
// installers of all three with their versions; the pre-release comes from Adobe's
// labs page instead, its version from the installer itself.

#include "catalogue/base_software.h"

#include <memory>
#include <string>

namespace brivane::programs {

struct TFlashPlayerKind {
    std::string Name;
    // The installed copy: the first application whose name matches, or the one with
    // the highest version above 0 among those that match.
    std::shared_ptr<IRegex> InstalledName;
    bool HighestVersion = false;
    // The service's "aih_installer_abbr" of this plug-in.
    std::shared_ptr<IRegex> ServiceAbbreviation;
    // The installer's link on the labs page.
    std::shared_ptr<IRegex> PreReleaseLink;
};

std::unique_ptr<TBaseSoftware> MakeAdobeFlashPlayer(TFlashPlayerKind aKind);

} // namespace brivane::programs
