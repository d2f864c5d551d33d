#include "catalogue/release_channels.h"

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/download_directory_loaders.h"
#include "catalogue/publisher_sources.h"
#include "catalogue/remote_file_info.h"

namespace brivane {

std::string RemoteVersion(const std::string& aURL, TProbedVersion aWhich) {
    if (aURL.empty()) {
        return {};
    }
    TRemoteFileInfo file(aURL);
    try {
        file.GetInfo(false, false);
    } catch (const TConversionError&) {
        // A damaged string table: the fixed version read before it still stands, and a
        // stable release found before a pre-release probe is not lost with it.
    }
    const TFileVersionInfo& info = file.FileVersionInfo();
    if (aWhich == TProbedVersion::File) {
        return info.GetFileVersionText();
    }
    // A file whose probe found no version has none, rather than "0.0.0.0".
    const TFixedFileInfo& fixed = info.FixedFileInfo();
    const bool none = info.StringFileInfo().ProductVersion.empty() &&
                      fixed.dwProductVersionMS == 0 && fixed.dwProductVersionLS == 0;
    return none ? std::string() : info.GetProductVersionText();
}

void ProbeInstallerVersion(TCheckedParams& aParams, TProbeWhen aWhen, TProbedVersion aWhich) {
    if (aParams.DownloadURL.empty() ||
        (aWhen == TProbeWhen::VersionMissing && !aParams.AvailableVersion.empty())) {
        return;
    }
    if (std::string version = RemoteVersion(aParams.DownloadURL, aWhich); !version.empty()) {
        aParams.AvailableVersion = std::move(version);
    }
}

void TakeProbedInstaller(const std::string& aURL, TCheckedParams& aParams, TProbedVersion aWhich) {
    aParams.DownloadURL = aURL;
    ProbeInstallerVersion(aParams, TProbeWhen::Always, aWhich);
}

void TakeLinkedInstaller(const IRegex& aLink, const TRegexSubject& aPage, std::string_view aSite,
                         TCheckedParams& aParams, TProbedVersion aWhich) {
    if (const auto link = FirstGroup(aLink, aPage)) {
        TakeProbedInstaller(AbsoluteLink(aSite, *link), aParams, aWhich);
    }
}

namespace {

template <typename TInfo>
void TakeDirectoryInfo(const TInfo& aInfo, TCheckedParams& aParams) {
    if (!aInfo.Version.empty()) {
        aParams.AvailableVersion = aInfo.Version;
    }
    if (!aInfo.DownloadURL.empty()) {
        aParams.DownloadURL = aInfo.DownloadURL;
    }
}

} // namespace

void TakeCNetInfo(const std::string& aProductPage, TCheckedParams& aParams) {
    if (!aProductPage.empty()) {
        TakeDirectoryInfo(MakeCNetInfoLoader()->GetInfo(aProductPage), aParams);
    }
}

void TakeBetanewsInfo(const std::string& aProductPage, TCheckedParams& aParams) {
    if (!aProductPage.empty()) {
        TakeDirectoryInfo(MakeBetanewsInfoLoader()->GetInfo(aProductPage), aParams);
    }
}

bool TakeRelease(const IRegex& aRelease, const TRegexSubject& aPage, std::string_view aSite,
                 TCheckedParams& aParams) {
    const auto match = aRelease.Match(aPage);
    if (!match->Success()) {
        return false;
    }
    std::string link = GroupText(*match, 1);
    std::string version = GroupText(*match, 2);
    if (link.empty() || version.empty()) {
        return false;
    }
    aParams.DownloadURL = AbsoluteLink(aSite, link);
    aParams.AvailableVersion = std::move(version);
    return true;
}

TCheckedParams NewerRelease(TBaseSoftware& aEntry, TCheckedParams aStable,
                            TCheckedParams aPreRelease, TTieGoesTo aTie) {
    if (aPreRelease.DownloadURL.empty() || aPreRelease.AvailableVersion.empty()) {
        return aStable;
    }
    const int order =
        aEntry.CompareVersions(aPreRelease.AvailableVersion, aStable.AvailableVersion, 4);
    const bool preRelease = order > 0 || (order == 0 && aTie == TTieGoesTo::PreRelease);
    return preRelease ? aPreRelease : aStable;
}

void TakeCNetInfoWithVersionFile(net::THTTPClient& aClient, const std::string& aProductPage,
                                 const std::string& aVersionFile, const IRegex& aVersion,
                                 TCheckedParams& aParams) {
    TakeCNetInfo(aProductPage, aParams);
    std::string stated = VersionIn(aVersion, ReadVersionFile(aClient, aVersionFile));
    if (!stated.empty()) {
        aParams.AvailableVersion = std::move(stated);
    }
}

} // namespace brivane
