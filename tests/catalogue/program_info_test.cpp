#include "base/value_stream.h"
#include "catalogue/program_info.h"
#include "catalogue/static_cache_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace std::string_literals;
using namespace std::string_view_literals;

TEST(ProgramInfoTest, FormatSize) {
    struct Case {
        std::int64_t size;
        TLanguage language;
        const char* separator;
        const char* text;
    };
    const Case cases[] = {
        {-1, lEnglish, ".", "-1 B"},
        {0, lEnglish, ".", "0 B"},
        {1023, lEnglish, ".", "1023 B"},
        {1023, lRussian, ".", "1023 Б"},
        {1024, lEnglish, ".", "1 KB"},
        {1536, lRussian, ".", "1.5 КБ"},
        {1536, lEnglish, ",", "1,5 KB"},
        {1152, lEnglish, ".", "1.12 KB"}, // 1.125: the half goes to the even neighbour
        {1408, lEnglish, ".", "1.38 KB"}, // 1.375
        {1048575, lEnglish, ".", "1024 KB"},
        {1048576, lDefault, ".", "1 MB"},
        {2097152, lEnglish, ".", "2 MB"},
        {1073741823, lEnglish, ".", "1024 MB"}, // 1023.999... rounds up and stays in MB
        {1073741824, lRussian, ".", "1 ГБ"},
        {5368709120, lEnglish, ".", "5 GB"},
        {1099511627776, lEnglish, ".", "1024 GB"},
        {std::numeric_limits<std::int64_t>::max(), lEnglish, ".", "8589934592 GB"},
        {std::numeric_limits<std::int64_t>::min(), lEnglish, ".", "-9223372036854775808 B"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TProgramInfo::FormatSize(c.size, c.language, c.separator), c.text) << c.size;
    }
    const test::TScopedEnv locale("LC_ALL", "C");
    EXPECT_EQ(TProgramInfo::FormatSize(1536, lEnglish), "1.5 KB");
    EXPECT_EQ(TProgramInfo::Make({}, "x", "", "", 3 << 20, kZeroDate, scSystem, "", "")
                  .SizeAsString(lEnglish),
              "3 MB");
}

TEST(ProgramInfoTest, EmptyKeepsDescriptionsAndCategory) {
    auto info = TProgramInfo::Make(TIconBytes{1, 2}, "7-Zip", "ru", "en", 10, 42000.0, scSystem,
                                   "1.0", "2.0");
    info.Empty();
    EXPECT_FALSE(info.fIcon.has_value());
    EXPECT_EQ(info.Name, "");
    EXPECT_EQ(info.CurrentVersion, kEmptyVersion);
    EXPECT_EQ(info.AvailableVersion, kEmptyVersion);
    EXPECT_EQ(info.UpdateDate, kZeroDate);
    EXPECT_EQ(info.Size, kZeroSize);
    EXPECT_EQ(info.InformationRu, "ru");
    EXPECT_EQ(info.InformationEn, "en");
    EXPECT_EQ(info.Category, scSystem);
}

namespace {

std::string StaticFile(std::int32_t aMagic, std::string_view aIcon, bool aNegativeLength = false) {
    TValueWriter writer;
    writer.WriteInteger(aMagic);
    writer.WriteInteger(aNegativeLength ? -5 : static_cast<std::int32_t>(aIcon.size()));
    writer.WriteBytes(aIcon);
    writer.WriteString("Яндекс.Браузер");
    writer.WriteString("Браузер");
    writer.WriteString("A browser");
    return writer.Bytes();
}

std::string DynamicFile(std::int32_t aMagic, double aDate = 42501.5) {
    TValueWriter writer;
    writer.WriteInteger(aMagic);
    writer.WriteString("12.0.1");
    writer.WriteDouble(aDate);
    writer.WriteInt64(5368709120);
    return writer.Bytes();
}

class CacheFilesTest : public ::testing::Test {
protected:
    TProgramInfo Load() {
        return TProgramInfo::LoadFromCacheFiles(fDir / "Cache/Browser", fDir / "Cache/Browser.dyn");
    }
    void WriteStatic(std::string_view aBytes) { fDir.Write("Cache/Browser", aBytes); }
    void WriteDynamic(std::string_view aBytes) { fDir.Write("Cache/Browser.dyn", aBytes); }

