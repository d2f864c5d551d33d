// An installer for the tests on Windows: support/test_installer.h serves copies of this
// program with a plan appended after its image, and the product starts them as it would
// any downloaded installer. The plan (see test_installer_windows.cpp for its layout)
// says what to do, in this order:
//   log       append "start NAME TIME" to this file (TIME in nanoseconds since 1970),
//             work half a second, append the record, then "end NAME TIME";
//   registry  append the text "record" to this file;
//   arguments "1": write the words after our own name, one a line, to "<us>.arguments";
//   exit      the exit code.
// Without a plan it exits with 100; a file it cannot write makes it exit with 101.

#include <windows.h>

#include <shellapi.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <string>

namespace {

std::wstring Wide(const std::string& aText) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, aText.data(), static_cast<int>(aText.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, aText.data(), static_cast<int>(aText.size()), text.data(),
                        size);
    return text;
}

std::string Utf8(const std::wstring& aText) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, aText.data(), static_cast<int>(aText.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, aText.data(), static_cast<int>(aText.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

// aDisposition: CREATE_ALWAYS replaces the file, OPEN_ALWAYS appends to it.
bool Write(const std::wstring& aPath, const std::string& aText, DWORD aDisposition) {
    const HANDLE file =
        CreateFileW(aPath.c_str(), aDisposition == OPEN_ALWAYS ? FILE_APPEND_DATA : GENERIC_WRITE,
                    FILE_SHARE_READ, nullptr, aDisposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool done =
        WriteFile(file, aText.data(), static_cast<DWORD>(aText.size()), &written, nullptr) &&
        written == aText.size();
    return CloseHandle(file) && done;
}

std::wstring OwnPath() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

std::string ReadFile(const std::wstring& aPath) {
    const HANDLE file = CreateFileW(aPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

// The plan at the end of our own file: NUL-separated names and values, followed by
// their length in ten digits and "<plan>".
std::map<std::string, std::string> Plan(const std::string& aImage) {
    constexpr std::size_t kDigits = 10;
    const std::string tag = "<plan>";
    std::map<std::string, std::string> plan;
    if (aImage.size() < kDigits + tag.size() || !aImage.ends_with(tag)) {
        return plan;
    }
    const std::size_t footer = aImage.size() - tag.size() - kDigits;
    const std::size_t size = std::strtoull(aImage.substr(footer, kDigits).c_str(), nullptr, 10);
    if (size > footer) {
        return plan;
    }
    const std::string text = aImage.substr(footer - size, size);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t nameEnd = text.find('\0', start);
        const std::size_t valueEnd =
            nameEnd == std::string::npos ? nameEnd : text.find('\0', nameEnd + 1);
        if (valueEnd == std::string::npos) {
            return {};
        }
        plan[text.substr(start, nameEnd - start)] =
            text.substr(nameEnd + 1, valueEnd - nameEnd - 1);
        start = valueEnd + 1;
    }
    return plan;
}

std::string Now() {
    return std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count());
}

} // namespace

int main() {
    const std::wstring self = OwnPath();
    auto plan = Plan(ReadFile(self));
    if (plan.empty()) {
        return 100;
    }
    const std::wstring log = Wide(plan["log"]);
    if (!log.empty() && !Write(log, "start " + plan["name"] + " " + Now() + "\n", OPEN_ALWAYS)) {
        return 101;
    }
    if (!log.empty()) {
        Sleep(500); // the installer's work
    }
    if (const std::wstring registry = Wide(plan["registry"]);
        !registry.empty() && !Write(registry, plan["record"], OPEN_ALWAYS)) {
        return 101;
    }
    if (!log.empty() && !Write(log, "end " + plan["name"] + " " + Now() + "\n", OPEN_ALWAYS)) {
        return 101;
    }
    if (plan["arguments"] == "1") {
        int count = 0;
        wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
        std::string lines;
        for (int i = 1; words != nullptr && i < count; ++i) {
            lines += Utf8(words[i]) + "\n";
        }
        LocalFree(words);
        if (!Write(self + L".arguments", lines, CREATE_ALWAYS)) {
            return 101;
        }
    }
    return std::atoi(plan["exit"].c_str());
}
