#include "catalogue/programs/k_lite_codec_pack.h"

#include "catalogue/definition_helpers.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.codecguide.com";

class TKLiteCodecPack final : public TBaseSoftware {
public:
    TKLiteCodecPack(std::string aName, std::shared_ptr<IRegex> aInstalledName,
                    const std::string& aEdition)
        : TBaseSoftware(std::move(aName), scMultimedia), fInstalledName(std::move(aInstalledName)),
          fDownloadPage(std::string(kSite) + "/download_k-lite_codec_pack_" + aEdition + ".htm") {}

protected:
    void FindApplication() override { FindFirstApplication(*fInstalledName); }

    // The page lists several mirrors; the one on the Betanews directory is taken.
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto mirror =
            NewRegex("<a\\s[^<>]*?href=\"([^<>]+?fileforum\\.betanews\\.com[^<>]+?)\"[^<>]*?>"
                     "\\s*?Mirror");
        TakeBetanewsInfo(FirstGroup(*mirror, GetPageText(fDownloadPage)).value_or(""), aParams);
    }

private:
    const std::shared_ptr<IRegex> fInstalledName;
    const std::string fDownloadPage;
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeKLiteCodecPack(std::string aName,
                                                  std::shared_ptr<IRegex> aInstalledName,
                                                  const std::string& aEdition) {
    return std::make_unique<TKLiteCodecPack>(std::move(aName), std::move(aInstalledName), aEdition);
}

} // namespace brivane::programs
