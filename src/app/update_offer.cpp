#include "app/update_offer.h"

#include "app/localization.h"

namespace brivane {

std::string UpdateOfferText(const install::TVersionInfo& aOffered) {
    std::string text = Localize("au.updateavailable");
    if (const auto at = text.find("%s"); at != std::string::npos) {
        text.replace(at, 2, aOffered.AsString());
    }
    if (const std::string notes = aOffered.Description(LanguageToCode(CurrentLanguage));
        !notes.empty()) {
        text += '\n' + notes;
    }
    return text;
}

} // namespace brivane
