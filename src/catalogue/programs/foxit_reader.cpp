// Foxit Reader: the publisher's download service answers a JSON object whose
// "package_info" names the latest version ("version") and the installer ("down").

#include "base/json_path.h"
#include "catalogue/base_software.h"

namespace brivane::programs {

namespace {

constexpr const char* kService =
    "https://www.foxitsoftware.com/downloads/downloadForm.php?retJson=1&product=Foxit-Reader"
    "&platform=Windows&package_type=exe&language=English";

class TFoxitReader final : public TBaseSoftware {
public:
    TFoxitReader() : TBaseSoftware("Foxit Reader", scOffice) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        const auto answer = ParseJson(GetPageText(kService));
        if (!answer || !answer->is_object()) {
            return;
        }
        aParams.AvailableVersion = JsonText(*answer, "package_info.version");
        aParams.DownloadURL = JsonText(*answer, "package_info.down");
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeFoxitReader() {
    return std::make_unique<TFoxitReader>();
}

} // namespace brivane::programs
