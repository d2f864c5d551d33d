#include "app/settings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <thread>

using namespace brivane;
using namespace std::string_literals;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return fDir / "Brivane/Config.dat"; }
    std::string Stored() const { return test::ReadAll(File()); }

    test::TTempDir fDir;
};

} // namespace

TEST_F(SettingsTest, NoFileMeansEveryKeyAbsentUntilTheFirstChange) {
    TConfig config(File());
    for (const auto& key : KnownSettings()) {
        EXPECT_FALSE(config.GetExists(key.Name));
        EXPECT_FALSE(config.GetBoolean(key.Name));
        EXPECT_EQ(config.GetInteger(key.Name), 0);
    }
    EXPECT_FALSE(std::filesystem::exists(File()));
    EXPECT_TRUE(config.SetBoolean(kFirstRun, true));
    EXPECT_EQ(Stored(), R"({"FirstRun":true})");
}

TEST_F(SettingsTest, ChangedKeysMoveToTheEnd) {
    TConfig config(File());
    config.SetBoolean(kAllowBeta, true);
    config.SetBoolean(kCheckForUpdate, true);
    config.SetBoolean(kAllowBeta, false);
    config.SetInteger(kLanguage, 2);
    EXPECT_EQ(Stored(), R"({"CheckForUpdate":true,"AllowBeta":false,"Language":2})");
    const TConfig reread(File());
    EXPECT_EQ(reread.Snapshot().dump(), Stored());
    EXPECT_EQ(reread.GetInteger(kLanguage), 2);
    EXPECT_TRUE(reread.GetExists(kAllowBeta));
    EXPECT_FALSE(reread.GetBoolean(kAllowBeta));
}

TEST_F(SettingsTest, ReadsEveryEncodingAndFallsBackToEmptyOnDamage) {
    struct Case {
        const char* what;
        std::string bytes;
        bool readable; // holds {"AllowBeta":true,"Language":2}
    };
    const std::string object = R"({"AllowBeta":true,"Language":2})";
    const std::string utf16le = "{\0\"\0A\0l\0l\0o\0w\0B\0e\0t\0a\0\"\0:\0t\0r\0u\0e\0,\0"
                                "\"\0L\0a\0n\0g\0u\0a\0g\0e\0\"\0:\0002\0}\0"s;
    std::string utf16be = "\0"s + utf16le.substr(0, utf16le.size() - 1);
    const Case cases[] = {
        {"plain", object, true},
        {"with blanks", " {\n \"AllowBeta\" : true , \"Language\" : 2 }\r\n", true},
        {"UTF-8 mark", "\xEF\xBB\xBF" + object, true},
        {"UTF-16LE mark", "\xFF\xFE" + utf16le, true},
        {"UTF-16BE mark", "\xFE\xFF" + utf16be, true},
        {"UTF-16 of odd length", "\xFF\xFE" + utf16le + "x", false},
        {"empty", "", false},
        {"array", "[1,2]", false},
        {"plain text", "hello", false},
        {"number", "42", false},
        {"truncated", object.substr(0, object.size() - 1), false},
        {"two objects", object + object, false},
        {"NUL bytes", "\0\0\0"s, false},
        {"only a mark", "\xEF\xBB\xBF", false},
    };
    for (const auto& c : cases) {
        fDir.Write("Brivane/Config.dat", c.bytes);
        const TConfig config(File());
        EXPECT_EQ(config.GetBoolean(kAllowBeta), c.readable) << c.what;
        EXPECT_EQ(config.GetInteger(kLanguage), c.readable ? 2 : 0) << c.what;
        EXPECT_EQ(test::ReadAll(File()), c.bytes) << c.what << ": reading changed the file";
    }
    // Bytes that are not UTF-8 are text in the legacy code page, not damage.
    fDir.Write("Brivane/Config.dat", "{\"caf\xE9\":true}");
    EXPECT_TRUE(TConfig(File()).GetBoolean("café"));
}

TEST_F(SettingsTest, DamagedFileIsMovedAsideAtTheNextChange) {
    const struct {
        std::string Bytes;
        std::string Reason;
    } cases[] = {
        {"[1,2]", "not a JSON object"},
        {"hello", "not JSON"},
        {R"({"AllowBeta":true)", "not JSON"},
        {"\xFF\xFE{\0x", "UTF-16 text of an odd length"},
        // Parsed, copied or destroyed, these would overflow the stack.
        {std::string(1'000'000, '['), "nested deeper than 64 levels"},
        {std::string(20'000, '[') + std::string(20'000, ']'), "nested deeper than 64 levels"},
        {"{\"x\":\"" + std::string(1024 * 1024, 'x') + "\"}", "larger than 1 MiB"},
    };
    const std::filesystem::path aside = File().string() + ".damaged";
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Reason);
        std::filesystem::remove(aside);
        fDir.Write("Brivane/Config.dat", test.Bytes);
        TConfig config(File());
        EXPECT_EQ(config.Snapshot(), nlohmann::ordered_json::object());
        EXPECT_EQ(config.TakeWarnings(),
                  std::vector<std::string>{"The settings file '" + File().string() +
                                           "' cannot be used (" + test.Reason +
                                           "); the defaults apply"});
        EXPECT_EQ(test::ReadAll(File()), test.Bytes) << "reading changed the file";

        EXPECT_TRUE(config.SetInteger(kLanguage, 1));
        EXPECT_EQ(Stored(), R"({"Language":1})");
        EXPECT_EQ(test::ReadAll(aside), test.Bytes);
        EXPECT_EQ(config.TakeWarnings(),
                  std::vector<std::string>{
                      "The settings file '" + File().string() + "' was damaged (" + test.Reason +
                      ") and has been moved aside to '" + aside.string() + "'"});
    }
    // A sound file is changed in place, and an empty one holds nothing to keep.
    for (const char* bytes : {R"({"FirstRun":true})", "", " \r\n"}) {
        std::filesystem::remove(aside);
        fDir.Write("Brivane/Config.dat", bytes);
        TConfig config(File());
        EXPECT_TRUE(config.SetInteger(kLanguage, 1));
        EXPECT_FALSE(std::filesystem::exists(aside)) << bytes;
        EXPECT_EQ(config.TakeWarnings(), std::vector<std::string>{}) << bytes;
    }
}

