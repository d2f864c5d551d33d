#include "cli/output.h"

#include <algorithm>
#include <ostream>

namespace brivane::cli {

std::size_t DisplayWidth(const std::string& aText) {
    return static_cast<std::size_t>(std::count_if(aText.begin(), aText.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

TTable::TTable(std::vector<std::string> aHeader) : fHeader(std::move(aHeader)) {}

void TTable::AddRow(std::vector<std::string> aCells) {
    aCells.resize(fHeader.size());
    fRows.push_back(std::move(aCells));
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
    const auto print = [&](const std::vector<std::string>& aRow) {
        std::string line;
        for (std::size_t i = 0; i < aRow.size(); ++i) {
            line += aRow[i];
            if (i + 1 < aRow.size()) {
                line.append(widths[i] - DisplayWidth(aRow[i]) + 2, ' ');
            }
        }
        aOut << line << '\n';
    };
    print(fHeader);
    for (const auto& row : fRows) {
        print(row);
    }
}

void PrintWarnings(std::ostream& aOut, const std::vector<std::string>& aWarnings) {
    for (const auto& warning : aWarnings) {
        aOut << "brivane-cli: warning: " << warning << '\n';
    }
}

void PrintJson(std::ostream& aOut, const nlohmann::ordered_json& aValue) {
    aOut << aValue.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

} // namespace brivane::cli
