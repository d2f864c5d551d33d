// Java, 32-bit edition: inventory names without the "(64-bit)" suffix.

#include "catalogue/programs/java_runtime.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeJavaRE() {
    static const auto name = NewRegex("^Java(?:\\(TM\\))?\\s+?\\d+?\\s+?Update\\s+?\\d+$");
    static const auto link =
        NewRegex("<a\\s[^<>]*?href=\"([^<>]+?)\"[^<>]*?>\\s*?Windows\\s+?Offline\\s*?");
    return MakeJavaRuntime({"Java", name, link});
}

} // namespace brivane::programs
