// Freemake Video Converter: its section "[FVC]" of the Freemake release file, its executable
// FreemakeVC.exe.

#include "catalogue/programs/freemake.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeFreemakeVideoConverter() {
    static const auto name = NewRegex("^Freemake\\s+?Video\\s+?Converter");
    static const auto release = FreemakeReleasePattern("FVC");
    return MakeFreemakeProgram({"Freemake Video Converter", name, release, "FreemakeVC.exe"});
}

} // namespace brivane::programs
