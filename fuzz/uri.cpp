// Addresses from pages and headers: the first line parsed as an absolute address (a
// fixed page's address when it is none), each further line resolved against it as a
// Location header is; every address must come out the same when read again. Then
// the form encodings over the same text.

#include "net/uri.h"
#include "net/net_errors.h"
#include "support/fuzz_input.h"

#include <cstdlib>
#include <optional>

using namespace brivane;
using namespace brivane::net;

namespace {

void CheckRoundTrip(const TURI& aURL) {
    const std::string text = aURL.ToString();
    if (TURI::Parse(text).ToString() != text) {
        std::abort();
    }
    (void)aURL.Origin();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    const std::string_view text = fuzz::AsText(aData, aSize);
    const auto lines = fuzz::SplitLines(text);

    std::optional<TURI> base;
    try {
        base = TURI::Parse(lines.empty() ? std::string_view{} : lines.front());
        CheckRoundTrip(*base);
    } catch (const ENetURIException&) {
        base = TURI::Parse("https://www.example.com/downloads/page.php?id=1");
    }
    for (std::size_t i = 1; i < lines.size() && i <= 16; ++i) {
        try {
            CheckRoundTrip(base->Resolve(lines[i]));
        } catch (const ENetURIException&) {
        }
    }

    (void)URLDecode(text);
    (void)EncodeFormComponent(text);
    (void)EncodeFormFields(text);
    const auto [name, value] = fuzz::SplitFirstLine(text);
    const std::string line = FormFieldLine(name, value);
    if (line.find_first_of("\r\n") != line.size() - 2) {
        std::abort(); // a scraped value must never end its line early
    }
    return 0;
}
