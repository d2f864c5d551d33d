#pragma once
// The Freemake programs: five catalogue entries that share one release file and one
// installation layout and differ in their name, section and executable.

#include "catalogue/base_software.h"

#include <memory>

namespace brivane::programs {

struct TFreemakeProgram {
    const char* Name;
    // Inventory names of this program.
    std::shared_ptr<IRegex> InventoryName;
    // The program's section of the release file, with its version (group 1) and its
    // installer (group 2).
    std::shared_ptr<IRegex> Release;
    // The program's executable ("FreemakeAC.exe").
    const char* Executable;
};

std::unique_ptr<TBaseSoftware> MakeFreemakeProgram(TFreemakeProgram aProgram);

// The release-file pattern of section aSection ("FAC"): its Version and OfflineUrl
// lines, which must both lie inside the section.
std::shared_ptr<IRegex> FreemakeReleasePattern(const char* aSection);

} // namespace brivane::programs
