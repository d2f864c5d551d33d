// OpenVPN: the publisher's downloads page has a table row per Windows installer
// ("Installer (64-bit), Windows Vista and later" beside a link to
// "openvpn-install-2.3.11-I601-x86_64.exe"); the system picks the row, the version is
// in the link. The installer registers its version with the build after it
// ("2.3.10-I603"), of which the number is kept.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://openvpn.net";
constexpr const char* kDownloadsPage = "https://openvpn.net/index.php/open-source/downloads.html";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

// The link in the row of the installer for that architecture and system.
std::shared_ptr<IRegex> InstallerRow(const char* aBits, const char* aSystem) {
    return NewRegex(std::string("Installer\\s+?\\(") + aBits + "-bit\\),\\s+?Windows\\s+?" +
                        aSystem +
                        "\\s+?and\\s+?later\\s*?(?:<[^<>]+?>\\s*)*?<a\\s[^<>]*?href=\"([^<>]+?)\"",
                    kHtml);
}

class TOpenVPN final : public TBaseSoftware {
public:
    TOpenVPN() : TBaseSoftware("OpenVPN", scInternetNetwork) {}

protected:
    // "OpenVPN 2.3.10-I603 "
    void FindApplication() override {
        static const auto name = NewRegex("^OpenVPN\\s+?[\\d.]+");
        FindFirstApplication(*name);
    }

    std::string GetCurrentVersion() override {
        static const auto number = NewRegex("^([\\d.]+)");
        std::string version = TBaseSoftware::GetCurrentVersion();
        return FirstGroup(*number, version).value_or(version);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto vista32 = InstallerRow("32", "Vista");
        static const auto vista64 = InstallerRow("64", "Vista");
        static const auto xp32 = InstallerRow("32", "XP");
        static const auto xp64 = InstallerRow("64", "XP");
        static const auto version = NewRegex("openvpn-install-([\\d.]+)-", kHtml);

        // Windows XP and Server 2003 are version 5.
        const bool xp = Context().SystemInfo().fVersion.starts_with("5");
        const bool windows64 = Context().IsWindows64();
        const auto& row = xp ? (windows64 ? xp64 : xp32) : (windows64 ? vista64 : vista32);
        const auto link = FirstGroup(*row, GetPageText(kDownloadsPage));
        if (!link) {
            return;
        }
        aParams.DownloadURL = AbsoluteLink(kSite, *link);
        aParams.AvailableVersion = VersionIn(*version, aParams.DownloadURL);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeOpenVPN() {
    return std::make_unique<TOpenVPN>();
}

} // namespace brivane::programs
