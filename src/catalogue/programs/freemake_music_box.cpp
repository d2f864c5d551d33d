// Freemake Music Box: its section "[FMB]" of the Freemake release file, its executable
// FreemakeMB.exe.

#include "catalogue/programs/freemake.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeFreemakeMusicBox() {
    static const auto name = NewRegex("^Freemake\\s+?Music\\s+?Box");
    static const auto release = FreemakeReleasePattern("FMB");
    return MakeFreemakeProgram({"Freemake Music Box", name, release, "FreemakeMB.exe"});
}

} // namespace brivane::programs
