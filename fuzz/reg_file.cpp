// A file exported by regedit: "Windows Registry Editor Version 5.00" in UTF-16LE or
// "REGEDIT4" in 8-bit text, read into a registry and walked.

#include "platform/registry_files/file_registry.h"
#include "platform/registry_files/registry_file_reader.h"
#include "support/fuzz_input.h"
#include "support/registry_walk.h"

#include <memory>
#include <string>
#include <vector>

using namespace brivane;
using namespace brivane::platform::registry_files;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    auto store = std::make_shared<TRegistryStore>();
    TRegFileInfo info;
    std::string warning =
        ParseRegFile(std::string(fuzz::AsText(aData, aSize)), "fuzz.reg", *store, info);
    std::vector<std::string> warnings;
    if (!warning.empty()) {
        warnings.push_back(std::move(warning));
    }
    const auto registry =
        MakeFileRegistry(store, std::nullopt, std::move(warnings), info.fHoldsMachineSoftware);
    fuzz::WalkRegistry(*registry);
    return 0;
}
