// The settings file, Config.dat: read, every known key asked for, then one key set.
// Whatever the old file held, the new one must be sound and hold the new value.

#include "app/settings.h"
#include "support/fuzz_input.h"

#include <cstdlib>
#include <filesystem>

using namespace brivane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    std::error_code ignored;
    std::filesystem::remove(fuzz::TempFolder() / "Config.dat.damaged", ignored);
    const auto file = fuzz::WriteTempFile("Config.dat", fuzz::AsText(aData, aSize));

    TConfig config(file);
    for (const TSettingKey& key : KnownSettings()) {
        (void)config.GetExists(key.Name);
        (void)config.FindBoolean(key.Name);
        (void)config.FindInteger(key.Name);
    }
    (void)config.Snapshot().dump();
    (void)config.TakeWarnings();

    if (!config.SetInteger(kLanguage, 1)) {
        std::abort(); // the folder is ours: the file must be writable
    }
    const TConfig reread(file);
    if (reread.FindInteger(kLanguage) != 1) {
        std::abort();
    }
    return 0;
}
