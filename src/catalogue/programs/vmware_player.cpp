// VMware Player: the publisher's download link redirects to its download portal,
// whose address names the product after a "#". The portal answers form posts with
// JSON: the product's page details give its major and minor version codes, the
// binaries tab lists the files with the keys a download needs, and a last post with
// those keys gives the installer's address. Each step needs everything the one
// before it found; a missing piece ends the check with what was found so far.

#include "base/json_path.h"
#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kDownloadLink = "https://www.vmware.com/go/download-wkst-player-en";
constexpr const char* kPortal = "https://my.vmware.com/web/vmware/free";
constexpr const char* kDownloadFiles =
    "https://my.vmware.com/web/vmware/free"
    "?p_p_id=MassMarketBinaryDownloadPortlet_WAR_itdownloadsportlet"
    "&p_p_lifecycle=2&p_p_state=normal&p_p_mode=view"
    "&p_p_resource_id=downloadFilesForPlayer"
    "&p_p_cacheability=cacheLevelPage&p_p_col_id=column-1&p_p_col_count=1";

// The portlet's fields before and after the resource asked for.
constexpr const char* kPortletHead =
    "p_p_id=MassMarketBinaryDownloadPortlet_WAR_itdownloadsportlet\r\n"
    "p_p_lifecycle=2\r\n"
    "p_p_state=normal\r\n"
    "p_p_mode=view\r\n";
constexpr const char* kPortletTail = "p_p_cacheability=cacheLevelPage\r\n"
                                     "p_p_col_id=column-1\r\n"
                                     "p_p_col_count=1\r\n";

std::string PortletFields(std::string_view aResource, std::string_view aMore) {
    return std::string(kPortletHead) + "p_p_resource_id=" + std::string(aResource) + "\r\n" +
           kPortletTail + std::string(aMore);
}

// The player's installer among the listed files and what its download needs.
struct TPlayerFile {
    std::string Version;
    std::string FileId;
    std::string SecureParam;
    std::string Uuid;
};

class TVMwarePlayer final : public TBaseSoftware {
public:
    TVMwarePlayer() : TBaseSoftware("VMware Player", scSystem) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        // ".../web/vmware/free#desktop_end_user_computing/vmware_workstation_player/12_0"
        const std::string location = RedirectLocation(*fHTTP, kDownloadLink);
        const auto hash = location.find('#');
        if (hash == std::string::npos) {
            return;
        }
        const std::string slug = location.substr(hash + 1);

        // {"pageDetails": {"vMjrSlug": "...", "vMnrDlg": "..."}}
        const auto page =
            PostJson(kPortal, PortletFields("onLoadFetchPageDetails", "slug=" + slug));
        const std::string major = JsonText(page, "pageDetails.vMjrSlug");
        const std::string minor = JsonText(page, "pageDetails.vMnrDlg");
        if (major.empty() || minor.empty()) {
            return;
        }

        // {"widget": {"productId": ..., "tagId": ..., "downloadGroupCode": ...,
        //  "proDet": [{"pDetails": {"fileName": "VMware-player-12.5.2-4638234.exe"},
        //              "pDownloadFileId": ..., "pSecureParam": ..., "uuid": ...}, ...]}}
        const auto tab =
            PostJson(kPortal, PortletFields("fetchProductBinaryTab",
                                            "minorVersion=" + minor + "\r\nmajorVersion=" + major));
        std::string widget;
        for (const char* name : {"productId", "tagId", "downloadGroupCode"}) {
            const std::string value = JsonText(tab, std::string("widget.") + name);
            if (value.empty()) {
                return;
            }
            widget += std::string("\r\n") + name + "=" + value;
        }
        const TPlayerFile file = FindPlayerFile(tab);
        if (file.Version.empty()) {
            return;
        }

        // At most three components: a build number goes once there are three already.
        static const auto shortVersion =
            NewRegex("^\\d+(?:\\.\\d+(?:\\.\\d+)?)?", {TRegCompileOption::rcoSingleLine});
        const auto match = shortVersion->Match(file.Version);
        aParams.AvailableVersion = match->Success() ? GroupText(*match, 0) : file.Version;

        // {"dResponseList": {"downloadURL": "https://download3.vmware.com/..."}}
        const auto files =
            PostJson(kDownloadFiles, "downloadFileId=" + file.FileId +
                                         "\r\nvmware=downloadBinary\r\nbaseStr=\r\nhashKey=" +
                                         file.SecureParam + widget + "\r\nuuId=" + file.Uuid);
        if (std::string url = JsonText(files, "dResponseList.downloadURL"); !url.empty()) {
            aParams.DownloadURL = std::move(url);
        }
    }

private:
    // The answer to a form post; an empty object when it is no JSON object.
    nlohmann::json PostJson(const std::string& aURL, const std::string& aFields) {
        auto answer = ParseJson(PostPageText(aURL, aFields));
        return answer && answer->is_object() ? std::move(*answer) : nlohmann::json::object();
    }

    // The first listed file that is the player's installer; nothing (an empty version)
    // when there is none or it lacks a download key.
    static TPlayerFile FindPlayerFile(const nlohmann::json& aTab) {
        static const auto installer =
            NewRegex("VMware-player-([\\d.]+)(?:-(\\d+))?\\.exe",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        const auto* files = FindJsonMember(aTab, "widget.proDet");
        if (files == nullptr || !files->is_array()) {
            return {};
        }
        for (const auto& file : *files) {
            const auto match = installer->Match(JsonText(file, "pDetails.fileName"));
            if (!match->Success()) {
                continue;
            }
            TPlayerFile result{GroupText(*match, 1), JsonText(file, "pDownloadFileId"),
                               JsonText(file, "pSecureParam"), JsonText(file, "uuid")};
            if (const std::string build = GroupText(*match, 2); !build.empty()) {
                result.Version += "." + build;
            }
            if (result.FileId.empty() || result.SecureParam.empty() || result.Uuid.empty()) {
                return {};
            }
            return result;
        }
        return {};
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeVMwarePlayer() {
    return std::make_unique<TVMwarePlayer>();
}

} // namespace brivane::programs
