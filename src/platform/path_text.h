#pragma once
// Paths made from UTF-8 text and back. The narrow strings of std::filesystem are UTF-8
// on POSIX, but on Windows a path built from a narrow string reads its bytes in the C
// library's locale: text crosses into paths here, so non-ASCII names survive on both.

#include <filesystem>
#include <string>
#include <string_view>

namespace brivane::platform {

inline std::filesystem::path PathFromUtf8(std::string_view aText) {
    return std::filesystem::path(std::u8string(aText.begin(), aText.end()));
}

inline std::string PathToUtf8(const std::filesystem::path& aPath) {
    const std::u8string text = aPath.u8string();
    return {text.begin(), text.end()};
}

} // namespace brivane::platform
