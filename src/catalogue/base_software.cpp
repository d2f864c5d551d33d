#include "catalogue/base_software.h"

#include "catalogue/version_compare.h"
#include "platform/executable_files.h"

#include <cmath>

namespace brivane {

namespace {

// The date equals the zero date to the millisecond.
bool IsZeroDate(TDateTime aValue) {
    return std::abs(aValue) < 0.5 / 86400000.0;
}

bool IsBlank(std::string_view aText) {
    return aText.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos;
}

// Puts back what GetRemoteFileInfo changes on the entry's client, on every path.
class TClientSettingsGuard {
public:
    explicit TClientSettingsGuard(net::THTTPClient& aClient)
        : fClient(aClient), fHandleRedirects(aClient.HandleRedirects()),
          fOnReceiveData(aClient.OnReceiveData()) {
        if (const auto* header = net::FindHeader(aClient.CustomHeaders(), "Accept-Encoding")) {
            fAcceptEncoding = header->Value;
        }
    }
    ~TClientSettingsGuard() {
        if (fAcceptEncoding) {
            fClient.SetCustomHeader("Accept-Encoding", *fAcceptEncoding);
        } else {
            fClient.RemoveCustomHeader("Accept-Encoding");
        }
        fClient.SetHandleRedirects(fHandleRedirects);
        fClient.SetOnReceiveData(std::move(fOnReceiveData));
    }
    TClientSettingsGuard(const TClientSettingsGuard&) = delete;
    TClientSettingsGuard& operator=(const TClientSettingsGuard&) = delete;

private:
    net::THTTPClient& fClient;
    std::optional<std::string> fAcceptEncoding;
    bool fHandleRedirects;
    net::TReceiveDataEvent fOnReceiveData;
};

// The response of a request, or null when it failed.
template <typename TRequest>
std::shared_ptr<net::IHTTPResponse> TryRequest(TRequest&& aRequest) {
    try {
        return aRequest();
    } catch (const std::exception&) {
        return nullptr; // a failed request is an expected outcome
    }
}

bool IsOk(const std::shared_ptr<net::IHTTPResponse>& aResponse) {
    return aResponse && aResponse->GetStatusCode() == 200;
}

} // namespace

TBaseSoftware::TBaseSoftware(std::string aName, TSoftwareCategory aCategory,
                             TSoftwareLicense aLicense)
    : fInfo(std::make_unique<TBaseSoftwareInfo>(std::move(aName))),
      fHTTP(net::THTTPClient::Create()), fCategory(aCategory), fLicense(aLicense) {}

TBaseSoftware::~TBaseSoftware() = default;

void TBaseSoftware::Init() {
    fLastCheck.Clear();
    fChecked = false;
    fDownloadURL.clear();
    fDownloadReferer.clear();
    fIsBeta = false;
    SetupHTTPClient(fHTTP.get());
    FindApplication();
    fAvailableVersion = kEmptyVersion;
    fCurrentVersion = GetCurrentVersion();
    fSize = kZeroSize;
    fUpdateDate = kZeroDate;
    fInfo->SetLicense(GetLicense());
    fInfo->SetCategory(GetCategory());
    fInfo->SetIcon(GetInstalledIcon());
}

void TBaseSoftware::Check(bool aCheckBetaVersion, TLanguage aLanguage) {
    fLastCheck.Clear();
    fChecked = true;
    const TCheckTraceScope traced(&fLastCheck);
    try {
        TCheckedParams params = TCheckedParams::Create();
        GetCheckedParams(aCheckBetaVersion, aLanguage, params);
        fAvailableVersion = params.AvailableVersion;
        fDownloadURL = params.DownloadURL;
        fDownloadReferer = params.DownloadReferer;
        fIsBeta = params.IsBeta;
        const TRemoteFileDateSize info = GetRemoteFileInfo(fDownloadURL);
        fUpdateDate = IsZeroDate(params.UpdateDate) ? info.Item1() : params.UpdateDate;
        fSize = info.Item2() > 0 ? info.Item2() : kZeroSize;
    } catch (const std::exception& e) {
        // One entry's failure never stops a pass; what it found so far stays.
        StopTrace(e.what());
    } catch (...) {
        StopTrace("unknown error");
    }
}

void TBaseSoftware::StopTrace(const char* aError) noexcept {
    try {
        fLastCheck.AddStop(aError);
    } catch (...) {
        // Out of memory: the trace goes without its last step.
    }
}

TCheckProblem TBaseSoftware::Problem() const {
    return fChecked && fAvailableVersion.empty() ? fLastCheck.Problem() : TCheckProblem();
}

void TBaseSoftware::RefreshCurrentVersion() {
    FindApplication();
    fCurrentVersion = GetCurrentVersion();
}

int TBaseSoftware::CompareVersions(const std::string& aCurrent, const std::string& aAvailable,
                                   int aDigits) {
    return CompareVersionNumbers(aCurrent, aAvailable, aDigits);
}

TProgramInfo TBaseSoftware::MakeProgramInfo() const {
    const TProgramInfo& cached = fInfo->CachedInfo();
    std::optional<TIconBytes> icon;
    if (fInfo->Icon() && !fInfo->Icon()->empty()) {
        icon.emplace(fInfo->Icon()->begin(), fInfo->Icon()->end());
    } else {
        icon = cached.fIcon;
    }
    TProgramInfo info = TProgramInfo::Make(
        std::move(icon), fInfo->Name(), fInfo->DescriptionRu(), fInfo->DescriptionEn(),
        fSize != kZeroSize ? fSize : cached.Size,
        !IsZeroDate(fUpdateDate) ? fUpdateDate : cached.UpdateDate, fInfo->Category(),
        !fCurrentVersion.empty() ? fCurrentVersion : cached.CurrentVersion,
        !fAvailableVersion.empty() ? fAvailableVersion : cached.AvailableVersion);
    info.Problem = Problem();
    return info;
}

void TBaseSoftware::SetupHTTPClient(net::THTTPClient* aClient) {
    if (aClient != nullptr) {
        net::SetupHTTPClient(*aClient);
    }
}

std::string TBaseSoftware::GetCurrentVersion() {
    return fApplication.HasValue() ? fApplication.Value().Version : std::string(kEmptyVersion);
}

bool TBaseSoftware::GetIsInstalled() const {
    return fApplication.HasValue();
}

std::string TBaseSoftware::GetIconLocation() {
    return fApplication.HasValue() ? fApplication.Value().Icon : std::string();
}

TSoftwareCategory TBaseSoftware::GetCategory() {
    return fCategory;
}

TSoftwareLicense TBaseSoftware::GetLicense() {
    return fLicense;
}

void TBaseSoftware::FindApplication() {
    const auto items = Context().GetApplicationsByName(fInfo->Name());
    if (items.empty()) {
        return;
    }
    // The highest version wins; a tie keeps the earlier item.
    std::size_t best = 0;
    for (std::size_t i = 1; i < items.size(); ++i) {
        if (CompareVersions(items[i].Version, items[best].Version, 4) > 0) {
            best = i;
        }
    }
    fApplication = items[best];
}

TRemoteFileDateSize TBaseSoftware::GetRemoteFileInfo(const std::string& aURL) {
    const TRemoteFileDateSize none(kZeroDate, kZeroSize);
    if (!fHTTP || IsBlank(aURL)) {
        return none;
    }
    net::TNetHeaders headers;
    if (!fDownloadReferer.empty()) {
        headers.push_back({"Referer", fDownloadReferer});
    }
    std::shared_ptr<net::IHTTPResponse> response;
    {
        TClientSettingsGuard guard(*fHTTP);
        fHTTP->SetCustomHeader("Accept-Encoding", "gzip, deflate");
        fHTTP->SetHandleRedirects(true);
        response = TryRequest([&] { return fHTTP->Head(aURL, headers); });
        if (!IsOk(response)) {
            // Servers that refuse HEAD: a GET that stops once the head has come.
            fHTTP->SetOnReceiveData([](const net::THTTPRequest&, std::int64_t, std::int64_t,
                                       bool& aAbort) { aAbort = true; });
            response = TryRequest([&] { return fHTTP->Get(aURL, nullptr, headers); });
        }
    }
    if (!IsOk(response)) {
        return none;
    }
    TDateTime date = kZeroDate;
    if (const auto seconds = ParseHttpDate(response->GetHeaderValue("Last-Modified"))) {
        date = UnixToLocalDateTime(*seconds);
    }
    return TRemoteFileDateSize(date, response->GetContentLength());
}

std::string TBaseSoftware::GetPageText(const std::string& aURL, int aCodePage,
                                       const net::TResponseEvent& aOnResponse) {
    return net::GetPageText(*fHTTP, aURL, aCodePage, aOnResponse);
}

std::string TBaseSoftware::PostPageText(const std::string& aURL, std::string_view aFields,
                                        const net::TResponseEvent& aOnResponse, int aCodePage) {
    return net::PostPageText(*fHTTP, aURL, aFields, aCodePage, aOnResponse);
}

std::string TBaseSoftware::GetFileVersion(std::string_view aFileName) const {
    return platform::GetFileVersion(Files(), aFileName);
}

TIconFile TBaseSoftware::LoadIconFromLocation(std::string_view aLocation) const {
    return platform::LoadIconFromLocation(Files(), aLocation);
}

std::optional<TIconFile> TBaseSoftware::GetInstalledIcon() {
    if (!IsInstalled()) {
        return std::nullopt;
    }
    return LoadIconFromLocation(GetIconLocation());
}

} // namespace brivane
