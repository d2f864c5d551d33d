#include "cli/lists_output.h"

#include "app/controller.h"
#include "app/localization.h"
#include "base/short_text.h"
#include "catalogue/base_software.h"
#include "cli/check_report.h"
#include "cli/output.h"

#include <algorithm>
#include <iostream>

namespace brivane::cli {

namespace {

// How much of a Problem the table shows.
constexpr std::size_t kProblemColumnChars = 60;

std::string DownloadURL(const TController& aController, const std::string& aName) {
    const auto* software = aController.GetSoftwareByName(aName);
    return software ? software->DownloadURL() : std::string();
}

nlohmann::ordered_json RowsJson(const TController& aController,
                                const std::vector<TListRow>& aRows) {
    auto rows = nlohmann::ordered_json::array();
    for (const auto& row : aRows) {
        const auto& item = row.Item;
        rows.push_back({
            {"Name", item.Name},
            {"CurrentVersion", item.CurrentVersion},
            {"AvailableVersion", item.AvailableVersion},
            {"UpdateDate", item.UpdateDate == kZeroDate
                               ? nlohmann::ordered_json(nullptr)
                               : nlohmann::ordered_json(FormatIsoDateTime(item.UpdateDate))},
            {"InformationRu", item.InformationRu},
            {"InformationEn", item.InformationEn},
            {"Size", item.Size},
            {"Category", CategoryIdentifier(item.Category)},
            {"DownloadURL", DownloadURL(aController, item.Name)},
            {"Problem", ProblemJson(item.Problem)},
        });
    }
    return rows;
}

void PrintList(const char* aTitle, const std::vector<TListRow>& aRows) {
    std::cout << aTitle << " (" << aRows.size() << ")\n";
    if (aRows.empty()) {
        return;
    }
    TTable table({"Name", "Installed", "Available", "Size", "Date", "Problem"});
    for (const auto& row : aRows) {
        const auto& item = row.Item;
        std::string date = item.UpdateDate == kZeroDate ? "" : FormatIsoDateTime(item.UpdateDate);
        std::replace(date.begin(), date.end(), 'T', ' ');
        const bool unknown = item.Problem.Kind != TCheckProblem::None;
        // A check that found nothing must not read as "up to date".
        table.AddRow({item.Name, item.CurrentVersion,
                      item.AvailableVersion.empty() && unknown ? "?" : item.AvailableVersion,
                      item.Size == kZeroSize ? "" : item.SizeAsString(CurrentLanguage.load()), date,
                      ShortText(DescribeProblem(item.Problem), kProblemColumnChars)});
    }
    table.Print(std::cout);
}

} // namespace

nlohmann::ordered_json ListsJson(const TController& aController, const TConsoleView& aView) {
    return {{"updates", RowsJson(aController, aView.Updates())},
            {"actuals", RowsJson(aController, aView.Actuals())},
            {"library", RowsJson(aController, aView.Programs())}};
}

void PrintLists(const TController& aController, const TConsoleView& aView, bool aJson,
                const std::vector<const TBaseSoftware*>& aTraced) {
    if (aJson) {
        nlohmann::ordered_json lists = ListsJson(aController, aView);
        if (!aTraced.empty()) {
            lists["traces"] = TracesJson(aTraced);
        }
        PrintJson(std::cout, lists);
        return;
    }
    PrintList("Updates", aView.Updates());
    std::cout << '\n';
    PrintList("Actuals", aView.Actuals());
    std::cout << '\n';
    PrintList("Library", aView.Programs());
    PrintTraces(std::cout, aTraced);
}

} // namespace brivane::cli
