#include "catalogue/product_code.h"

#include "regex/regex.h"

namespace brivane {

bool IsProductCode(std::string_view aSubkeyName) {
    // The pattern matches 36 to 38 ASCII characters (and "$" a final line break
    // after them): other lengths are answered without running it.
    if (aSubkeyName.size() < 36 || aSubkeyName.size() > 39) {
        return false;
    }
    static const std::shared_ptr<IRegex> kProductCode =
        NewRegex("^\\{{0,1}[0-9a-fA-F]{8}\\-[0-9a-fA-F]{4}\\-[0-9a-fA-F]{4}\\-[0-9a-fA-F]{4}"
                 "\\-[0-9a-fA-F]{12}\\}{0,1}$",
                 {TRegCompileOption::rcoSingleLine});
    return kProductCode->IsMatch(TRegexSubject(aSubkeyName));
}

} // namespace brivane
