// Glary Utilities: the publisher's update file is an INI file whose "[Version]"
// section gives the version ("Version=5.56.0.77") and the installer
// ("UpdateUrl=..."). The program registers its major version in its display name
// ("Glary Utilities 5.56"); the highest of several installed ones counts.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.glarysoft.com";
constexpr const char* kVersionFile = "https://www.glarysoft.com/update/glary-utilities/version.ini";

const TRegCompileOptions kLines = {TRegCompileOption::rcoMultiLine};

class TGlaryUtilities final : public TBaseSoftware {
public:
    TGlaryUtilities() : TBaseSoftware("Glary Utilities", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Glary\\s+?Utilities(?:\\s+?[\\d.]+)?$");
        FindHighestApplication(*name, THighestFrom::Held);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        // The section runs to the next section or to the end of the file.
        static const auto section =
            NewRegex("\\[Version\\]\\s*(.+?)\\s*(?:\\[|$)", {TRegCompileOption::rcoSingleLine});
        static const auto version = NewRegex("^Version=([\\d.]+)", kLines);
        static const auto installer = NewRegex("^UpdateUrl=(.+?)\\s*$", kLines);

        const auto found = FirstGroup(*section, ReadVersionFile(*fHTTP, kVersionFile));
        if (!found) {
            return;
        }
        const TRegexSubject text(*found);
        aParams.AvailableVersion = VersionIn(*version, text);
        if (const auto link = FirstGroup(*installer, text)) {
            aParams.DownloadURL = AbsoluteLink(kSite, *link);
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeGlaryUtilities() {
    return std::make_unique<TGlaryUtilities>();
}

} // namespace brivane::programs
