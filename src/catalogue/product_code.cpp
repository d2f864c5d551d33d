#include "catalogue/product_code.h"

namespace brivane {

bool IsProductCode(std::string_view aSubkeyName) {
    // Placeholder until the pattern runs through the regular-expression facade.
    if (aSubkeyName.starts_with('{')) {
        aSubkeyName.remove_prefix(1);
    }
    if (aSubkeyName.ends_with('}')) {
        aSubkeyName.remove_suffix(1);
    }
    if (aSubkeyName.size() != 36) {
        return false;
    }
    for (std::size_t i = 0; i < aSubkeyName.size(); ++i) {
        const char c = aSubkeyName[i];
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (dash ? c != '-' : !hex) {
            return false;
        }
    }
    return true;
}

} // namespace brivane
