// VeraCrypt: the downloads page links the Windows installer of the latest stable
// release under a name that carries the version ("VeraCrypt Setup 1.19.exe", the
// blanks percent-encoded in the link). The installer registers "VeraCrypt".

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.veracrypt.fr";
constexpr const char* kDownloadPage = "https://www.veracrypt.fr/en/Downloads.html";

class TVeraCrypt final : public TBaseSoftware {
public:
    TVeraCrypt() : TBaseSoftware("VeraCrypt", scSecurity) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/VeraCrypt(?:%20|\\s)Setup(?:%20|\\s)([\\d.]+)\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeVeraCrypt() {
    return std::make_unique<TVeraCrypt>();
}

} // namespace brivane::programs
