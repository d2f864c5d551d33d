// A compressed body as servers send it: gzip, zlib-wrapped deflate and raw deflate.

#include "net/gzip.h"
#include "support/fuzz_input.h"

#include <cstdlib>

using namespace brivane;
using namespace brivane::net;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    // Small enough that the bomb check is reached by short inputs.
    constexpr std::size_t kMaxSize = 1 << 20;
    const std::string_view data = fuzz::AsText(aData, aSize);
    for (const auto decode : {&GzipDecode, &DeflateDecode}) {
        try {
            if (decode(data, kMaxSize).size() > kMaxSize) {
                std::abort();
            }
        } catch (const EGzipError&) {
        }
    }
    return 0;
}
