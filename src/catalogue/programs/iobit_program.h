#pragma once
// IObit's programs, made alike: no page states their version, so it is read out of
// the installer behind the fixed link on the publisher's update host. IObit counts a
// release by its first two components only: 9.1.0.5 and 9.1.2.7 are the same release.

#include "catalogue/base_software.h"

#include <memory>
#include <string>

namespace brivane::programs {

// The entry displayed as aName, found installed as the first application whose name
// matches aInstalledName, with its installer at aInstallerURL.
std::unique_ptr<TBaseSoftware> MakeIObitProgram(std::string aName, TSoftwareCategory aCategory,
                                                std::shared_ptr<IRegex> aInstalledName,
                                                std::string aInstallerURL);

} // namespace brivane::programs