TEST_F(SettingsTest, ReadOnlyFileIsNeitherWrittenNorMadeWritable) {
    fDir.Write("Brivane/Config.dat", R"({"AllowBeta":true})");
    using std::filesystem::perm_options;
    using std::filesystem::perms;
    // No write permission for anybody; on Windows, the read-only attribute.
    constexpr perms write = perms::owner_write | perms::group_write | perms::others_write;
    std::filesystem::permissions(File(), write, perm_options::remove);
    TConfig config(File());
    EXPECT_FALSE(config.SetBoolean(kAllowShareware, true));
    EXPECT_EQ(config.LastWriteError(), "it is read-only");
    EXPECT_TRUE(config.GetBoolean(kAllowShareware)); // in use for this run
    EXPECT_FALSE(config.Save());
    EXPECT_EQ(Stored(), R"({"AllowBeta":true})");
    EXPECT_EQ(std::filesystem::status(File()).permissions() & write, perms::none);

    std::filesystem::permissions(File(), perms::owner_write, perm_options::add);
    EXPECT_TRUE(config.SetBoolean(kFirstRun, true));
    EXPECT_EQ(config.LastWriteError(), "");
    EXPECT_TRUE(TConfig(File()).GetBoolean(kFirstRun));
}

TEST_F(SettingsTest, MismatchedTypesReadAsAbsent) {
    fDir.Write("Brivane/Config.dat",
               R"({"AllowBeta":1,"Language":"ru","FirstRun":null,"EnableAnimations":true,)"
               R"("CheckForUpdate":"true","big":4294967296,"neg":-2147483648,"float":2.0,)"
               R"("allowshareware":true,"AllowShareware":false,"AllowShareware":true})");
    const TConfig config(File());
    EXPECT_TRUE(config.GetExists(kAllowBeta));
    EXPECT_EQ(config.FindBoolean(kAllowBeta), std::nullopt);
    EXPECT_EQ(config.FindInteger(kLanguage), std::nullopt);
    EXPECT_EQ(config.FindBoolean(kFirstRun), std::nullopt);
    EXPECT_EQ(config.FindBoolean(kCheckForUpdate), std::nullopt);
    EXPECT_EQ(config.FindInteger(kEnableAnimations), std::nullopt);
    EXPECT_EQ(config.FindBoolean(kEnableAnimations), true);
    EXPECT_EQ(config.FindInteger("big"), std::nullopt);
    EXPECT_EQ(config.FindInteger("neg"), -2147483648);
    EXPECT_EQ(config.FindInteger("float"), std::nullopt);
    // Names are case-sensitive, and of two pairs with one name the first counts.
    EXPECT_EQ(config.FindBoolean(kAllowShareware), false);
    EXPECT_EQ(config.FindBoolean("allowshareware"), true);
    EXPECT_FALSE(config.GetExists("allowbeta"));
}

TEST_F(SettingsTest, FailedWriteKeepsTheFileAndTheValueInMemory) {
    // (A folder in the file's place is not a damaged file to move aside.)
    fDir.Write("Brivane/Config.dat", R"({"AllowBeta":true})");
    TConfig config(File());
    std::filesystem::remove(File());
    std::filesystem::create_directory(File()); // a folder cannot be replaced by the file
    EXPECT_FALSE(config.SetBoolean(kAllowShareware, true));
    EXPECT_EQ(config.LastWriteError(), "it is not a regular file");
    EXPECT_TRUE(config.GetBoolean(kAllowShareware));
    std::filesystem::remove(File());
    EXPECT_TRUE(config.Save());
    EXPECT_EQ(Stored(), R"({"AllowBeta":true,"AllowShareware":true})");
}

TEST_F(SettingsTest, StoresOfOneFileInSeveralProcessesLoseNoChange) {
    // Each store stands for a process of its own: its own memory, its own lock handle.
    constexpr int kStores = 20;
    for (int round = 0; round < 5; ++round) {
        std::filesystem::remove(File());
        std::vector<std::thread> threads;
        for (int t = 0; t < kStores; ++t) {
            threads.emplace_back([this, t] {
                TConfig config(File());
                EXPECT_TRUE(config.SetInteger("Key" + std::to_string(t), t));
            });
        }
        for (auto& thread : threads) {
            thread.join();
        }
        const TConfig reread(File());
        EXPECT_EQ(reread.Snapshot().size(), std::size_t{kStores}) << Stored();
        for (int t = 0; t < kStores; ++t) {
            EXPECT_EQ(reread.FindInteger("Key" + std::to_string(t)), t) << Stored();
        }
    }
}

TEST_F(SettingsTest, ConcurrentChangesAllReachTheFile) {
    TConfig config(File());
    constexpr int kThreads = 4;
    constexpr int kChanges = 20;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&config, t] {
            const std::string name = "Key" + std::to_string(t);
            for (int i = 1; i <= kChanges; ++i) {
                config.SetInteger(name, i);
                EXPECT_EQ(config.GetInteger(name), i);
                EXPECT_TRUE(config.GetExists(name));
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    const TConfig reread(File());
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(reread.GetInteger("Key" + std::to_string(t)), kChanges);
    }
}
