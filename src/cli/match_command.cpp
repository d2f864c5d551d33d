// brivane-cli match: runs one pattern over standard input, the way a catalogue
// definition runs it over a page, and shows the groups.

#include "cli/commands.h"
#include "cli/output.h"
#include "regex/regex.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <iterator>
#include <memory>

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

// Control characters would break the table's lines; show them escaped.
std::string Printable(const std::string& aText) {
    std::string result;
    for (const char c : aText) {
        if (c == '\n') {
            result += "\\n";
        } else if (c == '\r') {
            result += "\\r";
        } else if (c == '\t') {
            result += "\\t";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned>(c));
            result += code;
        } else {
            result += c;
        }
    }
    return result;
}

void AddRows(TTable& aTable, const IMatch& aMatch, const std::vector<std::string>& aNames,
             const std::string& aMatchNumber) {
    const auto groups = aMatch.Groups();
    for (int i = 0; i < groups->Count(); ++i) {
        const auto group = groups->Item(i);
        std::vector<std::string> row;
        if (!aMatchNumber.empty()) {
            row.push_back(aMatchNumber);
        }
        row.insert(row.end(), {std::to_string(i), i < int(aNames.size()) ? aNames[i] : "",
                               group->Success() ? "yes" : "no", std::to_string(group->Index()),
                               std::to_string(group->Length()), Printable(group->Value())});
        aTable.AddRow(std::move(row));
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

void RunMatch(const TMatchArgs& aArgs) {
    std::shared_ptr<IRegex> regex;
    try {
        regex =
            NewRegex(aArgs.fPattern, TRegCompileOptions::FromBits(std::uint16_t(aArgs.fOptions)));
    } catch (const TRegexError& e) {
        throw TCliError(e.what(), kExitBadInput);
    }
    const TRegexSubject subject(
        std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()));

    std::vector<std::shared_ptr<IMatch>> matches;
    if (aArgs.fAll) {
        regex->ForEachMatch(
            subject, [&](const std::shared_ptr<IMatch>& aMatch) { matches.push_back(aMatch); });
    } else {
        matches.push_back(regex->Match(subject));
    }
    const bool found = !matches.empty() && matches.front()->Success();

    if (aArgs.fJson) {
        auto json = nlohmann::ordered_json::array();
        for (const auto& match : matches) {
            json.push_back(MatchJson(*match));
        }
        PrintJson(std::cout, aArgs.fAll ? json : json.front());
    } else if (found) {
        std::vector<std::string> header{"group", "name", "success", "index", "length", "value"};
        if (aArgs.fAll) {
            header.insert(header.begin(), "match");
        }
        TTable table(std::move(header));
        const std::vector<std::string> names = GroupNames(regex);
        for (std::size_t i = 0; i < matches.size(); ++i) {
            AddRows(table, *matches[i], names, aArgs.fAll ? std::to_string(i) : "");
        }
        table.Print(std::cout);
    }
    std::cout.flush();
    if (!found) {
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
