#include "catalogue/page_versions.h"

#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane {

bool ReadVersionAndLink(const TRegexSubject& aPage, const IRegex& aVersion, const IRegex& aLink,
                        std::string_view aSite, TCheckedParams& aParams) {
    const auto version = FirstGroup(aVersion, aPage);
    if (!version || !IsVersionText(*version)) {
        return false;
    }
    aParams.AvailableVersion = *version;
    if (const auto link = FirstGroup(aLink, aPage)) {
        aParams.DownloadURL = AbsoluteLink(aSite, *link);
    }
    return true;
}

bool ReadVersionedLink(const TRegexSubject& aPage, const IRegex& aInstaller, std::string_view aSite,
                       TCheckedParams& aParams) {
    const auto match = aInstaller.Match(aPage);
    if (!match->Success() || !IsVersionText(GroupText(*match, 2))) {
        return false;
    }
    aParams.AvailableVersion = GroupText(*match, 2);
    aParams.DownloadURL = AbsoluteLink(aSite, GroupText(*match, 1));
    return true;
}

} // namespace brivane
