#include "platform/windows/wide.h"

#include "base/unicode.h"

#include <windows.h>

namespace brivane::platform::windows {

// wchar_t is a UTF-16 code unit on Windows: the shared converters serve unchanged.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Wide(std::string_view aText) {
    const std::u16string units = Utf8ToUtf16(aText);
    return {units.begin(), units.end()};
}

std::string Narrow(std::wstring_view aText) {
    return Utf16ToUtf8({reinterpret_cast<const char16_t*>(aText.data()), aText.size()});
}

std::string SystemMessage(unsigned long aError) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, aError, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0 || text == nullptr) {
        return "error " + std::to_string(aError);
    }
    std::wstring message(text, length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    return Narrow(message);
}

} // namespace brivane::platform::windows
