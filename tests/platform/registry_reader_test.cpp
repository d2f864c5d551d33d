#include "platform/registry.h"
#include "support/registry_fixtures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

using platform::IRegistry;
using platform::TRegistryHive;
using platform::TRegistryView;

constexpr auto kMachine = TRegistryHive::LocalMachine;
constexpr auto kUser = TRegistryHive::CurrentUser;
constexpr auto k32 = TRegistryView::Bits32;
constexpr auto k64 = TRegistryView::Bits64;

const std::string kWineHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n";

std::vector<std::string> Subkeys(const IRegistry& aRegistry, TRegistryHive aHive,
                                 std::string_view aPath, TRegistryView aView = k64) {
    const auto key = aRegistry.OpenKey(aHive, aPath, aView);
    return key ? key->GetSubkeyNames() : std::vector<std::string>{"<missing>"};
}

std::optional<std::string> Text(const IRegistry& aRegistry, TRegistryHive aHive,
                                std::string_view aPath, std::string_view aName,
                                TRegistryView aView = k64) {
    const auto key = aRegistry.OpenKey(aHive, aPath, aView);
    return key ? key->ReadString(aName) : std::optional<std::string>("<missing key>");
}

TEST(WineRegistryTest, DecodesValuesTheWayWineWritesThem) {
    const auto registry = WineRegistry(kWineHeader + R"([Software\\Test] 1796856856
#time=1dd883037a36b72
@="default"
"Plain"="C:\\Program Files\\App\\"
"Quoted"="\"C:\\\\Path\\\\app.exe\",0"
"Cyrillic"="\x41c\x435\x434\x438\x430"
"HexThenDigit"="\x04101"
"Controls"="a\tb\nc\rd\ae"
"Nul"="before\0after"
"Expand"=str(2):"%ProgramFiles%\\App"
"Dword"=dword:0000000a
"Qword"=hex(b):01,00,00,00,00,00,00,01
"HexString"=hex(2):25,00,41,00,50,00,50,00,44,00,41,00,54,00,41,00,25,00,5c,00,\
  78,00,00,00
"MultiString"=str(7):"one\0two\0"
"Binary"=hex:00,01
"Escaped \"name\""="yes"
)");
    const auto key = registry->OpenKey(kMachine, "Software\\Test", k64);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadString(""), "default");
    EXPECT_EQ(key->ReadString("plain"), "C:\\Program Files\\App\\");
    EXPECT_EQ(key->ReadString("Quoted"), "\"C:\\\\Path\\\\app.exe\",0");
    EXPECT_EQ(key->ReadString("Cyrillic"), "Медиа");
    EXPECT_EQ(key->ReadString("HexThenDigit"), "А1");
    EXPECT_EQ(key->ReadString("Controls"), "a\tb\nc\rd\ae");
    EXPECT_EQ(key->ReadString("Nul"), "before");
    EXPECT_EQ(key->ReadString("Expand"), "%ProgramFiles%\\App");
    EXPECT_EQ(key->ReadString("HexString"), "%APPDATA%\\x");
    EXPECT_EQ(key->ReadString("Escaped \"name\""), "yes");
    EXPECT_EQ(key->ReadNumber("Dword"), 10u);
    EXPECT_EQ(key->ReadNumber("Qword"), 0x0100000000000001ull);
    // Values of other types read as missing, as do missing values.
    EXPECT_EQ(key->ReadString("Dword"), std::nullopt);
    EXPECT_EQ(key->ReadString("MultiString"), std::nullopt);
    EXPECT_EQ(key->ReadString("Binary"), std::nullopt);
    EXPECT_EQ(key->ReadNumber("Plain"), std::nullopt);
    EXPECT_EQ(key->ReadString("Absent"), std::nullopt);
    // Multi-strings list their strings; a plain text is a list of one.
    using TStrings = std::vector<std::string>;
    EXPECT_EQ(key->ReadStrings("MultiString"), (TStrings{"one", "two"}));
    EXPECT_EQ(key->ReadStrings("Expand"), TStrings{"%ProgramFiles%\\App"});
    EXPECT_EQ(key->ReadStrings("Dword"), std::nullopt);
    EXPECT_EQ(key->ReadStrings("Absent"), std::nullopt);
    EXPECT_TRUE(registry->GetWarnings().empty());
}

