#include "cli/catalogue_names.h"

#include "app/controller.h"
#include "base/unicode.h"
#include "catalogue/base_software.h"
#include "cli/commands.h"

#include <algorithm>

namespace brivane::cli {

void CheckNames(const TController& aController, const std::vector<std::string>& aNames) {
    const auto catalogue = aController.GetSoftwareList();
    for (const auto& name : aNames) {
        if (std::none_of(catalogue.begin(), catalogue.end(), [&name](const auto* aSoftware) {
                return SameText(aSoftware->Info().Name(), name);
            })) {
            throw TCliError("Not in the catalogue: " + name);
        }
    }
}

} // namespace brivane::cli
