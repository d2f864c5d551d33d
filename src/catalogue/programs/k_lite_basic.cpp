// K-Lite Basic: the version and installer come from the Betanews mirror of its download page.

#include "catalogue/programs/k_lite_codec_pack.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeKLiteBasic() {
    // The installers register "K-Lite Codec Pack 12.0.5 Basic".
    static const auto installedName = NewRegex("^K-Lite\\s+?Codec\\s+?Pack\\s+?[\\d.]+\\s+?Basic$");
    return MakeKLiteCodecPack("K-Lite Basic", installedName, "basic");
}

} // namespace brivane::programs
