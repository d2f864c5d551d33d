// IrfanView: the publisher's version file states the current release ("4.42"); the
// installers are offered through the CNet directory, one product page for the 32-bit
// and one for the 64-bit edition. The installers register "IrfanView 4.42 (64-bit)"
// or, older ones, "IrfanView (remove only)"; the highest installed one counts.

#include "catalogue/base_software.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile = "https://www.irfanview.com/version.txt";
constexpr const char* kProductPage32 =
    "https://download.cnet.com/IrfanView/3000-2192_4-10021962.html";
constexpr const char* kProductPage64 =
    "https://download.cnet.com/IrfanView-64-bit/3000-2192_4-75453496.html";

class TIrfanView final : public TBaseSoftware {
public:
    TIrfanView() : TBaseSoftware("IrfanView", scGraphics) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^IrfanView\\b");
        FindHighestApplication(*name, THighestFrom::Held);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("^\\s*([\\d.]+)");
        TakeCNetInfoWithVersionFile(*fHTTP,
                                    Context().IsWindows64() ? kProductPage64 : kProductPage32,
                                    kVersionFile, *version, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeIrfanView() {
    return std::make_unique<TIrfanView>();
}

} // namespace brivane::programs
