// K-Lite Full: the version and installer come from the Betanews mirror of its download page.

#include "catalogue/programs/k_lite_codec_pack.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeKLiteFull() {
    // The installers register "K-Lite Codec Pack 12.0.5 Full".
    static const auto installedName = NewRegex("^K-Lite\\s+?Codec\\s+?Pack\\s+?[\\d.]+\\s+?Full$");
    return MakeKLiteCodecPack("K-Lite Full", installedName, "full");
}

} // namespace brivane::programs
