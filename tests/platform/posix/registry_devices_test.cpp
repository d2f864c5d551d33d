#include "platform/registry_files/file_registry.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace brivane::test {
namespace {

using platform::TRegistrySourceKind;

// A FIFO nobody writes to, or a device, named as a registry file: opening it must not
// wait for a writer, nor read for ever.
TEST(RegistryDevicesTest, FifosAndDevicesAreNotRead) {
    TTempDir dir;
    const auto fifo = dir / "fifo.reg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::filesystem::path& path : {fifo, std::filesystem::path("/dev/zero")}) {
        const auto registry = platform::registry_files::OpenRegistryFrom(
            {TRegistrySourceKind::ExportFile, path, "BRIVANE_REGISTRY"});
        EXPECT_EQ(registry->GetWarnings(),
                  std::vector<std::string>{path.string() + ": not a regular file"});
    }
}

} // namespace
} // namespace brivane::test
