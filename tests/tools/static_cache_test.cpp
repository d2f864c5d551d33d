#include "cache_files/static_cache.h"
#include "catalogue/program_info.h"
#include "support/run_process.h"
#include "support/temp_dir.h"
#include "tools/test_painter.h"

#include <gtest/gtest.h>

#include <map>

using namespace brivane;
using namespace brivane::tools;

namespace {

const std::vector<TCatalogueProgram> kPrograms = {
    {"7-Zip", scSystem}, {"AIMP", scMultimedia}, {"Firefox", scInternetNetwork}};

TDescriptions Described(std::initializer_list<const char*> aNames) {
    TDescriptions descriptions;
    for (const char* name : aNames) {
        descriptions.emplace_back(
            name, TDescription{std::string("About ") + name, std::string("О программе ") + name});
    }
    return descriptions;
}

std::map<std::string, std::string> FolderFiles(const std::filesystem::path& aFolder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(aFolder)) {
        files[entry.path().filename().string()] = test::ReadAll(entry.path());
    }
    return files;
}

} // namespace

TEST(StaticCacheTest, EveryProgramGetsItsFileAndTheUndescribedAreNamed) {
    std::vector<std::string> undescribed;
    const auto files =
        BuildStaticCache(kPrograms, Described({"7-Zip", "Firefox"}), TestPainter(), undescribed);
    EXPECT_EQ(undescribed, std::vector<std::string>{"AIMP"});
    ASSERT_EQ(files.size(), 3u);
    test::TTempDir dir;
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(files[i].Name, kPrograms[i].Name);
        const auto path = dir.Write(files[i].Name, files[i].Bytes);
        const TProgramInfo info = TProgramInfo::LoadFromCacheFiles(path, dir / "none.dyn");
        EXPECT_EQ(info.Name, kPrograms[i].Name);
        EXPECT_EQ(info.fIcon, ([&] {
                      const std::string icon = ProgramIcon(TestPainter(), kPrograms[i]);
                      return std::optional(TIconBytes(icon.begin(), icon.end()));
                  }()));
        EXPECT_EQ(info.InformationEn, i == 1 ? "" : "About " + kPrograms[i].Name);
        EXPECT_EQ(info.InformationRu, i == 1 ? "" : "О программе " + kPrograms[i].Name);
    }
}

TEST(StaticCacheTest, DescriptionsOfOtherProgramsOrInAnotherOrderAreRefused) {
    std::vector<std::string> undescribed;
    EXPECT_THROW(
        BuildStaticCache(kPrograms, Described({"7-Zip", "Opera"}), TestPainter(), undescribed),
        std::runtime_error);
    EXPECT_THROW(
        BuildStaticCache(kPrograms, Described({"Firefox", "AIMP"}), TestPainter(), undescribed),
        std::runtime_error);
}

TEST(StaticCacheTest, TheFolderHoldsExactlyTheFilesAndUnchangedOnesStayUntouched) {
    test::TTempDir dir;
    const auto folder = dir / "Cache";
    dir.Write("Cache/Retired Program", "old");
    dir.Write("Cache/AIMP", "stale");
    const auto keptPath = dir.Write("Cache/7-Zip", "same");
    const auto old = std::filesystem::last_write_time(keptPath) - std::chrono::hours(1);
    std::filesystem::last_write_time(keptPath, old);
    std::filesystem::create_directories(folder / "Folder");

    WriteCacheFolder(folder, {{"7-Zip", "same"}, {"AIMP", "new"}});
    EXPECT_EQ(FolderFiles(folder), (std::map<std::string, std::string>{
                                       {"7-Zip", "same"}, {"AIMP", "new"}, {"Folder", ""}}));
    EXPECT_EQ(std::filesystem::last_write_time(keptPath), old);

    for (const char* bad : {"", ".", "..", "a/b", "a\\b"}) {
        EXPECT_THROW(WriteCacheFolder(folder, {{bad, "x"}}), std::runtime_error) << bad;
    }
    EXPECT_EQ(FolderFiles(folder).size(), 3u); // a refused run deletes nothing
}

// Same inputs, same bytes: two runs of the tool agree with each other and with the
// files the build put beside brivane-cli.
TEST(StaticCacheTest, TheToolIsReproducible) {
    test::TTempDir dir;
    for (const char* out : {"first", "second"}) {
        const auto result = test::RunProcess(BRIVANE_CACHE_TOOL_PATH,
                                             {"--descriptions", BRIVANE_DESCRIPTIONS, "--font",
                                              BRIVANE_TILE_FONT, "--out", (dir / out).string()});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
    }
    const auto first = FolderFiles(dir / "first");
    EXPECT_EQ(first.size(), 160u);
    EXPECT_EQ(first, FolderFiles(dir / "second"));
    EXPECT_EQ(first, FolderFiles(BRIVANE_STATIC_CACHE_DIR));
}

TEST(StaticCacheTest, TheToolFailsWithOneLineOnBadInput) {
    test::TTempDir dir;
    dir.Write("unknown.json", R"({"No Such Program": {"en": "x", "ru": "y"}})");
    dir.Write("Cache/7-Zip", "kept");
    const std::vector<std::vector<std::string>> cases = {
        {"--descriptions", (dir / "unknown.json").string(), "--font", BRIVANE_TILE_FONT},
        {"--descriptions", (dir / "missing.json").string(), "--font", BRIVANE_TILE_FONT},
        {"--descriptions", BRIVANE_DESCRIPTIONS, "--font", (dir / "missing.ttf").string()},
    };
    for (auto arguments : cases) {
        arguments.insert(arguments.end(), {"--out", (dir / "Cache").string()});
        const auto result = test::RunProcess(BRIVANE_CACHE_TOOL_PATH, arguments);
        EXPECT_EQ(result.ExitCode, 1) << arguments[1];
        EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1) << result.Err;
    }
    EXPECT_EQ(FolderFiles(dir / "Cache"), (std::map<std::string, std::string>{{"7-Zip", "kept"}}));
}
