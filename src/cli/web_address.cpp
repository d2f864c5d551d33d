#include "cli/web_address.h"

#include "cli/commands.h"
#include "net/net_errors.h"
#include "net/uri.h"

namespace brivane::cli {

void RequireWebAddress(const std::string& aURL) {
    std::string scheme;
    try {
        scheme = net::TURI::Parse(aURL).Scheme;
    } catch (const net::ENetURIException& e) {
        throw TCliError(e.what());
    }
    if (scheme != "http" && scheme != "https") {
        throw TCliError("Not an http or https address: " + aURL);
    }
}

} // namespace brivane::cli
