#include "support/run_process.h"

#include "platform/windows/command_line.h"
#include "platform/windows/wide.h"

#include <windows.h>

#include <stdexcept>
#include <thread>

namespace brivane::test {

namespace {

using platform::windows::Wide;

bool SameName(std::wstring_view aLeft, std::wstring_view aRight) {
    return aLeft.size() == aRight.size() &&
           CompareStringOrdinal(aLeft.data(), static_cast<int>(aLeft.size()), aRight.data(),
                                static_cast<int>(aRight.size()), TRUE) == CSTR_EQUAL;
}

// This process's environment with aEnv applied (names ignore case, as Windows does), as
// the block CreateProcessW takes.
std::wstring BuildEnvironment(const std::map<std::string, std::optional<std::string>>& aEnv) {
    std::vector<std::pair<std::wstring, std::optional<std::wstring>>> changes;
    for (const auto& [name, value] : aEnv) {
        changes.emplace_back(Wide(name), value ? std::optional(Wide(*value)) : std::nullopt);
    }
    std::wstring block;
    wchar_t* const strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; entry != nullptr && *entry != L'\0';) {
        const std::wstring_view text(entry);
        entry += text.size() + 1;
        // "=C:=C:\..." entries keep the drives' folders: their names start after the '='.
        const std::wstring_view name = text.substr(0, text.find(L'=', 1));
        bool changed = false;
        for (const auto& change : changes) {
            changed = changed || SameName(change.first, name);
        }
        if (!changed) {
            block.append(text).push_back(L'\0');
        }
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : changes) {
        if (value) {
            block.append(name).append(L"=").append(*value).push_back(L'\0');
        }
    }
    block.push_back(L'\0');
    return block;
}

class THandle {
public:
    THandle() = default;
    explicit THandle(HANDLE aHandle) : fHandle(aHandle) {}
    ~THandle() { Close(); }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    HANDLE Get() const { return fHandle; }
    HANDLE* Out() { return &fHandle; }
    void Close() {
        if (fHandle != nullptr && fHandle != INVALID_HANDLE_VALUE) {
            CloseHandle(fHandle);
        }
        fHandle = nullptr;
    }

private:
    HANDLE fHandle = nullptr;
};

// A pipe whose child end is inherited and whose parent end is not.
void MakePipe(THandle& aRead, THandle& aWrite, bool aChildReads) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(aRead.Out(), aWrite.Out(), &inherit, 0)) {
        throw std::runtime_error("CreatePipe failed");
    }
    SetHandleInformation((aChildReads ? aWrite : aRead).Get(), HANDLE_FLAG_INHERIT, 0);
}

// Reads a text-mode program's output as written: the C runtime wrote each "\n" as "\r\n",
// so every "\r\n" read is turned back (a "\r\n" the program wrote arrived as "\r\r\n").
void ReadAll(HANDLE aPipe, std::string& aOut) {
    char buffer[65536];
    DWORD read = 0;
    std::string raw;
    while (ReadFile(aPipe, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        raw.append(buffer, read);
    }
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\r' || i + 1 == raw.size() || raw[i + 1] != '\n') {
            aOut.push_back(raw[i]);
        }
    }
}

} // namespace

TProcessResult RunProcess(const std::string& aProgram, const std::vector<std::string>& aArgs,
                          const std::string& aStdin,
                          const std::map<std::string, std::optional<std::string>>& aEnv) {
    THandle inRead, inWrite, outRead, outWrite, errRead, errWrite;
    MakePipe(inRead, inWrite, true);
    MakePipe(outRead, outWrite, false);
    MakePipe(errRead, errWrite, false);

    std::vector<std::wstring> words{Wide(aProgram)};
    for (const auto& arg : aArgs) {
        words.push_back(Wide(arg));
    }
    std::wstring line = platform::windows::JoinArguments(words);
    std::wstring environment = BuildEnvironment(aEnv);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead.Get();
    startup.hStdOutput = outWrite.Get();
    startup.hStdError = errWrite.Get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE,
                        CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, environment.data(), nullptr,
                        &startup, &process)) {
        throw std::runtime_error("cannot start " + aProgram + " (error " +
                                 std::to_string(GetLastError()) + ")");
    }
    const THandle processHandle(process.hProcess);
    const THandle threadHandle(process.hThread);
    // The child holds its ends now; ours must go, or the reads would never end.
    inRead.Close();
    outWrite.Close();
    errWrite.Close();

    TProcessResult result;
    std::thread feeder([&inWrite, &aStdin] {
        DWORD written = 0;
        std::size_t fed = 0;
        while (fed < aStdin.size() &&
               WriteFile(inWrite.Get(), aStdin.data() + fed,
                         static_cast<DWORD>(aStdin.size() - fed), &written, nullptr)) {
            fed += written;
        }
        inWrite.Close();
    });
    std::thread errors([&errRead, &result] { ReadAll(errRead.Get(), result.Err); });
    ReadAll(outRead.Get(), result.Out);
    errors.join();
    feeder.join();
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.ExitCode = static_cast<int>(code);
    return result;
}

} // namespace brivane::test
