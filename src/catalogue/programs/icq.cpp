// ICQ: the Windows page links the installer, whose version is read out of it
// remotely. The page is expected to hold a link to "icqsetup.exe".

#include "catalogue/base_software.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://icq.com";
constexpr const char* kDownloadPage = "https://icq.com/windows/";

class TICQ final : public TBaseSoftware {
public:
    TICQ() : TBaseSoftware("ICQ", scInternetNetwork) {}

protected:
    // "ICQ (version 10.0.12010)" and the like.
    void FindApplication() override {
        static const auto name = NewRegex("^ICQ\\b", {TRegCompileOption::rcoSingleLine});
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto link =
            NewRegex("href\\s*?=\\s*?\"([^<>]+?/icqsetup\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        TakeLinkedInstaller(*link, GetPageText(kDownloadPage), kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeICQ() {
    return std::make_unique<TICQ>();
}

} // namespace brivane::programs