TEST(WineRegistryTest, KeysCompareCaseInsensitivelyAndKeepTheirStoredOrder) {
    const auto registry = WineRegistry(kWineHeader + R"([Software\\Zeta\\Inner] 1
"A"="1"

[Software\\alpha] 1

[Software\\\x41a\x43b\x44e\x447] 1
"Name"="key"

[SOFTWARE\\ZETA\\inner] 2
"A"="2"
"B"="3"
)");
    EXPECT_EQ(Subkeys(*registry, kMachine, "Software"),
              (std::vector<std::string>{"Zeta", "alpha", "Ключ"}));
    EXPECT_EQ(Subkeys(*registry, kMachine, "software\\zeta"), std::vector<std::string>{"Inner"});
    EXPECT_EQ(Text(*registry, kMachine, "Software\\КЛЮЧ", "NAME"), "key");
    // A key written twice holds both parts; the later value of a name wins.
    EXPECT_EQ(Text(*registry, kMachine, "Software\\Zeta\\Inner", "A"), "2");
    EXPECT_EQ(Text(*registry, kMachine, "Software\\Zeta\\Inner", "B"), "3");
    const auto software = registry->OpenKey(kMachine, "software", k64);
    EXPECT_EQ(software->OpenSubkey("zeta\\INNER")->ReadString("B"), "3");
    EXPECT_EQ(software->OpenSubkey("Zeta\\Missing"), nullptr);
    EXPECT_EQ(registry->OpenKey(kMachine, "Software\\Missing", k64), nullptr);
    EXPECT_EQ(registry->OpenKey(kUser, "Software", k64), nullptr);
}

TEST(WineRegistryTest, ThirtyTwoBitViewOfA64BitPrefixIsWow6432Node) {
    const std::string system = kWineHeader + R"(#arch=win64

[Software\\Classes\\Shared] 1
"Where"="classes"

[Software\\Vendor] 1
"Where"="native"

[Software\\Wow6432Node\\Vendor] 1
"Where"="wow"
)";
    const std::string user = "WINE REGISTRY Version 2\n#arch=win64\n\n[Software\\\\Vendor] 1\n"
                             "\"Where\"=\"user\"\n";
    const auto registry = WineRegistry(system, user);
    EXPECT_EQ(registry->Is64BitSystem(), true);
    EXPECT_EQ(Text(*registry, kMachine, "Software\\Vendor", "Where", k64), "native");
    EXPECT_EQ(Text(*registry, kMachine, "Software\\Vendor", "Where", k32), "wow");
    EXPECT_EQ(Text(*registry, kMachine, "Software\\Classes\\Shared", "Where", k32), "classes");
    // Keys below the redirected one stay in its view.
    EXPECT_EQ(
        registry->OpenKey(kMachine, "Software", k32)->OpenSubkey("Vendor")->ReadString("Where"),
        "wow");
    EXPECT_EQ(Text(*registry, kUser, "Software\\Vendor", "Where", k32), "user");
    EXPECT_EQ(Text(*registry, kUser, "Software\\Vendor", "Where", k64), "user");

    // A 32-bit prefix has one view only.
    const auto registry32 = WineRegistry(kWineHeader + "#arch=win32\n\n" + R"([Software\\Vendor] 1
"Where"="native"
)");
    EXPECT_EQ(registry32->Is64BitSystem(), false);
    EXPECT_EQ(Text(*registry32, kMachine, "Software\\Vendor", "Where", k32), "native");
}

