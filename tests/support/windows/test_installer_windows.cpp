#include "support/test_installer.h"

#include "platform/path_text.h"
#include "support/registry_fixtures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <utility>
#include <vector>

namespace brivane::test {

namespace {

// The program the installers are copies of (child/installer_program.cpp).
const std::string& Program() {
    static const std::string image =
        ReadAll(std::filesystem::absolute(BRIVANE_INSTALLER_PROGRAM).make_preferred());
    return image;
}

// Whether aPath lies in aFolder; Windows compares names without case.
bool IsIn(const std::wstring& aPath, const std::wstring& aFolder) {
    return aPath.size() > aFolder.size() && aPath[aFolder.size()] == L'\\' &&
           CompareStringOrdinal(aPath.c_str(), static_cast<int>(aFolder.size()), aFolder.c_str(),
                                static_cast<int>(aFolder.size()), TRUE) == CSTR_EQUAL;
}

} // namespace

std::string MakeInstaller(const TInstallerPlan& aPlan) {
    // After the image, which the loader maps, the padding and the plan: NUL-separated
    // names and values, their length in ten digits and "<plan>".
    std::vector<std::pair<std::string, std::string>> entries = {
        {"arguments", aPlan.WritesArguments ? "1" : "0"}, {"exit", std::to_string(aPlan.ExitCode)}};
    if (!aPlan.Name.empty()) {
        entries.insert(
            entries.end(),
            {{"name", aPlan.Name},
             {"log", platform::PathToUtf8(aPlan.Log)},
             {"registry", platform::PathToUtf8(aPlan.Registry)},
             {"record", "\n" + UninstallRecordText(aPlan.Name, aPlan.DisplayName, aPlan.Version)}});
    }
    std::string plan;
    for (const auto& [name, value] : entries) {
        plan += name + '\0' + value + '\0';
    }
    char length[11];
    std::snprintf(length, sizeof length, "%010zu", plan.size());
    return Program() + std::string(aPlan.Padding, '-') + plan + length + "<plan>";
}

std::optional<std::string> InstallerLauncher() {
    return std::nullopt;
}

int RestartRequiredExitCode() {
    return 3010;
}

bool InstallerOutputIsLogged() {
    return false;
}

void WaitForProgramsFrom(const std::filesystem::path& aFolder) {
    const std::wstring folder = std::filesystem::absolute(aFolder).make_preferred().wstring();
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                                           entry.th32ProcessID);
        if (process == nullptr) {
            continue; // ended already, or not ours
        }
        std::wstring image(32768, L'\0');
        DWORD size = static_cast<DWORD>(image.size());
        if (QueryFullProcessImageNameW(process, 0, image.data(), &size) &&
            IsIn(image.substr(0, size), folder)) {
            WaitForSingleObject(process, INFINITE);
        }
        CloseHandle(process);
    }
    CloseHandle(snapshot);
}

} // namespace brivane::test
