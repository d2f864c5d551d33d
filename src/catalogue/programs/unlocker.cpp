// Unlocker: the publisher's page links the installer under a name that carries the
// version ("unlocker1.9.2.exe"). The installer registers "Unlocker 1.9.2".

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.emptyloop.com";
constexpr const char* kProductPage = "https://www.emptyloop.com/unlocker/";

class TUnlocker final : public TBaseSoftware {
public:
    TUnlocker() : TBaseSoftware("Unlocker", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Unlocker(?:\\s+?[\\d.]+)?$");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/unlocker(\\d[\\d.]*?)\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kProductPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeUnlocker() {
    return std::make_unique<TUnlocker>();
}

} // namespace brivane::programs
