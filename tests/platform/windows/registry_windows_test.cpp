#include "platform/registry.h"
#include "platform/registry_source.h"
#include "platform/windows/live_registry.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace brivane::test {
namespace {

using platform::IRegistryKey;
using platform::TRegistryHive;
using platform::TRegistryView;

constexpr TRegistryView kViews[] = {TRegistryView::Bits32, TRegistryView::Bits64};

// Keys of the test's own under HKCU\Software\Brivane Tests, written with the registry
// calls themselves and removed afterwards.
class RegistryWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fPath = "Software\\Brivane Tests\\" + std::to_string(GetCurrentProcessId()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fKey = Create(HKEY_CURRENT_USER, Wide(fPath), 0);
    }

    void TearDown() override {
        RegCloseKey(fKey);
        RegDeleteTreeW(HKEY_CURRENT_USER, Wide(fPath).c_str());
    }

    static std::wstring Wide(const std::string& aText) {
        std::wstring text(aText.size(), L'\0');
        text.resize(static_cast<std::size_t>(
            MultiByteToWideChar(CP_UTF8, 0, aText.data(), static_cast<int>(aText.size()),
                                text.data(), static_cast<int>(text.size()))));
        return text;
    }

    static HKEY Create(HKEY aParent, const std::wstring& aPath, REGSAM aView) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExW(aParent, aPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | aView,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return key;
    }

    void Set(const std::wstring& aName, DWORD aType, const void* aData, std::size_t aSize) {
        ASSERT_EQ(RegSetValueExW(fKey, aName.c_str(), 0, aType, static_cast<const BYTE*>(aData),
                                 static_cast<DWORD>(aSize)),
                  ERROR_SUCCESS);
    }

    void SetText(const std::wstring& aName, DWORD aType, const std::wstring& aText) {
        Set(aName, aType, aText.data(), aText.size() * sizeof(wchar_t));
    }

    std::unique_ptr<IRegistryKey> Open(TRegistryView aView) const {
        return platform::windows::MakeLiveRegistry()->OpenKey(TRegistryHive::CurrentUser, fPath,
                                                              aView);
    }

    std::string fPath;
    HKEY fKey = nullptr;
};

TEST_F(RegistryWindowsTest, ValuesOfEveryTypeInBothViews) {
    SetText(L"Text", REG_SZ, std::wstring(L"Привет, ёж") + L'\0');
    SetText(L"", REG_SZ, std::wstring(L"default") + L'\0');
    SetText(L"Expand", REG_EXPAND_SZ, std::wstring(L"%SystemRoot%\\x") + L'\0');
    SetText(L"Unterminated", REG_SZ, L"no NUL");
    SetText(L"Cut", REG_SZ, std::wstring(L"before\0after", 12));
    SetText(L"Multi", REG_MULTI_SZ, std::wstring(L"one\0two words\0\0ignored\0\0", 25));
    SetText(L"Имя", REG_SZ, std::wstring(L"named in Cyrillic") + L'\0');
    const DWORD dword = 0xFEDCBA98;
    const unsigned long long qword = 0x0123456789ABCDEFull;
    Set(L"Dword", REG_DWORD, &dword, sizeof dword);
    Set(L"Qword", REG_QWORD, &qword, sizeof qword);
    Set(L"ShortDword", REG_DWORD, &dword, 3);
    Set(L"LongDword", REG_DWORD, &qword, sizeof qword);
    Set(L"Binary", REG_BINARY, "abc", 3);
    Set(L"OddText", REG_SZ, "abc", 3);

    for (const TRegistryView view : kViews) {
        SCOPED_TRACE(static_cast<int>(view));
        const auto key = Open(view);
        ASSERT_TRUE(key);
        EXPECT_EQ(key->ReadString("Text"), "Привет, ёж");
        EXPECT_EQ(key->ReadString("TEXT"), "Привет, ёж"); // names compare without case
        EXPECT_EQ(key->ReadString(""), "default");
        EXPECT_EQ(key->ReadString("Expand"), "%SystemRoot%\\x"); // left unexpanded
        EXPECT_EQ(key->ReadString("Unterminated"), "no NUL");
        EXPECT_EQ(key->ReadString("Cut"), "before");
        EXPECT_EQ(key->ReadString("имя"), "named in Cyrillic");
        EXPECT_EQ(key->ReadStrings("Multi"), (std::vector<std::string>{"one", "two words"}));
        EXPECT_EQ(key->ReadStrings("Text"), std::vector<std::string>{"Привет, ёж"});
        EXPECT_EQ(key->ReadNumber("Dword"), 0xFEDCBA98u);
        EXPECT_EQ(key->ReadNumber("Qword"), 0x0123456789ABCDEFull);
        // Values of the wrong type or size, and missing ones, give nothing.
        EXPECT_EQ(key->ReadNumber("ShortDword"), std::nullopt);
        EXPECT_EQ(key->ReadNumber("LongDword"), std::nullopt);
        EXPECT_EQ(key->ReadNumber("Text"), std::nullopt);
        EXPECT_EQ(key->ReadString("Dword"), std::nullopt);
        EXPECT_EQ(key->ReadString("Binary"), std::nullopt);
        EXPECT_EQ(key->ReadStrings("Binary"), std::nullopt);
        EXPECT_EQ(key->ReadString("Multi"), std::nullopt);
        EXPECT_EQ(key->ReadString("OddText"), std::string("\xE6\x89\xA1", 3)); // one whole unit
        EXPECT_EQ(key->ReadString("Missing"), std::nullopt);
        EXPECT_EQ(key->ReadNumber("Missing"), std::nullopt);
    }
}

