#pragma once
// Little-endian values inside a block of bytes. A value that does not lie wholly inside
// the block reads as 0, so parsers of untrusted files never read past what they hold.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace brivane {

inline std::uint16_t ReadWord(std::string_view aBytes, std::size_t aOffset) {
    if (aOffset > aBytes.size() || aBytes.size() - aOffset < 2) {
        return 0;
    }
    return static_cast<std::uint16_t>(static_cast<unsigned char>(aBytes[aOffset]) |
                                      static_cast<unsigned char>(aBytes[aOffset + 1]) << 8);
}

inline std::uint32_t ReadDWord(std::string_view aBytes, std::size_t aOffset) {
    if (aOffset > aBytes.size() || aBytes.size() - aOffset < 4) {
        return 0;
    }
    return ReadWord(aBytes, aOffset) | static_cast<std::uint32_t>(ReadWord(aBytes, aOffset + 2))
                                           << 16;
}

inline void AppendWord(std::string& aOut, std::uint16_t aValue) {
    aOut += static_cast<char>(aValue & 0xFF);
    aOut += static_cast<char>(aValue >> 8);
}

inline void AppendDWord(std::string& aOut, std::uint32_t aValue) {
    AppendWord(aOut, static_cast<std::uint16_t>(aValue & 0xFFFF));
    AppendWord(aOut, static_cast<std::uint16_t>(aValue >> 16));
}

} // namespace brivane
