// A web service's JSON answer: parsed, then every member path of its objects read
// as text the way catalogue entries read them ("package_info.version").

#include "base/json_path.h"
#include "base/json_depth.h"
#include "support/fuzz_input.h"

#include <cstdlib>
#include <string>

using namespace brivane;

namespace {

// Bounds the work on a document with very many members.
constexpr int kMaxPaths = 1000;

void ReadMembers(const nlohmann::json& aDocument, const nlohmann::json& aValue,
                 const std::string& aPath, std::size_t aDepth, int& aPathsLeft) {
    if (!aValue.is_object() || aDepth > kMaxJsonDepth) {
        return;
    }
    for (const auto& [name, member] : aValue.items()) {
        if (--aPathsLeft < 0) {
            return;
        }
        const std::string path = aPath.empty() ? name : aPath + "." + name;
        try {
            (void)JsonText(aDocument, path);
        } catch (const EJsonPathError&) {
        }
        ReadMembers(aDocument, member, path, aDepth + 1, aPathsLeft);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    const std::string_view text = fuzz::AsText(aData, aSize);
    const bool shallow = JsonNestingWithin(text);
    const auto document = ParseJson(text);
    if (document && !shallow) {
        std::abort(); // too deep a document must be refused before it is built
    }
    if (document) {
        int pathsLeft = kMaxPaths;
        ReadMembers(*document, *document, "", 0, pathsLeft);
        try {
            (void)JsonText(*document, "");
        } catch (const EJsonPathError&) {
        }
    }
    return 0;
}
