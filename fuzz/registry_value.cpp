// The text of one registry value after its "=" (a quoted string, str(N):, dword:,
// hex(N): over continued lines) in the dialect the first byte names, decoded as
// text, as texts and as a number.

#include "platform/registry_files/registry_value.h"
#include "support/fuzz_input.h"

using namespace brivane;
using namespace brivane::platform::registry_files;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    if (aSize == 0) {
        return 0;
    }
    static constexpr TRegistryDialect kDialects[] = {
        TRegistryDialect::Wine, TRegistryDialect::Regedit5, TRegistryDialect::Regedit4};
    const TRawValue value{"", fuzz::AsText(aData + 1, aSize - 1), kDialects[aData[0] % 3]};
    (void)DecodeString(value);
    (void)DecodeStrings(value);
    (void)DecodeNumber(value);
    (void)ClassifyValue(value.fData);
    (void)ParseHexBytes(value.fData);
    (void)ParseHexNumber(value.fData, 16);
    if (const auto length = QuotedLength(value.fData)) {
        (void)UnescapeText(value.fData.substr(0, *length), value.fDialect);
    }
    return 0;
}
