#include "catalogue/version_compare.h"

#include "base/check_trace.h"
#include "regex/regex.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

namespace brivane {

namespace {

std::int64_t ComponentValue(const std::string& aText) {
    std::string_view digits = aText;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1); // from_chars takes a minus sign but no plus sign
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return 0;
    }
    return value;
}

std::vector<std::int64_t> SplitVersion(std::string_view aVersion, int aDigits) {
    // The dot after the component is deliberately unescaped: it takes whatever one
    // character separates two components. Compiled once; matching is thread-safe.
    static const auto pattern =
        NewRegex("\\s*([^.]+)\\s*?(?:.|$)", {TRegCompileOption::rcoSingleLine});
    std::vector<std::int64_t> components(static_cast<std::size_t>(aDigits), 0);
    std::size_t index = 0;
    // A comparison is no pattern of the publisher's page: a check's trace leaves it out.
    const TCheckTraceScope untraced(nullptr);
    pattern->ForEachMatch(aVersion, [&](const std::shared_ptr<IMatch>& aMatch) {
        if (index < components.size()) {
            components[index] = ComponentValue(aMatch->Groups()->Item(1)->Value());
        }
        ++index;
    });
    return components;
}

} // namespace

int CompareVersionNumbers(std::string_view aCurrent, std::string_view aAvailable, int aDigits) {
    if (aDigits <= 0) {
        return 0;
    }
    const auto current = SplitVersion(aCurrent, aDigits);
    const auto available = SplitVersion(aAvailable, aDigits);
    for (int k = 0; k < aDigits; ++k) {
        if (current[k] > available[k]) {
            return aDigits - k;
        }
        if (current[k] < available[k]) {
            return k - aDigits;
        }
    }
    return 0;
}

} // namespace brivane
