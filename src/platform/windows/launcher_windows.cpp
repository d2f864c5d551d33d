// Programs open through the shell (ShellExecuteExW, the default verb), as a double
// click in Explorer would open them; the process handle is kept to wait for the end.
// A launcher set with SetLauncherOverride or BRIVANE_LAUNCHER starts its words, the
// file and the parameters with CreateProcessW instead, reading nothing and writing to
// FILE.log beside the file, so tests and the demo run programs of their own.

#include "platform/launcher.h"

#include "platform/launcher_command.h"
#include "platform/registry_source.h"
#include "platform/windows/command_line.h"
#include "platform/windows/handle.h"
#include "platform/windows/wide.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <vector>

namespace brivane::platform {

namespace {

using windows::Narrow;
using windows::THandle;
using windows::Wide;

class TStartedProcess final : public IStartedProcess {
public:
    // A null handle: the shell handed the file to a program already running, or
    // started none of its own; there is nothing to wait for.
    explicit TStartedProcess(HANDLE aProcess) : fProcess(aProcess) {}

    bool Wait(std::chrono::milliseconds aTimeOut) override {
        const std::lock_guard lock(fLock);
        if (fEnded) {
            return true;
        }
        if (!fProcess.Valid()) {
            fEnded = true;
            return true;
        }
        const DWORD limit = aTimeOut < std::chrono::milliseconds::zero()
                                ? INFINITE
                                : static_cast<DWORD>(std::min<std::int64_t>(
                                      aTimeOut.count(), std::int64_t{INFINITE} - 1));
        const DWORD result = WaitForSingleObject(fProcess.Get(), limit);
        if (result == WAIT_TIMEOUT) {
            return false;
        }
        fEnded = true; // ended, or it can no longer be waited for
        DWORD code = 0;
        if (result == WAIT_OBJECT_0 && GetExitCodeProcess(fProcess.Get(), &code) &&
            code != STILL_ACTIVE) {
            fExitCode = static_cast<int>(code);
        }
        return true;
    }

    int ExitCode() const override {
        const std::lock_guard lock(fLock);
        return fExitCode;
    }

private:
    const THandle fProcess;
    mutable std::mutex fLock;
    bool fEnded = false;
    int fExitCode = -1;
};

// Our environment as CreateProcessW takes it, with the registry source handed on when
// it is read from files, so what a program records is what the next inventory reads.
// Names of variables compare without case, and CreateProcessW wants them in that order.
struct TNameOrder {
    bool operator()(const std::wstring& aLeft, const std::wstring& aRight) const {
        return CompareStringOrdinal(aLeft.c_str(), -1, aRight.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    }
};

std::wstring ChildEnvironment() {
    std::map<std::wstring, std::wstring, TNameOrder> variables;
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) {
            const std::wstring_view text(entry);
            // Names may begin with '=' ("=C:", the current folder of a drive).
            const auto equals = text.find(L'=', 1);
            if (equals != std::wstring_view::npos) {
                variables[std::wstring(text.substr(0, equals))] = text.substr(equals + 1);
            }
        }
        FreeEnvironmentStringsW(block);
    }
    const TRegistrySource source = GetRegistrySource();
    if (source.fKind == TRegistrySourceKind::WinePrefix ||
        source.fKind == TRegistrySourceKind::ExportFile) {
        std::error_code ec;
        const auto path = std::filesystem::absolute(source.fPath, ec);
        variables[L"BRIVANE_REGISTRY"] = (ec ? source.fPath : path).wstring();
    }
    std::wstring block;
    for (const auto& [name, value] : variables) {
        block += name + L"=" + value;
        block += L'\0';
    }
    block += L'\0';
    return block;
}

TStartResult StartWithLauncher(const std::vector<std::string>& aLauncher,
                               const std::filesystem::path& aFile,
                               const std::vector<std::string>& aParameters) {
    std::vector<std::wstring> words;
    for (const auto& word : aLauncher) {
        words.push_back(Wide(word));
    }
    words.push_back(aFile.wstring());
    for (const auto& parameter : aParameters) {
        words.push_back(Wide(parameter));
    }
    std::wstring commandLine = windows::JoinArguments(words);

    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    std::filesystem::path log = aFile;
    log += ".log";
    const THandle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &inherited, OPEN_EXISTING, 0, nullptr));
    const THandle output(CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!input.Valid() || !output.Valid()) {
        return {nullptr, "cannot start " + aLauncher.front() + ": " +
                             windows::SystemMessage(GetLastError())};
    }
    // Only these two handles are inherited, not whatever else another thread has open
    // as inheritable at the moment.
    HANDLE handles[] = {input.Get(), output.Get()};
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<unsigned char> list(size);
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input.Get();
    startup.StartupInfo.hStdOutput = output.Get();
    startup.StartupInfo.hStdError = output.Get();
    DWORD flags = CREATE_NEW_PROCESS_GROUP | CREATE_UNICODE_ENVIRONMENT;
    const auto attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(list.data());
    if (size > 0 && InitializeProcThreadAttributeList(attributes, 1, 0, &size)) {
        if (UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles,
                                      sizeof handles, nullptr, nullptr)) {
            startup.lpAttributeList = attributes;
            flags |= EXTENDED_STARTUPINFO_PRESENT;
        }
    }
    std::wstring environment = ChildEnvironment();
    PROCESS_INFORMATION process{};
    // A process group of its own: Ctrl+C in our console is for us, never a signal that
    // ends an installer half-way.
    const bool started =
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, flags,
                       environment.data(), nullptr, &startup.StartupInfo, &process) != 0;
    const DWORD error = GetLastError();
    if (startup.lpAttributeList != nullptr) {
        DeleteProcThreadAttributeList(attributes);
    }
    if (!started) {
        return {nullptr,
                "cannot start " + aLauncher.front() + ": " + windows::SystemMessage(error)};
    }
    CloseHandle(process.hThread);
    return {std::make_shared<TStartedProcess>(process.hProcess), {}};
}

TStartResult StartWithShell(const std::filesystem::path& aFile,
                            const std::vector<std::string>& aParameters) {
    std::vector<std::wstring> words;
    for (const auto& parameter : aParameters) {
        words.push_back(Wide(parameter));
    }
    const std::wstring parameters = windows::JoinArguments(words);
    const std::wstring file = aFile.wstring();
    // The shell may call extensions that want a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // NOASYNC: the call has finished its work when it returns (we may be on a thread
    // that ends soon); FLAG_NO_UI: failures are reported by us, not in a message box.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = nullptr; // the default verb
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    const bool started = ShellExecuteExW(&info) != 0;
    const DWORD error = GetLastError();
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    if (!started) {
        return {nullptr, "cannot start " + Narrow(file) + ": " + windows::SystemMessage(error)};
    }
    return {std::make_shared<TStartedProcess>(info.hProcess), {}};
}

} // namespace

TStartResult StartProgram(const std::filesystem::path& aFile,
                          const std::vector<std::string>& aParameters) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(aFile, ec)) {
        return {nullptr, "no such file: " + Narrow(aFile.wstring())};
    }
    const std::vector<std::string> launcher = LauncherCommand();
    return launcher.empty() ? StartWithShell(aFile, aParameters)
                            : StartWithLauncher(launcher, aFile, aParameters);
}

} // namespace brivane::platform
