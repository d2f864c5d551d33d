#pragma once
// The Updates, Actuals and Library lists of a console view, printed as three tables or
// as one JSON object {"updates": [...], "actuals": [...], "library": [...]}: the output
// of check and of list.

#include "cli/console_view.h"

#include <nlohmann/json.hpp>

namespace brivane {
class TController;
}

namespace brivane::cli {

void PrintLists(const TController& aController, const TConsoleView& aView, bool aJson);

// The JSON object of the three lists.
nlohmann::ordered_json ListsJson(const TController& aController, const TConsoleView& aView);

} // namespace brivane::cli
