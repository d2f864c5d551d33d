// Java, 64-bit edition: inventory names with the "(64-bit)" suffix.

#include "catalogue/programs/java_runtime.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeJavaRE_x64() {
    static const auto name =
        NewRegex("^Java(?:\\(TM\\))?\\s+?\\d+?\\s+?Update\\s+?\\d+?\\s+?\\(64-bit\\)$");
    static const auto link =
        NewRegex("<a\\s[^<>]*?href=\"([^<>]+?)\"[^<>]*?>\\s*?Windows\\s+?Offline\\s+?\\(64-bit\\)");
    return MakeJavaRuntime({"Java x64", name, link});
}

} // namespace brivane::programs
