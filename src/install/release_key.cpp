// The release public key of this build. The build passes it to this one file, so that
// changing it recompiles nothing else.

#include "install/release_signature.h"

#ifndef BRIVANE_RELEASE_PUBLIC_KEY
#define BRIVANE_RELEASE_PUBLIC_KEY ""
#endif

namespace brivane::install {

std::optional<TPublicKey> ReleasePublicKey() {
    constexpr std::string_view key = BRIVANE_RELEASE_PUBLIC_KEY;
    if (key.empty()) {
        return std::nullopt;
    }
    const auto decoded = DecodePublicKey(key);
    if (!decoded) {
        // The build checks the key's form; a key that still does not decode must not
        // quietly turn verification off, so it is a key that no signature matches.
        return TPublicKey{};
    }
    return decoded;
}

} // namespace brivane::install
