#pragma once
// What brivane-cli check tells beside its lists: why an entry found nothing (the
// Problem of a row), one summary line, and the steps of the checks a maintainer asked
// to trace.

#include "app/basic_main_view.h"
#include "base/check_trace.h"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>
#include <vector>

namespace brivane {
class TBaseSoftware;
}

namespace brivane::cli {

// The Problem of a row as JSON: its text, or null when there is none.
nlohmann::ordered_json ProblemJson(const TCheckProblem& aProblem);

// "Checked 5 programs: 1 newer, 1 up to date, 1 in the library, 1 not found, 1 could not
// connect": the rows of the three lists counted by what their checks found.
std::string CheckSummary(const std::vector<TListRow>& aUpdates,
                         const std::vector<TListRow>& aActuals,
                         const std::vector<TListRow>& aLibrary);

// The recorded steps of the entries' last checks, in order, as tables / as JSON.
void PrintTraces(std::ostream& aOut, const std::vector<const TBaseSoftware*>& aEntries);
nlohmann::ordered_json TracesJson(const std::vector<const TBaseSoftware*>& aEntries);

} // namespace brivane::cli