    test::TTempDir fDir;
};

} // namespace

TEST_F(CacheFilesTest, ReadsBothFiles) {
    WriteStatic(StaticFile(kCacheMagic, "\x89PNG\0\1"s));
    WriteDynamic(DynamicFile(kCacheMagic));
    const TProgramInfo info = Load();
    EXPECT_EQ(info.fIcon, (TIconBytes{0x89, 'P', 'N', 'G', 0, 1}));
    EXPECT_EQ(info.Name, "Яндекс.Браузер");
    EXPECT_EQ(info.InformationRu, "Браузер");
    EXPECT_EQ(info.InformationEn, "A browser");
    EXPECT_EQ(info.AvailableVersion, "12.0.1");
    EXPECT_EQ(info.UpdateDate, 42501.5);
    EXPECT_EQ(info.Size, 5368709120);
    EXPECT_EQ(info.CurrentVersion, "");
}

TEST_F(CacheFilesTest, IconLengthBelowOneMeansNoIcon) {
    for (const bool negative : {false, true}) {
        WriteStatic(StaticFile(kCacheMagic, "", negative));
        const TProgramInfo info = Load(); // no dynamic file
        EXPECT_FALSE(info.fIcon.has_value());
        EXPECT_EQ(info.Name, "Яндекс.Браузер");
        EXPECT_EQ(info.InformationEn, "A browser");
        EXPECT_EQ(info.AvailableVersion, "");
        EXPECT_EQ(info.Size, 0);
    }
}

TEST_F(CacheFilesTest, WrongMagicInTheStaticFileGivesAnEmptyRecord) {
    WriteStatic(StaticFile(0x1D0C90B4, "icon"));
    WriteDynamic(DynamicFile(kCacheMagic));
    EXPECT_EQ(Load(), TProgramInfo());
}

TEST_F(CacheFilesTest, MissingOrDamagedStaticFileIsAnError) {
    EXPECT_THROW(Load(), std::runtime_error);
    const std::string bytes = StaticFile(kCacheMagic, "icon");
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        WriteStatic(bytes.substr(0, length));
        EXPECT_THROW(Load(), TValueReadError) << "cut at " << length;
    }
    WriteStatic(bytes.substr(0, 5) + "\x07" + bytes.substr(6)); // unknown tag for the length
    EXPECT_THROW(Load(), TValueReadError);
    WriteStatic(StaticFile(kCacheMagic, "") + "\x04\xFF\xFF\xFF\x7F"); // trailing data is ignored
    EXPECT_NO_THROW(Load());
}

TEST_F(CacheFilesTest, DamagedDynamicFileLeavesOnlyTheDynamicFieldsEmpty) {
    WriteStatic(StaticFile(kCacheMagic, "icon"));
    const std::string bytes = DynamicFile(kCacheMagic);
    std::vector<std::string> damaged = {DynamicFile(0), DynamicFile(kCacheMagic, 1e300),
                                        "\x12" + bytes.substr(1)};
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        damaged.push_back(bytes.substr(0, length));
    }
    for (const auto& file : damaged) {
        WriteDynamic(file);
        const TProgramInfo info = Load();
        EXPECT_EQ(info.Name, "Яндекс.Браузер");
        EXPECT_TRUE(info.fIcon.has_value());
        EXPECT_EQ(info.AvailableVersion, "");
        EXPECT_EQ(info.UpdateDate, kZeroDate);
        EXPECT_EQ(info.Size, kZeroSize);
    }
}

TEST_F(CacheFilesTest, SaveWritesTheDynamicLayout) {
    const auto info =
        TProgramInfo::Make({}, "x", "", "", 5368709120, 42501.5, scSystem, "11", "12.0.1");
    const auto path = fDir / "Cache/Browser.dyn";
    ASSERT_TRUE(info.SaveToCacheFile(path));
    EXPECT_EQ(test::ReadAll(path), DynamicFile(kCacheMagic));
    EXPECT_TRUE(test::ReadAll(path).starts_with("\x04\xB5\x90\x0C\x1D"));
}

