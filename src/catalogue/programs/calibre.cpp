// Calibre: the publisher's version file holds the current version alone ("2.78.0");
// the installers sit under that version on the download host, one per architecture.
// The 32-bit and the 64-bit program are named apart ("calibre", "calibre 64bit");
// the highest installed counts.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile = "https://code.calibre-ebook.com/latest";
constexpr const char* kDownloads = "https://download.calibre-ebook.com/";

class TCalibre final : public TBaseSoftware {
public:
    TCalibre() : TBaseSoftware("Calibre", scScienceEducation) {}

protected:
    void FindApplication() override {
        static const auto name =
            NewRegex("^calibre(?:\\s+?64\\s*?bit)?$", {TRegCompileOption::rcoIgnoreCase});
        FindHighestApplication(*name, THighestFrom::Held);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("^\\s*([\\d.]+)\\s*$", {});
        const auto found = FirstGroup(*version, GetPageText(kVersionFile));
        if (!found) {
            return;
        }
        aParams.AvailableVersion = *found;
        aParams.DownloadURL = kDownloads + *found +
                              (Context().IsWindows64() ? "/calibre-64bit-" : "/calibre-") + *found +
                              ".msi";
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeCalibre() {
    return std::make_unique<TCalibre>();
}

} // namespace brivane::programs
