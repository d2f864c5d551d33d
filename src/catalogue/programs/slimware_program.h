#pragma once
// The publisher's utilities SlimCleaner and SlimDrivers: version and installer come from
// the program's PAD file; builds differ in the fourth component of the version, so only
// three count.

#include "catalogue/base_software.h"

#include <memory>
#include <string>

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeSlimwarePadProgram(std::string aName, std::string aPadFile);

} // namespace brivane::programs
