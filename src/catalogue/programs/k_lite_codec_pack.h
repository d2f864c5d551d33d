#pragma once
// The four editions of the K-Lite Codec Pack, made alike: each edition's download
// page on the publisher's site links a mirror on the Betanews directory, whose
// product page gives the version and the installer.

#include "catalogue/base_software.h"

#include <memory>
#include <string>

namespace brivane::programs {

// The edition displayed as aName, found installed as the first application whose
// name matches aInstalledName; aEdition names its download page ("basic" for
// "/download_k-lite_codec_pack_basic.htm").
std::unique_ptr<TBaseSoftware> MakeKLiteCodecPack(std::string aName,
                                                  std::shared_ptr<IRegex> aInstalledName,
                                                  const std::string& aEdition);

} // namespace brivane::programs
