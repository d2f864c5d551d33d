// A Wine registry hive ("WINE REGISTRY Version 2") read as a prefix's system.reg,
// then walked. (user.reg differs only in the hive its keys go to.)

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
    TWineHiveInfo info;
    std::string warning = ParseWineHive(std::string(fuzz::AsText(aData, aSize)), "system.reg",
                                        TStoreRoot::LocalMachine, *store, info);
    std::vector<std::string> warnings;
    const bool complete = warning.empty();
    if (!complete) {
        warnings.push_back(std::move(warning));
    }
    const auto registry = MakeFileRegistry(store, info.fIs64Bit, std::move(warnings), complete);
    fuzz::WalkRegistry(*registry);
    return 0;
}
