#pragma once
// Shared output of the subcommands: aligned tables for people, JSON for programs.

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>
#include <vector>

namespace brivane::cli {

// A plain text table; columns are as wide as their widest cell, counted in
// characters (not bytes), so Cyrillic names line up. Cells come from outside (registry
// names, pages): control characters in them are shown as visible escapes (VisibleText).
class TTable {
public:
    explicit TTable(std::vector<std::string> aHeader);
    void AddRow(std::vector<std::string> aCells);
    void Print(std::ostream& aOut) const;
    bool Empty() const { return fRows.empty(); }

private:
    std::vector<std::string> fHeader;
    std::vector<std::vector<std::string>> fRows;
};

// A table printed row by row as its rows come, for output too long to hold: each
// column is as wide as its header or the width given for it, whichever is wider.
class TStreamingTable {
public:
    TStreamingTable(std::vector<std::string> aHeader, std::vector<std::size_t> aWidths);
    void PrintHeader(std::ostream& aOut) const;
    void PrintRow(std::ostream& aOut, const std::vector<std::string>& aCells) const;

private:
    std::vector<std::string> fHeader;
    std::vector<std::size_t> fWidths;
};

// JSON for --json output: two-space indentation, UTF-8 as it is. Control characters
// are escaped (DEL and the C1 controls too, which JSON itself would leave raw), so the
// output is exact and still safe to show on a terminal.
void PrintJson(std::ostream& aOut, const nlohmann::ordered_json& aValue);

// Whether standard output goes to a terminal (rather than a file or a pipe).
bool StandardOutputIsTerminal();

// Each warning as a line "brivane-cli: warning: ..." on aOut (standard error).
void PrintWarnings(std::ostream& aOut, const std::vector<std::string>& aWarnings);

// Number of characters (code points) in UTF-8 text.
std::size_t DisplayWidth(const std::string& aText);

} // namespace brivane::cli
