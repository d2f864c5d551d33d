#include "support/private_access.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <memory>

namespace brivane::test {

namespace {

struct TLocalFree {
    void operator()(void* aMemory) const { LocalFree(aMemory); }
};

// Wine keeps an access list as the file's Unix mode and never reports it protected, not
// even right after SetNamedSecurityInfoW set PROTECTED_DACL_SECURITY_INFORMATION: only
// Windows itself can show that nothing is inherited.
bool KeepsProtection() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr;
}

} // namespace

void ExpectOnlyTheUser(const std::filesystem::path& aPath) {
    SCOPED_TRACE(aPath.string());
    PACL acl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(GetNamedSecurityInfoW(aPath.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                    nullptr, nullptr, &acl, nullptr, &descriptor),
              ERROR_SUCCESS);
    const std::unique_ptr<void, TLocalFree> descriptorOwner(descriptor);
    ASSERT_NE(acl, nullptr); // a null list would let everyone in
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ASSERT_TRUE(GetSecurityDescriptorControl(descriptor, &control, &revision));
    if (KeepsProtection()) {
        EXPECT_TRUE(control & SE_DACL_PROTECTED) << "entries inherited from the folder above";
    }

    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    alignas(TOKEN_USER) unsigned char buffer[256];
    DWORD size = 0;
    const bool known = GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size);
    CloseHandle(token);
    ASSERT_TRUE(known);
    const PSID user = reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid;
    PSID systemSid = nullptr;
    ASSERT_TRUE(ConvertStringSidToSidW(L"S-1-5-18", &systemSid));
    const std::unique_ptr<void, TLocalFree> system(systemSid);

    bool userHasAll = false;
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        void* entry = nullptr;
        ASSERT_TRUE(GetAce(acl, i, &entry));
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
        ASSERT_EQ(allowed->Header.AceType, ACCESS_ALLOWED_ACE_TYPE) << "entry " << i;
        const PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        EXPECT_TRUE(EqualSid(sid, user) || EqualSid(sid, system.get())) << "entry " << i;
        userHasAll |= EqualSid(sid, user) && (allowed->Mask & FILE_ALL_ACCESS) == FILE_ALL_ACCESS;
    }
    EXPECT_TRUE(userHasAll);
}

} // namespace brivane::test
