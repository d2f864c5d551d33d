// Thunderbird: Mozilla's page of all Thunderbird builds; the installer registers
// "Mozilla Thunderbird 45.4.0 (x86 ru)".

#include "catalogue/programs/mozilla_program.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeThunderbird() {
    static const auto name = NewRegex("^Mozilla\\s+?Thunderbird\\s+?[\\d.]+");
    static const auto english = MozillaInstallerLink("thunderbird", "en-US");
    static const auto russian = MozillaInstallerLink("thunderbird", "ru");
    return MakeMozillaProgram({"Thunderbird", scInternetNetwork, name,
                               "https://www.mozilla.org/en-US/thunderbird/all/", english, russian});
}

} // namespace brivane::programs
