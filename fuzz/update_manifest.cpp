// The self-update manifest: a JSON object from the update server, read into the
// release it offers. The reader must never throw, and a manifest it calls well formed
// must give the same record when read again.

#include "install/version_info.h"
#include "support/fuzz_input.h"

#include <cstdlib>

using namespace brivane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    const std::string_view text = fuzz::AsText(aData, aSize);
    std::string problem;
    const install::TVersionInfo info = install::ParseVersionInfo(text, &problem);
    (void)info.AsString();
    (void)info.Description("ru");
    (void)info.Description("EN");
    if (problem.empty() && !(install::ParseVersionInfo(text) == info)) {
        std::abort();
    }
    return 0;
}
