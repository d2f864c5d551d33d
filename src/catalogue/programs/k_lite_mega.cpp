// K-Lite Mega: the version and installer come from the Betanews mirror of its download page.

#include "catalogue/programs/k_lite_codec_pack.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeKLiteMega() {
    // The installers register "K-Lite Mega Codec Pack 12.0.5".
    static const auto installedName = NewRegex("^K-Lite\\s+?Mega\\s+?Codec\\s+?Pack\\b");
    return MakeKLiteCodecPack("K-Lite Mega", installedName, "mega");
}

} // namespace brivane::programs
