// CPU-Z: the program's page names the current version ("Version 1.78") and links
// its English setup ("cpu-z_1.78-en.exe"). The installed program's name carries the
// version ("CPUID CPU-Z 1.78").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.cpuid.com";
constexpr const char* kPage = "https://www.cpuid.com/softwares/cpu-z.html";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TCPUZ final : public TBaseSoftware {
public:
    TCPUZ() : TBaseSoftware("CPU-Z", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^CPUID\\s+?CPU-Z\\s+?([\\d.]+)", {});
        FindApplicationWithVersionInName(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?Version\\s+?([\\d.]+)\\s*?<", kHtml);
        static const auto link = NewRegex("href=\"([^<>]+?cpu-z_[\\d.]+-en\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kPage), *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeCPUZ() {
    return std::make_unique<TCPUZ>();
}

} // namespace brivane::programs
