// Page bytes in a declared charset: the first line names it (a Content-Type charset;
// when the program does not know the name, the first byte picks a code page), the
// rest is the page. Whatever the bytes, the text must come out as valid UTF-8.

#include "net/code_page.h"
#include "base/unicode.h"
#include "platform/code_page.h"
#include "support/fuzz_input.h"

#include <cstdlib>

using namespace brivane;
using namespace brivane::net;

namespace {

void CheckUtf8(const std::string& aText) {
    if (Utf16ToUtf8(Utf8ToUtf16(aText)) != aText) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    static constexpr int kCodePages[] = {kCodePageUtf8, 1200, 1201, 12000, 12001, 65000,
                                         20127,         1251, 1252, 20866, 866,   932,
                                         936,           949,  950,  51932, 54936, 10007};
    const auto [charset, bytes] = fuzz::SplitFirstLine(fuzz::AsText(aData, aSize));
    int codePage = CodePageOfCharset(charset);
    if (codePage == 0) {
        codePage = kCodePages[(aSize == 0 ? 0 : aData[0]) % std::size(kCodePages)];
    }
    try {
        CheckUtf8(DecodeCodePage(bytes, codePage));
    } catch (const ECodePageError&) {
    }
    CheckUtf8(platform::AnsiToUtf8(bytes));
    return 0;
}
