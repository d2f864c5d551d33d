// The static cache file of a program (magic, icon, name, descriptions), as shipped
// beside the executable, read without a dynamic file.

#include "catalogue/program_info.h"
#include "support/fuzz_input.h"

#include <stdexcept>

using namespace brivane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    const auto file = fuzz::WriteTempFile("program.static", fuzz::AsText(aData, aSize));
    try {
        (void)TProgramInfo::LoadFromCacheFiles(file, fuzz::TempFolder() / "missing.dynamic");
    } catch (const std::runtime_error&) {
    }
    return 0;
}
