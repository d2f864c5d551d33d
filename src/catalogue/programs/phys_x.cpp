// NVIDIA PhysX: the PhysX system software page, in the user's language where NVIDIA
// has one ("/ru-ru/", else "/en-us/"), links the installer on NVIDIA's download host,
// whose file name carries the version ("PhysX-9.16.0318-SystemSoftware.exe"). The
// installer registers "NVIDIA PhysX System Software 9.16.0318", beside which the
// driver package may leave a "Legacy" runtime that is not this program.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.nvidia.com";
constexpr const char* kEnglishPage = "https://www.nvidia.com/en-us/drivers/physx/";
constexpr const char* kRussianPage = "https://www.nvidia.com/ru-ru/drivers/physx/";

class TPhysX final : public TBaseSoftware {
public:
    TPhysX() : TBaseSoftware("NVIDIA PhysX", scSystem) {}

protected:
    // The application named like the entry, else the first PhysX package that is not
    // the legacy runtime.
    void FindApplication() override {
        static const auto name = NewRegex("^NVIDIA\\s.*?PhysX.*?");
        if (!Context().GetApplicationsByName(Info().Name()).empty()) {
            TBaseSoftware::FindApplication();
            return;
        }
        FindFirstApplication([](const TApplicationItem& aItem) {
            return name->IsMatch(aItem.Name) && aItem.Name.find("Legacy") == std::string::npos;
        });
    }

    void GetCheckedParams(bool, TLanguage aLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/PhysX[-_]([\\d.]+)[-_]SystemSoftware\\.(?:exe|msi))\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        const std::string page = GetPageText(aLanguage == lRussian ? kRussianPage : kEnglishPage);
        ReadVersionedLink(page, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakePhysX() {
    return std::make_unique<TPhysX>();
}

} // namespace brivane::programs
