#pragma once
// The Updates, Actuals and Library lists of a console view, printed as three tables or
// as one JSON object {"updates": [...], "actuals": [...], "library": [...]}: the output
// of check and of list. A row whose check found no version names its Problem; the
// traced entries' steps follow the lists.

#include "cli/console_view.h"

#include <nlohmann/json.hpp>

#include <vector>

namespace brivane {
class TBaseSoftware;
class TController;
} // namespace brivane

namespace brivane::cli {

void PrintLists(const TController& aController, const TConsoleView& aView, bool aJson,
                const std::vector<const TBaseSoftware*>& aTraced = {});

// The JSON object of the three lists.
nlohmann::ordered_json ListsJson(const TController& aController, const TConsoleView& aView);

} // namespace brivane::cli