TEST(WineRegistryTest, ClassesRootIsTheUsersClassesOverTheMachines) {
    const std::string system = kWineHeader + R"([Software\\Classes\\Installer\\Products\\B] 1
"ProductName"="machine B"

[Software\\Classes\\Installer\\Products\\A] 1
"ProductName"="machine A"
"ProductIcon"="machine.ico"
)";
    const std::string user =
        "WINE REGISTRY Version 2\n\n" + std::string(R"([Software\\Classes\\Installer\\Products\\a] 1
"ProductName"="user A"

[Software\\Classes\\Installer\\Products\\C] 1
)");
    const auto registry = WineRegistry(system, user);
    const auto root = TRegistryHive::ClassesRoot;
    EXPECT_EQ(Subkeys(*registry, root, "Installer\\Products"),
              (std::vector<std::string>{"a", "C", "B"}));
    EXPECT_EQ(Text(*registry, root, "Installer\\Products\\A", "ProductName"), "user A");
    EXPECT_EQ(Text(*registry, root, "Installer\\Products\\A", "ProductIcon"), "machine.ico");
}

TEST(RegFileTest, ReadsRegeditsUtf16Export) {
    TTempDir dir;
    const auto registry = ExportRegistry(ReadAll(WriteWindows10Export(dir / "export.reg")));
    EXPECT_TRUE(registry->GetWarnings().empty());
    EXPECT_EQ(registry->Is64BitSystem(), true); // it has a WOW6432Node key
    const std::string uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    EXPECT_EQ(Subkeys(*registry, kUser, uninstall), std::vector<std::string>{"Телеграм"});
    EXPECT_EQ(Text(*registry, kUser, uninstall + "\\телеграм", "DisplayIcon"),
              "C:\\Users\\Тестер\\AppData\\Roaming\\Telegram Desktop\\Telegram.exe,0");
    EXPECT_EQ(Text(*registry, kUser, uninstall + "\\телеграм", "UninstallString"),
              "\"C:\\Users\\Тестер\\AppData\\Roaming\\Telegram Desktop\\unins000.exe\"");
    EXPECT_EQ(Text(*registry, kMachine, uninstall + "\\VLC media player", "DisplayIcon"),
              "\"%ProgramFiles%\\VideoLAN\\VLC\\vlc.exe\",0");
    EXPECT_EQ(registry->OpenKey(kMachine, uninstall + "\\7-Zip", k64)->ReadNumber("NoModify"), 1u);
    EXPECT_EQ(Subkeys(*registry, kMachine, uninstall, k32), std::vector<std::string>{"Notepad++"});
    // HKEY_CLASSES_ROOT lands in the machine's classes.
    EXPECT_EQ(Text(*registry, kMachine,
                   "Software\\Classes\\Installer\\Products\\96F07132C0042072320100001000000",
                   "ProductIcon"),
              "%APPDATA%\\Player\\Icon.ICO");
}

TEST(RegFileTest, ReadsRegedit4EightBitText) {
    const auto registry = ExportRegistry(ReadAll(RegistryFixture("regedit4.reg")));
    EXPECT_TRUE(registry->GetWarnings().empty());
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Café";
    EXPECT_EQ(Text(*registry, kMachine, key, "DisplayName"), "Café Tool");
    EXPECT_EQ(Text(*registry, kMachine, key, "DisplayIcon"), "%SystemRoot%\\café.exe,0");
    EXPECT_EQ(registry->Is64BitSystem(), std::nullopt);
}

TEST(RegFileTest, ReadsMultiStringsOfBothFormats) {
    using TStrings = std::vector<std::string>;
    const auto regedit5 = ExportRegistry(Utf16LeWithBom(R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SOFTWARE\Test]
"Two"=hex(7):45,00,6e,00,74,00,00,00,d0,00,30,04,00,00,00,00
"Empty"=hex(7):00,00
"NoEnd"=hex(7):41,00,00,00,42,00
"Odd"=hex(7):41,00,00
)"));
    const auto key5 = regedit5->OpenKey(kMachine, "Software\\Test", k64);
    ASSERT_NE(key5, nullptr);
    EXPECT_EQ(key5->ReadStrings("Two"), (TStrings{"Ent", "\u00D0\u0430"}));
    EXPECT_EQ(key5->ReadStrings("Empty"), TStrings{});
    EXPECT_EQ(key5->ReadStrings("NoEnd"), (TStrings{"A", "B"}));
    EXPECT_EQ(key5->ReadStrings("Odd"), TStrings{"A"}); // a lone last byte is dropped
    EXPECT_EQ(key5->ReadString("Two"), std::nullopt);

    const auto regedit4 = ExportRegistry(R"(REGEDIT4

[HKEY_LOCAL_MACHINE\SOFTWARE\Test]
"Two"=hex(7):45,6e,74,00,54,53,00,00
)");
    EXPECT_EQ(regedit4->OpenKey(kMachine, "Software\\Test", k64)->ReadStrings("Two"),
              (TStrings{"Ent", "TS"}));
}

