#pragma once
// Hexadecimal digits as they appear in addresses, registry files and resource keys.

namespace brivane {

// The value of one hexadecimal digit of either case, or -1 for any other character.
constexpr int HexDigitValue(char aChar) {
    if (aChar >= '0' && aChar <= '9') {
        return aChar - '0';
    }
    if (aChar >= 'a' && aChar <= 'f') {
        return aChar - 'a' + 10;
    }
    if (aChar >= 'A' && aChar <= 'F') {
        return aChar - 'A' + 10;
    }
    return -1;
}

} // namespace brivane
