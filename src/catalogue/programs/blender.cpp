// Blender: the download page names the release ("Blender 2.78c") and links one
// installer per architecture ("blender-2.78c-windows64.msi", "...-windows32.msi").
// Releases carry a letter after the number, which no comparison of numbers can
// order, so both the installed and the offered version keep the number alone.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/page_versions.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.blender.org";
constexpr const char* kPage = "https://www.blender.org/download/";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TBlender final : public TBaseSoftware {
public:
    TBlender() : TBaseSoftware("Blender", scGraphics) {}

protected:
    // "2.78c" is 2.78.
    std::string GetCurrentVersion() override {
        static const auto number = NewRegex("^([\\d.]+)", {});
        const std::string version = TBaseSoftware::GetCurrentVersion();
        return FirstGroup(*number, version).value_or(version);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?Blender\\s+?([\\d.]+)[a-z]?\\s*?<", kHtml);
        static const auto link64 = NewRegex("href=\"([^<>]+?-windows64\\.msi)\"", kHtml);
        static const auto link32 = NewRegex("href=\"([^<>]+?-windows32\\.msi)\"", kHtml);
        ReadVersionAndLink(GetPageText(kPage), *version,
                           Context().IsWindows64() ? *link64 : *link32, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeBlender() {
    return std::make_unique<TBlender>();
}

} // namespace brivane::programs