// Without Wine's mark, a registry is 32-bit only where its files hold the
// machine's whole Software key and no 32-bit view in it.
TEST(RegFileTest, A32BitSystemIsToldByTheWholeSoftwareKeyAlone) {
    const std::string header = "Windows Registry Editor Version 5.00\n\n";
    const std::string uninstall = UninstallRecordText("A", "A", "1");
    const std::string wow = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Vendor]\n\n";
    const std::pair<std::string, std::optional<bool>> cases[] = {
        {uninstall, std::nullopt},
        {uninstall + wow, true},
        {"[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\n" + uninstall, false},
        {"[HKEY_LOCAL_MACHINE\\Software]\n\n" + uninstall + wow, true},
        {"[HKEY_LOCAL_MACHINE]\n\n[HKEY_LOCAL_MACHINE\\SYSTEM]\n\n" + uninstall, false},
        {"[HKLM\\SOFTWARE]\n\n" + uninstall, false},
        // Neither the classes, nor a deletion, nor another hive's Software key.
        {"[HKEY_CLASSES_ROOT]\n\n" + uninstall, std::nullopt},
        {"[-HKEY_LOCAL_MACHINE\\SOFTWARE]\n\n" + uninstall, std::nullopt},
        {"[HKEY_CURRENT_USER\\Software]\n\n" + uninstall, std::nullopt},
        // A damaged file may have lost the 32-bit view.
        {"[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\n" + uninstall + "\"Bad\"=what\n", std::nullopt},
        {"[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\n" + uninstall + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\W",
         std::nullopt},
    };
    for (const auto& [text, is64Bit] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ExportRegistry(header + text)->Is64BitSystem(), is64Bit);
    }
    // A Wine prefix's system.reg is the whole hive, even without its mark.
    EXPECT_EQ(WineRegistry(kWineHeader + "[Software\\\\Vendor] 1\n")->Is64BitSystem(), false);
    EXPECT_EQ(WineRegistry(kWineHeader + "[Software\\\\Wow6432Node] 1\n")->Is64BitSystem(), true);
}

TEST(RegFileTest, HandlesDeletionsOtherHivesAndTheOneUserOfAFullExport) {
    const auto registry = ExportRegistry(Utf16LeWithBom(R"(Windows Registry Editor Version 5.00

[HKEY_USERS\S-1-5-21-1-2-3-1001\Software\App]
"Value"="user's"
"Removed"=-

[HKEY_USERS\S-1-5-21-1-2-3-1001_Classes\Thing]

[HKEY_USERS\.DEFAULT\Software\App]
"Value"="default user's"

[-HKEY_LOCAL_MACHINE\SOFTWARE\Gone]
"Ignored"="x"

[HKEY_CURRENT_CONFIG\Software]
"Ignored"="x"

[HKLM\SOFTWARE\Short]
"Value"="short names work"
)"));
    EXPECT_TRUE(registry->GetWarnings().empty()) << registry->GetWarnings().front();
    EXPECT_EQ(Text(*registry, kUser, "Software\\App", "Value"), "user's");
    EXPECT_EQ(Text(*registry, kUser, "Software\\App", "Removed"), std::nullopt);
    EXPECT_EQ(registry->OpenKey(kMachine, "SOFTWARE\\Gone", k64), nullptr);
    EXPECT_EQ(Text(*registry, kMachine, "Software\\Short", "Value"), "short names work");
}

} // namespace
} // namespace brivane::test
