// A program for the launcher's tests: started as "launched_program RECORD CODE [WORDS]",
// it writes the value of BRIVANE_REGISTRY and then each of its words after its own name,
// one a line in UTF-8, to RECORD; waits for the event named by BRIVANE_TEST_EVENT when
// that is set; and exits with CODE.

#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <string>

namespace {

std::string Utf8(const wchar_t* aText) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, aText, -1, nullptr, 0, nullptr, nullptr);
    std::string text(size > 0 ? static_cast<std::size_t>(size) : 1u, '\0');
    WideCharToMultiByte(CP_UTF8, 0, aText, -1, text.data(), size, nullptr, nullptr);
    text.pop_back(); // the terminating NUL
    return text;
}

std::wstring Variable(const wchar_t* aName) {
    wchar_t value[32768];
    const DWORD length = GetEnvironmentVariableW(aName, value, 32768);
    return length > 0 && length < 32768 ? std::wstring(value, length) : std::wstring();
}

} // namespace

int main() {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (words == nullptr || count < 3) {
        return 100;
    }
    std::string record = "BRIVANE_REGISTRY=" + Utf8(Variable(L"BRIVANE_REGISTRY").c_str()) + "\n";
    for (int i = 1; i < count; ++i) {
        record += Utf8(words[i]) + "\n";
    }
    const HANDLE file = CreateFileW(words[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE ||
        !WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr)) {
        return 101;
    }
    CloseHandle(file);
    if (const std::wstring event = Variable(L"BRIVANE_TEST_EVENT"); !event.empty()) {
        const HANDLE ended = OpenEventW(SYNCHRONIZE, FALSE, event.c_str());
        if (ended == nullptr) {
            return 102;
        }
        WaitForSingleObject(ended, INFINITE);
    }
    return std::wcstol(words[2], nullptr, 10);
}
