#include "app/settings.h"
#include "platform/private_folder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

using namespace brivane;

namespace {

// The file's access list as text ("D:P(A;;FA;;;S-1-5-21-...)").
std::wstring AccessList(const std::filesystem::path& aFile) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(aFile.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return {};
    }
    wchar_t* text = nullptr;
    std::wstring result;
    if (ConvertSecurityDescriptorToStringSecurityDescriptorW(
            descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
        result = text;
        LocalFree(text);
    }
    LocalFree(descriptor);
    return result;
}

} // namespace

// The settings file keeps its own attributes and access list through writes and refused
// writes: a private file is not made readable by others, a read-only one not made writable.
TEST(SettingsAttributesTest, TheFileKeepsItsAttributesAndAccessList) {
    const struct {
        DWORD Attributes;
        bool Written;
    } cases[] = {
        {FILE_ATTRIBUTE_READONLY, false},
        {FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, false},
        {FILE_ATTRIBUTE_HIDDEN, true},
        {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, true},
    };
    // A write sets the archive attribute, as any change of a file does.
    constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Attributes);
        const test::TTempDir dir;
        const auto file = dir / "Config.dat";
        platform::WritePrivateFile(file, R"({"AllowBeta":true})");
        ASSERT_TRUE(SetFileAttributesW(file.c_str(), c.Attributes));
        const std::wstring access = AccessList(file);
        ASSERT_NE(access, L"");
        TConfig config(file);
        EXPECT_EQ(config.SetBoolean(kFirstRun, true), c.Written);
        EXPECT_EQ(test::ReadAll(file),
                  c.Written ? R"({"AllowBeta":true,"FirstRun":true})" : R"({"AllowBeta":true})");
        EXPECT_EQ(GetFileAttributesW(file.c_str()) & kKept, c.Attributes);
        EXPECT_EQ(AccessList(file), access);
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL); // so that it can be removed
    }
}
