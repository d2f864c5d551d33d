// Freemake Audio Converter: its section "[FAC]" of the Freemake release file, its executable
// FreemakeAC.exe.

#include "catalogue/programs/freemake.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeFreemakeAudioConverter() {
    static const auto name = NewRegex("^Freemake\\s+?Audio\\s+?Converter");
    static const auto release = FreemakeReleasePattern("FAC");
    return MakeFreemakeProgram({"Freemake Audio Converter", name, release, "FreemakeAC.exe"});
}

} // namespace brivane::programs
