// Sandboxie: the publisher's version file states the current release ("5.10"); one
// installer for both architectures lies at a fixed address. The installers register
// "Sandboxie 5.10 (64-bit)".

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile = "https://www.sandboxie.com/update/version.txt";
constexpr const char* kInstaller = "https://www.sandboxie.com/SandboxieInstall.exe";

class TSandboxie final : public TBaseSoftware {
public:
    TSandboxie() : TBaseSoftware("Sandboxie", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Sandboxie\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("^\\s*([\\d.]+)");
        CheckVersionFile(*fHTTP, kVersionFile, *version, kInstaller, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSandboxie() {
    return std::make_unique<TSandboxie>();
}

} // namespace brivane::programs
