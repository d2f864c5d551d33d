#include "base/thread_locale.h"

#include <clocale>
#ifndef _WIN32
#include <locale.h>
#endif

namespace brivane {

#ifdef _WIN32

bool RunInLocale(const std::string& aLocale, const std::function<void()>& aBody) {
    // The C runtime's per-thread mode keeps setlocale from touching other threads.
    const int previousMode = ::_configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    const char* current = std::setlocale(LC_ALL, nullptr);
    const std::string previous = current != nullptr ? current : "C";
    struct TRestore {
        const std::string& fPrevious;
        int fMode;
        ~TRestore() {
            std::setlocale(LC_ALL, fPrevious.c_str());
            ::_configthreadlocale(fMode);
        }
    } restore{previous, previousMode};
    if (std::setlocale(LC_ALL, aLocale.c_str()) == nullptr) {
        return false;
    }
    aBody();
    return true;
}

#else

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

#endif

} // namespace brivane