TEST_F(RegistryWindowsTest, OversizedValuesAreNotRead) {
    const std::wstring huge((1 << 20) / sizeof(wchar_t) + 1, L'x');
    SetText(L"Huge", REG_SZ, huge);
    SetText(L"Huge list", REG_MULTI_SZ, huge);
    const auto key = Open(TRegistryView::Bits64);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadString("Huge"), std::nullopt);
    EXPECT_EQ(key->ReadStrings("Huge list"), std::nullopt);
}

TEST_F(RegistryWindowsTest, SubkeysInTheRegistrysOrderAndPathsBelowThem) {
    for (const wchar_t* name : {L"b", L"A", L"Ёлка", L"c\\Deeper\\Deepest"}) {
        RegCloseKey(Create(fKey, name, 0));
    }
    const auto key = Open(TRegistryView::Bits32);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->GetSubkeyNames(), (std::vector<std::string>{"A", "b", "c", "Ёлка"}));
    EXPECT_TRUE(key->OpenSubkey("C\\deeper\\DEEPEST"));
    EXPECT_TRUE(key->OpenSubkey("ёлка"));
    EXPECT_FALSE(key->OpenSubkey("c\\Missing"));
    const auto deeper = key->OpenSubkey("c\\Deeper");
    ASSERT_TRUE(deeper);
    EXPECT_EQ(deeper->GetSubkeyNames(), std::vector<std::string>{"Deepest"});
    EXPECT_FALSE(platform::windows::MakeLiveRegistry()->OpenKey(
        TRegistryHive::CurrentUser, fPath + "\\Missing", TRegistryView::Bits64));
}

// HKLM\Software is split between the views: a key written in one is missing in the other.
TEST_F(RegistryWindowsTest, TheMachinesSoftwareKeyHasTwoViews) {
    const std::string path = "Software\\Brivane Tests\\" + std::to_string(GetCurrentProcessId());
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, Wide(path).c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key,
                        nullptr) == ERROR_ACCESS_DENIED) {
        GTEST_SKIP() << "the machine's keys may not be written by this user";
    }
    ASSERT_NE(key, nullptr);
    RegCloseKey(key);
    const auto registry = platform::windows::MakeLiveRegistry();
    EXPECT_TRUE(registry->OpenKey(TRegistryHive::LocalMachine, path, TRegistryView::Bits32));
    EXPECT_FALSE(registry->OpenKey(TRegistryHive::LocalMachine, path, TRegistryView::Bits64));
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, Wide(path).c_str(), KEY_WOW64_32KEY, 0);
    EXPECT_EQ(registry->Is64BitSystem(), std::nullopt); // the running system is asked
    EXPECT_TRUE(registry->GetWarnings().empty());
}

TEST_F(RegistryWindowsTest, TheLiveRegistryUnlessFilesAreNamed) {
    platform::SetRegistryPathOverride({});
    {
        const TScopedEnv none("BRIVANE_REGISTRY", nullptr);
        EXPECT_EQ(platform::GetRegistrySource().fKind, platform::TRegistrySourceKind::System);
        EXPECT_TRUE(platform::windows::IsLiveRegistry(*platform::OpenRegistry()));
        EXPECT_TRUE(platform::OpenRegistry()->OpenKey(TRegistryHive::CurrentUser, fPath,
                                                      TRegistryView::Bits64));
    }
    TTempDir dir;
    const auto exported =
        dir.Write("export.reg",
                  "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\From File]\r\n\"A\"=\"b\"\r\n");
    const TScopedEnv named("BRIVANE_REGISTRY", exported.string().c_str());
    const auto registry = platform::OpenRegistry();
    EXPECT_FALSE(platform::windows::IsLiveRegistry(*registry));
    const auto key =
        registry->OpenKey(TRegistryHive::CurrentUser, "Software\\From File", TRegistryView::Bits64);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadString("a"), "b");
    EXPECT_FALSE(registry->OpenKey(TRegistryHive::CurrentUser, fPath, TRegistryView::Bits64));
}

} // namespace
} // namespace brivane::test
