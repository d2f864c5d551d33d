// The demo's installers: files downloaded from the demo world's server and "run" by its
// launcher, which writes what they say into the demo machine. The reader throws its own
// error and nothing else, and what it accepts stays on drive C and below the uninstall key.

#include "demo/demo_installer.h"
#include "base/unicode.h"
#include "support/fuzz_input.h"

#include <cstdlib>

using namespace brivane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    try {
        const auto install = demo::ParseDemoInstaller(fuzz::AsText(aData, aSize));
        for (const auto& record : install.Records) {
            if (record.Key.empty() || record.Key.find('\\') != std::string::npos) {
                std::abort();
            }
        }
        for (const auto& file : install.Files) {
            const std::string names = file.Path.substr(2) + "\\";
            if (!SameText(file.Path.substr(0, 3), "C:\\") ||
                names.find("\\..\\") != std::string::npos || names.find('/') != std::string::npos) {
                std::abort();
            }
        }
    } catch (const demo::EDemoInstallerError&) {
    }
    return 0;
}
