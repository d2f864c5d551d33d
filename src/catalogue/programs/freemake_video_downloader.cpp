// Freemake Video Downloader: its section "[FVD]" of the Freemake release file, its executable
// FreemakeVD.exe.

#include "catalogue/programs/freemake.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeFreemakeVideoDownloader() {
    static const auto name = NewRegex("^Freemake\\s+?Video\\s+?Downloader");
    static const auto release = FreemakeReleasePattern("FVD");
    return MakeFreemakeProgram({"Freemake Video Downloader", name, release, "FreemakeVD.exe"});
}

} // namespace brivane::programs