TEST_F(CacheFilesTest, FailedSaveKeepsThePreviousFile) {
    const auto path = fDir / "Cache/Browser.dyn";
    WriteDynamic(DynamicFile(kCacheMagic));
    TProgramInfo info;
    info.AvailableVersion = "13";
    // A folder in the file's place cannot be replaced, nor a file below a file.
    EXPECT_FALSE(info.SaveToCacheFile(fDir / "Cache"));
    EXPECT_FALSE(info.SaveToCacheFile(path / "x.dyn"));
    EXPECT_EQ(test::ReadAll(path), DynamicFile(kCacheMagic));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(fDir / "Cache"), {}), 1);
}

TEST(ProgramInfoCacheTest, SavesByNameInTheDataFolder) {
    test::TTempDir dir;
    const test::TScopedEnv xdg("XDG_DATA_HOME", dir.Path().c_str());
    TProgramInfo info;
    info.AvailableVersion = "1.0";
    ASSERT_TRUE(info.SaveToCache("Mozilla Firefox"));
    info.AvailableVersion = "2.0";
    ASSERT_TRUE(info.SaveToCache("Mozilla Firefox"));
    const auto folder = dir.Path() / "Brivane/Cache";
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"Mozilla Firefox.dyn"});
    EXPECT_NE(test::ReadAll(folder / "Mozilla Firefox.dyn").find("2.0"), std::string::npos);

    for (const auto bad : {""sv, "."sv, ".."sv, "a/b"sv, "..\\x"sv, "nul\0x"sv}) {
        EXPECT_FALSE(info.SaveToCache(bad)) << bad;
        EXPECT_THROW(TProgramInfo::LoadFromCache(bad), std::invalid_argument) << bad;
        EXPECT_FALSE(TProgramInfo::CacheExists(bad)) << bad;
    }
    EXPECT_FALSE(TProgramInfo::CacheExists("No such program"));
    EXPECT_THROW(TProgramInfo::LoadFromCache("No such program"), std::runtime_error);
}

TEST_F(CacheFilesTest, OversizedFilesAreRefusedWithTheReason) {
    // An oversized static file is an error that says why; an oversized dynamic one only
    // leaves the dynamic fields empty, and neither is changed by reading it.
    std::filesystem::resize_file(fDir.Write("Cache/Browser", StaticFile(kCacheMagic, "icon")),
                                 64 * 1024 * 1024 + 1);
    try {
        Load();
        ADD_FAILURE() << "an oversized static file loaded";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("larger than 64 MiB"), std::string::npos) << e.what();
    }
    WriteStatic(StaticFile(kCacheMagic, "icon"));
    const auto dynamic = fDir.Write("Cache/Browser.dyn", DynamicFile(kCacheMagic));
    std::filesystem::resize_file(dynamic, 1024 * 1024 + 1);
    const TProgramInfo info = Load();
    EXPECT_EQ(info.Name, "Яндекс.Браузер");
    EXPECT_EQ(info.AvailableVersion, "");
    EXPECT_EQ(std::filesystem::file_size(dynamic), 1024u * 1024 + 1);
    EXPECT_TRUE(test::ReadAll(dynamic).starts_with(DynamicFile(kCacheMagic)));
}

TEST_F(CacheFilesTest, StaticBytesReadBackAsTheRecord) {
    auto info = TProgramInfo::Make(TIconBytes{0, 1, 2, 255}, "Яндекс.Браузер", "Браузер",
                                   "A browser", 0, kZeroDate, scUnknown, "", "");
    WriteStatic(StaticCacheFileBytes(info));
    EXPECT_EQ(Load(), info);
    EXPECT_EQ(StaticCacheFileBytes(info), StaticFile(kCacheMagic, "\0\1\2\xFF"s));
    info.fIcon.reset();
    WriteStatic(StaticCacheFileBytes(info));
    EXPECT_EQ(Load(), info);
    EXPECT_EQ(StaticCacheFileBytes(info), StaticFile(kCacheMagic, ""));
}
