#include "app/main_view.h"

#include <utility>

namespace brivane {

namespace {

TStartHook& StartHook() {
    static TStartHook hook;
    return hook;
}

} // namespace

void SetOnStart(TStartHook aHook) {
    StartHook() = std::move(aHook);
}

bool CallOnStart(IMainView& aSender) {
    // A copy: the hook may replace itself.
    const TStartHook hook = StartHook();
    if (!hook) {
        return false;
    }
    hook(aSender);
    return true;
}

} // namespace brivane
