#include "platform/registry_files/file_registry.h"
#include "platform/registry_files/registry_file_reader.h"
#include "support/registry_fixtures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>

namespace brivane::test {
namespace {

using platform::IRegistry;
using platform::TRegistryHive;
using platform::TRegistrySource;
using platform::TRegistrySourceKind;
using platform::TRegistryView;

const std::string kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::size_t UninstallCount(const IRegistry& aRegistry, TRegistryView aView) {
    const auto key = aRegistry.OpenKey(TRegistryHive::LocalMachine, kUninstall, aView);
    return key ? key->GetSubkeyNames().size() : 0;
}

std::string JoinedWarnings(const IRegistry& aRegistry) {
    std::string all;
    for (const auto& warning : aRegistry.GetWarnings()) {
        all += warning + "\n";
    }
    return all;
}

std::string Garbage(std::size_t aSize) {
    std::mt19937 random(42);
    std::string bytes(aSize, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    return bytes;
}

struct TBadFile {
    const char* fWhat;
    std::string fBytes;
    const char* fWarning; // a part of the expected warning
};

TEST(RegistryBadInputTest, UnreadableFilesGiveAnEmptyRegistryAndOneWarningEach) {
    const std::string header = "WINE REGISTRY Version 2\n";
    const TBadFile cases[] = {
        {"empty", "", "not a Wine registry file"},
        {"binary", Garbage(4096), "not a Wine registry file"},
        {"an export", "REGEDIT4\r\n", "not a Wine registry file"},
        {"garbage after the header", header + Garbage(4096), "malformed line"},
        {"a value before any key", header + "\"Name\"=\"x\"\n",
         "skipped 1 malformed line, the first at line 2"},
        {"an unclosed key", header + "[Software\\\\Open 1\n\"A\"=\"b\"\n", "at line 2"},
        {"an unclosed string", header + "[Software] 1\n\"A\"=\"b\n", "at line 3"},
        {"a hex list cut off", header + "[Software] 1\n\"A\"=hex:00,0", "cut off in line 3"},
        {"an unknown value type", header + "[Software] 1\n\"A\"=word:1\n", "at line 3"},
        {"an empty key name", header + "[Software\\\\\\\\X] 1\n", "at line 2"},
        {"a key too deep",
         header + "[" +
             [] {
                 std::string path = "K";
                 for (int i = 0; i < 600; ++i) {
                     path += "\\\\K";
                 }
                 return path;
             }() +
             "] 1\n",
         "at line 2"},
        {"a key name too long", header + "[" + std::string(5000, 'k') + "] 1\n", "at line 2"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.fWhat);
        const auto registry = WineRegistry(bad.fBytes);
        ASSERT_EQ(registry->GetWarnings().size(), 1u);
        EXPECT_NE(registry->GetWarnings().front().find(bad.fWarning), std::string::npos)
            << registry->GetWarnings().front();
        EXPECT_EQ(UninstallCount(*registry, TRegistryView::Bits64), 0u);
    }
}

TEST(RegistryBadInputTest, MalformedLinesAreSkippedAndTheRestIsRead) {
    const auto registry = WineRegistry(R"(WINE REGISTRY Version 2
[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Good] 1
"DisplayName"="Good"
this line is damaged
"Bad"=hex:zz,00
"Size"=dword:0000000a

[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Also good] 1
"DisplayName"="Also good"
)");
    EXPECT_EQ(JoinedWarnings(*registry),
              "test.reg: skipped 1 malformed line, the first at line 4\n");
    EXPECT_EQ(UninstallCount(*registry, TRegistryView::Bits64), 2u);
    // A value whose data cannot be decoded reads as missing.
    const auto good = registry->OpenKey(TRegistryHive::LocalMachine, kUninstall + "\\Good",
                                        TRegistryView::Bits64);
    EXPECT_EQ(good->ReadNumber("Bad"), std::nullopt);
    EXPECT_EQ(good->ReadNumber("Size"), 10u);
}

// Cutting a file anywhere reads the part before the cut: never a crash, and never
// more keys than a longer piece of the same file gives.
TEST(RegistryBadInputTest, TruncatedFilesReadWhatIsThere) {
    TTempDir dir;
    const std::string wine = ReadAll(RegistryFixture("wine64/system.reg"));
    const std::string utf16 = ReadAll(WriteWindows10Export(dir / "export.reg"));
    for (const auto& [text, isWine] : {std::pair{&wine, true}, std::pair{&utf16, false}}) {
        std::size_t previous = 0;
        for (std::size_t length = 0; length <= text->size(); ++length) {
            const std::string cut = text->substr(0, length);
            const auto registry = isWine ? WineRegistry(cut) : ExportRegistry(cut);
            const std::size_t count = UninstallCount(*registry, TRegistryView::Bits64);
            ASSERT_GE(count, previous) << "cut at " << length;
            previous = count;
        }
        EXPECT_GT(previous, 0u);
    }
}

TEST(RegistryBadInputTest, OddLengthUtf16IsReportedAndTheRestRead) {
    std::string bytes =
        Utf16LeWithBom("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\" +
                       kUninstall + "\\A]\r\n\"DisplayName\"=\"A\"\r\n");
    bytes += 'x';
    const auto registry = ExportRegistry(bytes);
    EXPECT_EQ(JoinedWarnings(*registry), "test.reg: cut off in line 5\n");
    EXPECT_EQ(UninstallCount(*registry, TRegistryView::Bits64), 1u);
}

TEST(RegistryBadInputTest, SourcesThatCannotBeReadWarnWithoutReading) {
    TTempDir dir;
    // Larger than any registry file: refused by its size, without being read.
    const auto huge = dir / "huge.reg";
    dir.Write("huge.reg", "REGEDIT4\r\n");
    std::filesystem::resize_file(huge, platform::registry_files::kMaxRegistryFileSize + 1);
    dir.Write("prefix/system.reg", "WINE REGISTRY Version 2\n");
    // Nobody writes to the FIFO: opening it must not wait for a writer.
    const auto fifo = dir / "fifo.reg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        TRegistrySource fSource;
        std::vector<std::string> fWarnings;
    } cases[] = {
        {{TRegistrySourceKind::ExportFile, dir / "missing.reg", "--registry"},
         {(dir / "missing.reg").string() + ": no such file"}},
        {{TRegistrySourceKind::ExportFile, huge, "--registry"},
         {huge.string() + ": larger than 256 MiB, not read"}},
        {{TRegistrySourceKind::ExportFile, fifo, "BRIVANE_REGISTRY"},
         {fifo.string() + ": not a regular file"}},
        {{TRegistrySourceKind::ExportFile, "/dev/zero", "BRIVANE_REGISTRY"},
         {"/dev/zero: not a regular file"}},
        {{TRegistrySourceKind::WinePrefix, dir / "no prefix", "WINEPREFIX"},
         {(dir / "no prefix").string() + ": no such Wine prefix (from WINEPREFIX)"}},
        {{TRegistrySourceKind::WinePrefix, dir / "prefix", "WINEPREFIX"},
         {(dir / "prefix" / "user.reg").string() + ": no such file"}},
        {{TRegistrySourceKind::None, {}, {}}, {}},
    };
    for (const auto& source : cases) {
        SCOPED_TRACE(source.fSource.fPath.string());
        const auto registry = platform::registry_files::OpenRegistryFrom(source.fSource);
        EXPECT_EQ(registry->GetWarnings(), source.fWarnings);
        EXPECT_EQ(UninstallCount(*registry, TRegistryView::Bits64), 0u);
    }
}

} // namespace
} // namespace brivane::test
