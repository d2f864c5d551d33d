#include "net/code_page_conversion.h"

#include "net/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <type_traits>

namespace brivane::net {

namespace {

struct TIconvCloser {
    void operator()(iconv_t aHandle) const { iconv_close(aHandle); }
};

constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";

} // namespace

std::string ConvertToUtf8(std::string_view aBytes, int, const char* aFrom) {
    iconv_t raw = iconv_open("UTF-8", aFrom);
    if (raw == reinterpret_cast<iconv_t>(-1)) {
        throw ECodePageError(std::string("The system cannot convert from ") + aFrom);
    }
    const std::unique_ptr<std::remove_pointer_t<iconv_t>, TIconvCloser> handle(raw);
    std::string output;
    output.reserve(aBytes.size() * 2);
    char* in = const_cast<char*>(aBytes.data());
    std::size_t inLeft = aBytes.size();
    char buffer[16 * 1024];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(raw, &in, &inLeft, &out, &outLeft);
        const int error = errno;
        output.append(buffer, sizeof buffer - outLeft);
        if (result != static_cast<std::size_t>(-1)) {
            break;
        }
        if (error == EILSEQ) { // a byte the code page does not define
            output += kReplacementUtf8;
            ++in;
            --inLeft;
        } else if (error == EINVAL) { // a sequence cut off at the end
            output += kReplacementUtf8;
            break;
        } else if (error != E2BIG) {
            throw ECodePageError(std::string("Conversion from ") + aFrom + " failed");
        }
    }
    // Flush a stateful encoding's pending output (ISO-2022-JP).
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(raw, nullptr, nullptr, &out, &outLeft);
    output.append(buffer, sizeof buffer - outLeft);
    return output;
}

} // namespace brivane::net
