// Sublime Text: the download page names the build ("Version: Build 3126") and links
// one installer per edition by its text ("Windows", "Windows 64 bit"). The installer
// registers the build in the display name ("Sublime Text Build 3126").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.sublimetext.com";
constexpr const char* kDownloadPage = "https://www.sublimetext.com/3";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TSublimeText final : public TBaseSoftware {
public:
    TSublimeText() : TBaseSoftware("Sublime Text", scOffice, slShareware) {}

protected:
    void FindApplication() override {
        static const auto name =
            NewRegex("^Sublime\\s+?Text\\s+?Build\\s+?(\\d+)", {TRegCompileOption::rcoIgnoreCase});
        FindApplicationWithVersionInName(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto build =
            NewRegex(">\\s*?Version:(?:\\s*<[^<>]+?>\\s*)*?\\s*?Build\\s+?(\\d+)", kHtml);
        static const auto installer64 = NewRegex(
            "<a\\s[^<>]*?href=\"([^<>]+?)\"[^<>]*?>\\s*?Windows\\s+?64\\s+?bit\\s*?<", kHtml);
        static const auto installer32 =
            NewRegex("<a\\s[^<>]*?href=\"([^<>]+?)\"[^<>]*?>\\s*?Windows\\s*?<", kHtml);
        const TRegexSubject page(GetPageText(kDownloadPage));
        const auto& installer = Context().IsWindows64() ? installer64 : installer32;
        ReadVersionAndLink(page, *build, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSublimeText() {
    return std::make_unique<TSublimeText>();
}

} // namespace brivane::programs
