#include "cli/output.h"

#include "base/visible_text.h"
#include "platform/console.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace brivane::cli {

std::size_t DisplayWidth(const std::string& aText) {
    return static_cast<std::size_t>(std::count_if(aText.begin(), aText.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

namespace {

// One line of a table: each cell but the last padded to its column's width and two
// blanks.
std::string FormatRow(const std::vector<std::string>& aCells,
                      const std::vector<std::size_t>& aWidths) {
    std::string line;
    for (std::size_t i = 0; i < aCells.size(); ++i) {
        line += aCells[i];
        if (i + 1 < aCells.size()) {
            const std::size_t width = DisplayWidth(aCells[i]);
            line.append(std::max(aWidths[i], width) - width + 2, ' ');
        }
    }
    line += '\n';
    return line;
}

std::vector<std::string> VisibleCells(std::vector<std::string> aCells, std::size_t aColumns) {
    aCells.resize(aColumns);
    for (auto& cell : aCells) {
        cell = VisibleText(cell);
    }
    return aCells;
}

} // namespace

TTable::TTable(std::vector<std::string> aHeader) : fHeader(std::move(aHeader)) {}

void TTable::AddRow(std::vector<std::string> aCells) {
    fRows.push_back(VisibleCells(std::move(aCells), fHeader.size()));
}

void TTable::Print(std::ostream& aOut) const {
    std::vector<std::size_t> widths(fHeader.size());
    const auto measure = [&](const std::vector<std::string>& aRow) {
        for (std::size_t i = 0; i < aRow.size(); ++i) {
            widths[i] = std::max(widths[i], DisplayWidth(aRow[i]));
        }
    };
    measure(fHeader);
    for (const auto& row : fRows) {
        measure(row);
    }
    aOut << FormatRow(fHeader, widths);
    for (const auto& row : fRows) {
        aOut << FormatRow(row, widths);
    }
}

TStreamingTable::TStreamingTable(std::vector<std::string> aHeader, std::vector<std::size_t> aWidths)
    : fHeader(std::move(aHeader)), fWidths(std::move(aWidths)) {
    fWidths.resize(fHeader.size());
    for (std::size_t i = 0; i < fHeader.size(); ++i) {
        fWidths[i] = std::max(fWidths[i], DisplayWidth(fHeader[i]));
    }
}

void TStreamingTable::PrintHeader(std::ostream& aOut) const {
    aOut << FormatRow(fHeader, fWidths);
}

void TStreamingTable::PrintRow(std::ostream& aOut, const std::vector<std::string>& aCells) const {
    aOut << FormatRow(VisibleCells(aCells, fHeader.size()), fWidths);
}

void PrintWarnings(std::ostream& aOut, const std::vector<std::string>& aWarnings) {
    for (const auto& warning : aWarnings) {
        aOut << "brivane-cli: warning: " << warning << '\n';
    }
}

void PrintJson(std::ostream& aOut, const nlohmann::ordered_json& aValue) {
    const std::string text =
        aValue.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    // These bytes occur in strings only, where an escape means the same character.
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const auto next = at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : 0;
        if (byte == 0x7F) {
            escaped += "\\u007f";
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(next));
            escaped += code;
            ++at;
        } else {
            escaped += static_cast<char>(byte);
        }
    }
    aOut << escaped << '\n';
}

bool StandardOutputIsTerminal() {
    return platform::IsTerminal(platform::TStandardStream::Output);
}

} // namespace brivane::cli
