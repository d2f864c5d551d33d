// Arduino: the software page names the current release in its heading ("ARDUINO
// 1.8.1") and links the Windows installer beside the other downloads.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.arduino.cc";
constexpr const char* kPage = "https://www.arduino.cc/en/Main/Software";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoSingleLine};

class TArduino final : public TBaseSoftware {
public:
    TArduino() : TBaseSoftware("Arduino", scDevelopment) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?ARDUINO\\s+?([\\d.]+)\\s*?<", kHtml);
        static const auto link = NewRegex("href=\"([^<>]+?-windows\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kPage), *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeArduino() {
    return std::make_unique<TArduino>();
}

} // namespace brivane::programs
