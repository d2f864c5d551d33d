// Firefox: Mozilla's page of all Firefox builds; the installer registers "Mozilla
// Firefox 47.0 (x86 ru)".

#include "catalogue/programs/mozilla_program.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeFirefox() {
    static const auto name = NewRegex("^Mozilla\\s+?Firefox\\s+?[\\d.]+");
    static const auto english = MozillaInstallerLink("firefox", "en-US");
    static const auto russian = MozillaInstallerLink("firefox", "ru");
    return MakeMozillaProgram({"Firefox", scInternetNetwork, name,
                               "https://www.mozilla.org/en-US/firefox/all/", english, russian});
}

} // namespace brivane::programs
