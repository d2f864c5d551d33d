// A version resource (VS_VERSIONINFO): the fixed file information and the first
// string table.

#include "pe/file_version_info.h"
#include "support/fuzz_input.h"

using namespace brivane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    TFileVersionInfo info;
    try {
        info.ParseVersionInfo(fuzz::AsText(aData, aSize));
    } catch (const TConversionError&) {
    }
    (void)info.GetFileVersionText();
    (void)info.GetProductVersionText();
    return 0;
}
