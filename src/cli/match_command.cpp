// brivane-cli match: runs one pattern over standard input, the way a catalogue
// definition runs it over a page, and shows the groups.

#include "cli/commands.h"
#include "cli/output.h"
#include "net/http_helpers.h"
#include "regex/regex.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>

namespace brivane::cli {

namespace {

struct TMatchArgs {
    std::string fPattern;
    int fOptions = 0;
    bool fAll = false;
    bool fJson = false;
};

nlohmann::ordered_json MatchJson(const IMatch& aMatch) {
    auto groups = nlohmann::ordered_json::array();
    const auto collection = aMatch.Groups();
    for (int i = 0; i < collection->Count(); ++i) {
        const auto group = collection->Item(i);
        groups.push_back({{"success", group->Success()},
                          {"value", group->Value()},
                          {"index", group->Index()},
                          {"length", group->Length()}});
    }
    return {{"success", aMatch.Success()}, {"groups", std::move(groups)}};
}

void AddRows(std::vector<std::vector<std::string>>& aRows, const IMatch& aMatch,
             const std::vector<std::string>& aNames, const std::string& aMatchNumber) {
    const auto groups = aMatch.Groups();
    for (int i = 0; i < groups->Count(); ++i) {
        const auto group = groups->Item(i);
        std::vector<std::string> row;
        if (!aMatchNumber.empty()) {
            row.push_back(aMatchNumber);
        }
        row.insert(row.end(), {std::to_string(i), i < int(aNames.size()) ? aNames[i] : "",
                               group->Success() ? "yes" : "no", std::to_string(group->Index()),
                               std::to_string(group->Length()), group->Value()});
        aRows.push_back(std::move(row));
    }
}

// Group names by group number, for the table.
std::vector<std::string> GroupNames(const std::shared_ptr<IRegex>& aRegex) {
    const auto info = std::dynamic_pointer_cast<IRegexInfo>(aRegex);
    std::vector<std::string> names(std::size_t(info->CaptureCount()) + 1);
    for (int i = 0; i < info->NameCount(); ++i) {
        const TPCRENameTableItem item = info->NameTableItem(i);
        names[std::size_t(item.Index)] = item.Name;
    }
    return names;
}

// Standard input, at most as much as a page may hold.
std::string ReadInput() {
    std::string input;
    char buffer[65536];
    while (std::cin.read(buffer, sizeof buffer) || std::cin.gcount() > 0) {
        const auto count = static_cast<std::size_t>(std::cin.gcount());
        if (input.size() + count > net::kMaxTextBodySize) {
            throw TCliError("standard input is larger than " +
                            std::to_string(net::kMaxTextBodySize >> 20) +
                            " MiB, as no page may be");
        }
        input.append(buffer, count);
    }
    return input;
}

// --all: every match is printed as it is found and then dropped, so that no input
// makes the results pile up. Column widths are known in advance: the numbers are
// never longer than the subject's length.
class TMatchPrinter {
public:
    TMatchPrinter(const TMatchArgs& aArgs, const std::shared_ptr<IRegex>& aRegex,
                  const TRegexSubject& aSubject)
        : fJson(aArgs.fJson), fNames(GroupNames(aRegex)) {
        const std::size_t digits = std::to_string(aSubject.Units()->size()).size();
        fTable.emplace(std::vector<std::string>{"match", "group", "name", "success", "index",
                                                "length", "value"},
                       std::vector<std::size_t>{digits, std::to_string(fNames.size()).size(),
                                                NameWidth(), 3, digits + 1, digits, 0});
    }

    void Print(const IMatch& aMatch) {
        if (fJson) {
            std::cout << (fCount == 0 ? "[\n" : ",\n") << Indented(MatchJson(aMatch).dump(2));
        } else {
            if (fCount == 0) {
                fTable->PrintHeader(std::cout);
            }
            std::vector<std::vector<std::string>> rows;
            AddRows(rows, aMatch, fNames, std::to_string(fCount));
            for (const auto& row : rows) {
                fTable->PrintRow(std::cout, row);
            }
        }
        ++fCount;
    }

    // Closes the JSON array (also after an error, so that the output stays JSON).
    void Finish() {
        if (fJson) {
            std::cout << (fCount == 0 ? "[]\n" : "\n]\n");
        }
        std::cout.flush();
    }

    int Count() const { return fCount; }

private:
    std::size_t NameWidth() const {
        std::size_t width = 0;
        for (const auto& name : fNames) {
            width = std::max(width, DisplayWidth(name));
        }
        return width;
    }

    static std::string Indented(const std::string& aText) {
        std::string result = "  ";
        for (const char c : aText) {
            result += c;
            if (c == '\n') {
                result += "  ";
            }
        }
        return result;
    }

    bool fJson;
    std::vector<std::string> fNames;
    std::optional<TStreamingTable> fTable;
    int fCount = 0;
};

void RunMatch(const TMatchArgs& aArgs) {
    std::shared_ptr<IRegex> regex;
    try {
        regex =
            NewRegex(aArgs.fPattern, TRegCompileOptions::FromBits(std::uint16_t(aArgs.fOptions)));
    } catch (const TRegexError& e) {
        throw TCliError(e.what(), kExitBadInput);
    }
    const TRegexSubject subject(ReadInput());
    const TRegMatchOptions options{TRegMatchOption::rmoRaiseErrors};

    if (aArgs.fAll) {
        TMatchPrinter printer(aArgs, regex, subject);
        try {
            regex->ForEachMatch(subject, options, [&](const std::shared_ptr<IMatch>& aMatch) {
                printer.Print(*aMatch);
            });
        } catch (const TRegexError& e) {
            printer.Finish();
            throw TCliError(e.what(), kExitFailure);
        }
        printer.Finish();
        if (printer.Count() == 0) {
            throw TCliError("no match", kExitFailure);
        }
        return;
    }

    std::shared_ptr<IMatch> match;
    try {
        match = regex->Match(subject, options);
    } catch (const TRegexError& e) {
        throw TCliError(e.what(), kExitFailure);
    }
    if (aArgs.fJson) {
        PrintJson(std::cout, MatchJson(*match));
    } else if (match->Success()) {
        std::vector<std::vector<std::string>> rows;
        AddRows(rows, *match, GroupNames(regex), "");
        TTable table({"group", "name", "success", "index", "length", "value"});
        for (auto& row : rows) {
            table.AddRow(std::move(row));
        }
        table.Print(std::cout);
    }
    std::cout.flush();
    if (!match->Success()) {
        throw TCliError("no match", kExitFailure);
    }
}

} // namespace

void RegisterMatchCommand(CLI::App& aApp) {
    auto args = std::make_shared<TMatchArgs>();
    CLI::App* command =
        aApp.add_subcommand("match", "Match a pattern against standard input and show the groups");
    command->add_option("PATTERN", args->fPattern, "The regular expression")->required();
    command
        ->add_option("--options", args->fOptions,
                     "Compile options as a number (2 ignore case, 8 dot matches line breaks, "
                     "64 multi-line; add them up)")
        ->check(CLI::Range(0, 0xFFFF));
    command->add_flag("--all", args->fAll, "Show every match, not only the first");
    command->add_flag("--json", args->fJson, "Print JSON");
    command->callback([args] { RunMatch(*args); });
}

} // namespace brivane::cli
