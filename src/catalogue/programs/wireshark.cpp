// Wireshark: the download page links one installer per architecture under names that
// carry the version ("Wireshark-win64-2.2.1.exe", "Wireshark-win32-2.2.1.exe"). The
// installer registers "Wireshark 2.2.1 (64-bit)".

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.wireshark.org";
constexpr const char* kDownloadPage = "https://www.wireshark.org/download.html";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TWireshark final : public TBaseSoftware {
public:
    TWireshark() : TBaseSoftware("Wireshark", scDevelopment) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Wireshark(?:\\s|$)");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer64 =
            NewRegex("href=\"([^<>]+?/Wireshark-win64-([\\d.]+)\\.exe)\"", kHtml);
        static const auto installer32 =
            NewRegex("href=\"([^<>]+?/Wireshark-win32-([\\d.]+)\\.exe)\"", kHtml);
        ReadVersionedLink(GetPageText(kDownloadPage),
                          Context().IsWindows64() ? *installer64 : *installer32, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeWireshark() {
    return std::make_unique<TWireshark>();
}

} // namespace brivane::programs
