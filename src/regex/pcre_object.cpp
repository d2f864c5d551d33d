#include "regex/pcre_object.h"

#include "base/unicode.h"

#include <pcre2.h>

#include <iterator>

namespace brivane::pcre {

std::string ErrorMessage(int aErrorCode) {
    PCRE2_UCHAR buffer[1024];
    const int length = pcre2_get_error_message(aErrorCode, buffer, std::size(buffer));
    if (length < 0) {
        return "unknown error " + std::to_string(aErrorCode);
    }
    return Utf16ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(buffer), std::size_t(length)));
}

std::string TPCREObject::ErrorText() const {
    return fErrorText.empty() ? ErrorMessage(fErrorCode) : fErrorText;
}

} // namespace brivane::pcre
