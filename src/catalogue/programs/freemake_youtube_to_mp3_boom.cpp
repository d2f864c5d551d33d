// Freemake YouTube To MP3 Boom: its section "[FYB]" of the Freemake release file, its executable
// FreemakeYB.exe.

#include "catalogue/programs/freemake.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeFreemakeYouTubeToMP3Boom() {
    static const auto name = NewRegex("^Freemake\\s+?YouTube\\s+?To\\s+?MP3\\s+?Boom");
    static const auto release = FreemakeReleasePattern("FYB");
    return MakeFreemakeProgram({"Freemake YouTube To MP3 Boom", name, release, "FreemakeYB.exe"});
}

} // namespace brivane::programs
