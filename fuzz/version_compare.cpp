// Two version texts (one a line after the first byte, which gives how many components
// count): compared both ways, the answers must mirror each other and stay in range.

#include "catalogue/version_compare.h"
#include "support/fuzz_input.h"

#include <cstdlib>

using namespace brivane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    if (aSize == 0) {
        return 0;
    }
    const int digits = 1 + aData[0] % 8;
    const auto [current, available] = fuzz::SplitFirstLine(fuzz::AsText(aData + 1, aSize - 1));
    const int forward = CompareVersionNumbers(current, available, digits);
    const int backward = CompareVersionNumbers(available, current, digits);
    if (forward != -backward || forward > digits || forward < -digits ||
        CompareVersionNumbers(current, current, digits) != 0) {
        std::abort();
    }
    return 0;
}
