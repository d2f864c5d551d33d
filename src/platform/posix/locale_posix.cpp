#include "platform/locale.h"

#include <clocale>
#include <locale.h>

namespace brivane::platform {

bool RunInLocale(const std::string& aLocale, const std::function<void()>& aBody) {
    const locale_t locale = ::newlocale(LC_ALL_MASK, aLocale.c_str(), locale_t(nullptr));
    if (locale == locale_t(nullptr)) {
        return false;
    }
    // Restores this thread's locale even when aBody throws.
    struct TRestore {
        locale_t fPrevious;
        locale_t fLocale;
        ~TRestore() {
            ::uselocale(fPrevious);
            ::freelocale(fLocale);
        }
    } restore{::uselocale(locale), locale};
    aBody();
    return true;
}

} // namespace brivane::platform
