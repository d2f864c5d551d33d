#include "platform/code_page.h"

#include "platform/windows/wide.h"

#include <windows.h>

#include <climits>

namespace brivane::platform {

std::string AnsiToUtf8(std::string_view aBytes) {
    if (aBytes.empty() || aBytes.size() > INT_MAX) {
        return {};
    }
    // Without MB_ERR_INVALID_CHARS every byte decodes: one the code page lacks becomes
    // its default character.
    const int size = static_cast<int>(aBytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, aBytes.data(), size, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, aBytes.data(), size, text.data(), length);
    return windows::Narrow(text);
}

} // namespace brivane::platform
