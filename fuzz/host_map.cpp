// A host map file: a JSON object from origins to replacement bases, then requests to
// a few addresses rewritten through it.

#include "net/host_map.h"
#include "net/net_errors.h"
#include "support/fuzz_input.h"

using namespace brivane;
using namespace brivane::net;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    std::optional<THostMap> map;
    try {
        map = THostMap::Parse(fuzz::AsText(aData, aSize), "hosts.json");
    } catch (const EHostMapError&) {
        return 0;
    }
    for (const char* address :
         {"https://www.7-zip.org/download.html", "http://example.com:8080/a?b=c",
          "http://127.0.0.1:1/", "https://[::1]/x", "http://xn--e1afmkfd.xn--p1ai/"}) {
        const std::string rewritten = map->Rewrite(TURI::Parse(address));
        try {
            (void)TURI::Parse(rewritten);
        } catch (const ENetURIException&) {
        }
    }
    return 0;
}
