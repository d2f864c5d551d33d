// Wire: the download page links the Windows installer; its product version, read
// out of it remotely, is the release (the file version carries a trailing 0).

#include "catalogue/base_software.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://wire.com";
constexpr const char* kDownloadPage = "https://wire.com/download/";

class TWire final : public TBaseSoftware {
public:
    TWire() : TBaseSoftware("Wire", scInternetNetwork) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto link =
            NewRegex("href\\s*?=\\s*?\"([^<>]+?\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        TakeLinkedInstaller(*link, GetPageText(kDownloadPage), kSite, aParams,
                            TProbedVersion::Product);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeWire() {
    return std::make_unique<TWire>();
}

} // namespace brivane::programs
