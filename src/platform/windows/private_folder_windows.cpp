// Only the current user may use what these create: a protected access list (no
// entries inherited from the parent) with one entry, full access for the user who
// runs us. Folders hand that entry on to what is created in them. The user's own
// temporary folder is private already on a default Windows, but a folder given by the
// caller need not be, so the access list is set here rather than assumed.

#include "platform/private_folder.h"

#include "platform/windows/handle.h"
#include "platform/windows/random_name.h"
#include "platform/windows/security_attributes.h"
#include "platform/windows/wide.h"

#include <windows.h>

#include <sddl.h>

#include <stdexcept>
#include <vector>

namespace brivane::platform {

namespace {

using windows::Narrow;
using windows::THandle;

std::runtime_error Failure(const std::string& aWhat, const std::filesystem::path& aPath,
                           DWORD aError) {
    return std::runtime_error("cannot " + aWhat + " '" + Narrow(aPath.wstring()) +
                              "': " + windows::SystemMessage(aError));
}

// The security identifier of the user running this process, as SDDL writes it.
std::wstring CurrentUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return {};
    }
    const THandle owner(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    wchar_t* text = nullptr;
    if (size == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size) ||
        !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        return {};
    }
    std::wstring sid = text;
    LocalFree(text);
    return sid;
}

// Security attributes that give the current user alone full access.
class TPrivateAttributes : public windows::TSecurityAttributes {
public:
    // aInherit: folders pass the entry on to their files and subfolders.
    explicit TPrivateAttributes(bool aInherit) {
        const std::wstring sid = CurrentUserSid();
        if (sid.empty()) {
            fError = GetLastError();
            return;
        }
        const std::wstring sddl =
            L"D:P(A;" + std::wstring(aInherit ? L"OICI" : L"") + L";FA;;;" + sid + L")";
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                                  &descriptor, nullptr)) {
            fError = GetLastError();
            return;
        }
        Reset(descriptor);
    }

    // Why Get() is null, when it is.
    DWORD Error() const { return fError; }

private:
    DWORD fError = ERROR_SUCCESS;
};

} // namespace

std::filesystem::path CreatePrivateFolder(const std::filesystem::path& aParent,
                                          std::string_view aPrefix) {
    TPrivateAttributes attributes(true);
    if (attributes.Get() == nullptr) {
        throw Failure("create a folder in", aParent, attributes.Error());
    }
    // CreateDirectoryW fails rather than take an existing folder: another name is tried.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder =
            aParent / windows::Wide(std::string(aPrefix) + windows::RandomNameSuffix());
        if (CreateDirectoryW(folder.c_str(), attributes.Get())) {
            return folder;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    throw Failure("create a folder in", aParent, GetLastError());
}

void WritePrivateFile(const std::filesystem::path& aPath, std::string_view aBytes) {
    TPrivateAttributes attributes(false);
    if (attributes.Get() == nullptr) {
        throw Failure("create", aPath, attributes.Error());
    }
    THandle file(CreateFileW(aPath.c_str(), GENERIC_WRITE, 0, attributes.Get(), CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        throw Failure("create", aPath, GetLastError());
    }
    if (!windows::WriteAll(file.Get(), aBytes)) {
        const DWORD error = GetLastError();
        file.Reset();
        DeleteFileW(aPath.c_str());
        throw Failure("write", aPath, error);
    }
    if (!CloseHandle(file.Release())) {
        const DWORD error = GetLastError();
        DeleteFileW(aPath.c_str());
        throw Failure("write", aPath, error);
    }
}

} // namespace brivane::platform
