#include "platform/windows_paths.h"

#include "base/unicode.h"
#include "platform/registry_source.h"

namespace brivane::platform {

TWindowsPathResolver CurrentWindowsPathResolver() {
    return TWindowsPathResolver(GetWinePrefixFolder().value_or(std::filesystem::path()));
}

bool MatchesMask(std::string_view aName, std::string_view aMask) {
    std::u16string name = Utf8ToUtf16(aName);
    std::u16string mask = Utf8ToUtf16(aMask);
    for (auto& unit : name) {
        unit = LowerCaseChar(unit);
    }
    for (auto& unit : mask) {
        unit = LowerCaseChar(unit);
    }
    // Greedy matching that backtracks only to the last '*': linear in practice, and
    // never exponential.
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::u16string::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == u'?' || mask[m] == name[n])) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == u'*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::u16string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*') {
        ++m;
    }
    return m == mask.size();
}

} // namespace brivane::platform
