// K-Lite Standard: the version and installer come from the Betanews mirror of its download page.

#include "catalogue/programs/k_lite_codec_pack.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeKLiteStandard() {
    // The installers register "K-Lite Codec Pack 12.0.5 Standard".
    static const auto installedName =
        NewRegex("^K-Lite\\s+?Codec\\s+?Pack\\s+?[\\d.]+\\s+?Standard$");
    return MakeKLiteCodecPack("K-Lite Standard", installedName, "standard");
}

} // namespace brivane::programs
