// Nokia Suite: the publisher's version file for the suite's web installer states the
// current release in its first line ("3.8.54"); the web installer's address never
// changes.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile =
    "https://nds1.nokia.com/files/support/global/phones/software/nokia_suite_version.txt";
constexpr const char* kInstaller =
    "https://nds1.nokia.com/files/support/global/phones/software/Nokia_Suite_webinstaller_ALL.exe";

class TNokiaSuite final : public TBaseSoftware {
public:
    TNokiaSuite() : TBaseSoftware("Nokia Suite", scSystem) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("^\\s*([\\d.]+)");
        CheckVersionFile(*fHTTP, kVersionFile, *version, kInstaller, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeNokiaSuite() {
    return std::make_unique<TNokiaSuite>();
}

} // namespace brivane::programs
