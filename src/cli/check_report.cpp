#include "cli/check_report.h"

#include "catalogue/base_software.h"
#include "cli/output.h"

#include <ostream>

namespace brivane::cli {

namespace {

std::string Counted(std::size_t aCount, const char* aOne, const char* aMany) {
    return std::to_string(aCount) + " " + (aCount == 1 ? aOne : aMany);
}

// The cells "step", "address or pattern", "result" of one step.
struct TStepCells {
    std::string Step;
    std::string What;
    std::string Result;
};

TStepCells Cells(const TTracedRequest& aRequest) {
    std::string result = aRequest.Status == 0
                             ? "no answer"
                             : std::to_string(aRequest.Status) +
                                   (aRequest.StatusText.empty() ? "" : " " + aRequest.StatusText);
    if (!aRequest.Error.empty()) {
        result += (aRequest.Status == 0 ? ": " : ", failed: ") + aRequest.Error;
    }
    result += ", " + Counted(static_cast<std::size_t>(aRequest.Bytes), "byte", "bytes") + ", " +
              std::to_string(aRequest.Milliseconds) + " ms";
    return {aRequest.Method, aRequest.Address, std::move(result)};
}

TStepCells Cells(const TTracedPattern& aPattern) {
    return {"match", aPattern.Pattern,
            std::string(aPattern.Matched ? "matched" : "no match") + " in " +
                Counted(static_cast<std::size_t>(aPattern.TextLength), "character", "characters")};
}

TStepCells Cells(const TTracedStop& aStop) {
    return {"stop", aStop.Error, "the check ended"};
}

nlohmann::ordered_json StepJson(const TTracedRequest& aRequest) {
    return {
        {"Step", "request"},
        {"Method", aRequest.Method},
        {"Address", aRequest.Address},
        {"Status", aRequest.Status == 0 ? nlohmann::ordered_json(nullptr)
                                        : nlohmann::ordered_json(aRequest.Status)},
        {"Error", aRequest.Error.empty() ? nlohmann::ordered_json(nullptr)
                                         : nlohmann::ordered_json(aRequest.Error)},
        {"Bytes", aRequest.Bytes},
        {"Milliseconds", aRequest.Milliseconds},
    };
}

nlohmann::ordered_json StepJson(const TTracedPattern& aPattern) {
    return {{"Step", "pattern"},
            {"Pattern", aPattern.Pattern},
            {"Matched", aPattern.Matched},
            {"TextLength", aPattern.TextLength}};
}

nlohmann::ordered_json StepJson(const TTracedStop& aStop) {
    return {{"Step", "stop"}, {"Error", aStop.Error}};
}

} // namespace

nlohmann::ordered_json ProblemJson(const TCheckProblem& aProblem) {
    return aProblem.Kind == TCheckProblem::None ? nlohmann::ordered_json(nullptr)
                                                : nlohmann::ordered_json(DescribeProblem(aProblem));
}

std::string CheckSummary(const std::vector<TListRow>& aUpdates,
                         const std::vector<TListRow>& aActuals,
                         const std::vector<TListRow>& aLibrary) {
    std::size_t upToDate = 0;
    std::size_t inLibrary = 0;
    std::size_t notFound = 0;
    std::size_t noConnection = 0;
    for (const auto* rows : {&aUpdates, &aActuals, &aLibrary}) {
        for (const auto& row : *rows) {
            switch (row.Item.Problem.Kind) {
            case TCheckProblem::None:
                upToDate += rows == &aActuals ? 1 : 0;
                inLibrary += rows == &aLibrary ? 1 : 0;
                break;
            case TCheckProblem::Connection:
                ++noConnection;
                break;
            default:
                ++notFound;
            }
        }
    }
    return "Checked " +
           Counted(aUpdates.size() + aActuals.size() + aLibrary.size(), "program", "programs") +
           ": " + std::to_string(aUpdates.size()) + " newer, " + std::to_string(upToDate) +
           " up to date, " + std::to_string(inLibrary) + " in the library, " +
           std::to_string(notFound) + " not found, " + std::to_string(noConnection) +
           " could not connect";
}

void PrintTraces(std::ostream& aOut, const std::vector<const TBaseSoftware*>& aEntries) {
    for (const auto* entry : aEntries) {
        const auto& trace = entry->LastCheck();
        aOut << "\nTrace of " << entry->Info().Name() << '\n';
        TTable table({"#", "Step", "Address or pattern", "Result"});
        std::size_t number = 0;
        for (const auto& step : trace.Steps()) {
            auto cells = std::visit([](const auto& aStep) { return Cells(aStep); }, step);
            table.AddRow({std::to_string(++number), std::move(cells.Step), std::move(cells.What),
                          std::move(cells.Result)});
        }
        if (table.Empty()) {
            aOut << "No step recorded\n";
        } else {
            table.Print(aOut);
        }
        if (trace.LeftOut() > 0) {
            aOut << Counted(trace.LeftOut(), "more step", "more steps") << " not kept\n";
        }
        const std::string problem = DescribeProblem(entry->Problem());
        aOut << "Problem: " << (problem.empty() ? "none" : problem) << '\n';
    }
}

nlohmann::ordered_json TracesJson(const std::vector<const TBaseSoftware*>& aEntries) {
    auto traces = nlohmann::ordered_json::array();
    for (const auto* entry : aEntries) {
        auto steps = nlohmann::ordered_json::array();
        for (const auto& step : entry->LastCheck().Steps()) {
            steps.push_back(std::visit([](const auto& aStep) { return StepJson(aStep); }, step));
        }
        traces.push_back({{"Name", entry->Info().Name()},
                          {"Problem", ProblemJson(entry->Problem())},
                          {"Steps", std::move(steps)},
                          {"LeftOut", entry->LastCheck().LeftOut()}});
    }
    return traces;
}

} // namespace brivane::cli
