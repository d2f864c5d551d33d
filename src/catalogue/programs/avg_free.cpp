// AVG: the free antivirus's page on the CNet directory gives the version and the
// installer. Its installers register the product under several names over the years
// ("AVG 2016", "AVG Free 2015", "AVG AntiVirus Free Edition 2014"), sometimes side by
// side with a leftover record without a version; the highest version above 0 counts.

#include "catalogue/base_software.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kDirectoryPage =
    "https://download.cnet.com/AVG-AntiVirus-Free/3000-2239_4-10320142.html";

class TAVGFree final : public TBaseSoftware {
public:
    TAVGFree() : TBaseSoftware("AVG", scSecurity) {}

protected:
    // "AVG" followed by edition words and a year only: not "AVG PC TuneUp".
    void FindApplication() override {
        static const auto name =
            NewRegex("^AVG(?:\\s+?(?:AntiVirus|Anti-Virus|Free|Edition))*(?:\\s+?\\d{4})?$",
                     {TRegCompileOption::rcoIgnoreCase});
        FindHighestApplication(*name, THighestFrom::Zero);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        TakeCNetInfo(kDirectoryPage, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAVGFree() {
    return std::make_unique<TAVGFree>();
}

} // namespace brivane::programs
