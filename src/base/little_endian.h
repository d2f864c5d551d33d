#pragma once
// Little-endian values inside a block of bytes. A value that does not lie wholly inside
// the block reads as 0, so parsers of untrusted files never read past what they hold.

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace brivane {

// An integer of type T at aOffset; 0 when it does not lie wholly inside aBytes.
template <std::integral T>
T ReadLittleEndian(std::string_view aBytes, std::size_t aOffset) {
    if (aOffset > aBytes.size() || aBytes.size() - aOffset < sizeof(T)) {
        return 0;
    }
    std::make_unsigned_t<T> bits = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) {
        bits = static_cast<decltype(bits)>((bits << 8) |
                                           static_cast<unsigned char>(aBytes[aOffset + i]));
    }
    return static_cast<T>(bits);
}

template <std::integral T>
void AppendLittleEndian(std::string& aOut, T aValue) {
    auto bits = static_cast<std::make_unsigned_t<T>>(aValue);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        aOut += static_cast<char>(bits & 0xFF);
        bits = static_cast<decltype(bits)>(bits >> 8);
    }
}

inline std::uint16_t ReadWord(std::string_view aBytes, std::size_t aOffset) {
    return ReadLittleEndian<std::uint16_t>(aBytes, aOffset);
}

inline std::uint32_t ReadDWord(std::string_view aBytes, std::size_t aOffset) {
    return ReadLittleEndian<std::uint32_t>(aBytes, aOffset);
}

inline void AppendWord(std::string& aOut, std::uint16_t aValue) {
    AppendLittleEndian(aOut, aValue);
}

inline void AppendDWord(std::string& aOut, std::uint32_t aValue) {
    AppendLittleEndian(aOut, aValue);
}

} // namespace brivane
