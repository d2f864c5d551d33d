#include "catalogue/application_item.h"

#include "base/unicode.h"

namespace brivane {

int CompareApplicationItems(const TApplicationItem& aLeft, const TApplicationItem& aRight) {
    if (const int byName = CompareText(aLeft.Name, aRight.Name); byName != 0) {
        return byName;
    }
    return CompareText(aLeft.Version, aRight.Version);
}

bool SameApplicationItem(const TApplicationItem& aLeft, const TApplicationItem& aRight) {
    return CompareApplicationItems(aLeft, aRight) == 0;
}

} // namespace brivane
