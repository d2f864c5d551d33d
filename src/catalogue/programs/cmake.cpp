// CMake: the download page names the latest release ("Latest Release (3.7.2)") and
// links its Windows installer ("cmake-3.7.2-win32-x86.msi"), which runs on either
// architecture. Older installers named the program with its version
// ("CMake 3.7.2"), several of which may be installed: the highest counts.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://cmake.org";
constexpr const char* kPage = "https://cmake.org/download/";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TCMake final : public TBaseSoftware {
public:
    TCMake() : TBaseSoftware("CMake", scDevelopment) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^CMake(?:\\s+?[\\d.]+)?$", {});
        FindHighestApplication(*name, THighestFrom::Held);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex("Latest\\s+?Release\\s*?\\(\\s*?([\\d.]+)\\s*?\\)", kHtml);
        static const auto link = NewRegex("href=\"([^<>]+?-win32-x86\\.msi)\"", kHtml);
        ReadVersionAndLink(GetPageText(kPage), *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeCMake() {
    return std::make_unique<TCMake>();
}

} // namespace brivane::programs
