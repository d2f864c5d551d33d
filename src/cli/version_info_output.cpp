#include "cli/version_info_output.h"

#include "cli/output.h"

#include <cstdio>
#include <ostream>

namespace brivane::cli {

namespace {

std::string Hex4(int aValue) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(aValue));
    return text;
}

} // namespace

void PrintVersionInfo(std::ostream& aOut, const TFileVersionInfo& aInfo, std::int64_t aRequests,
                      std::int64_t aBytes, bool aJson) {
    const TStringFileInfo& strings = aInfo.StringFileInfo();
    if (aJson) {
        nlohmann::ordered_json stringValues = nlohmann::ordered_json::object();
        for (const auto& field : TStringFileInfo::Fields()) {
            stringValues[field.Name] = strings.*field.Member;
        }
        PrintJson(aOut, {{"FileVersionText", aInfo.GetFileVersionText()},
                         {"ProductVersionText", aInfo.GetProductVersionText()},
                         {"LanguageID", aInfo.LanguageID()},
                         {"CodePage", aInfo.CodePage()},
                         {"StringFileInfo", stringValues},
                         {"Requests", aRequests},
                         {"Bytes", aBytes}});
        return;
    }
    TTable table({"Field", "Value"});
    table.AddRow({"FileVersionText", aInfo.GetFileVersionText()});
    table.AddRow({"ProductVersionText", aInfo.GetProductVersionText()});
    table.AddRow({"LanguageID", Hex4(aInfo.LanguageID())});
    table.AddRow({"CodePage", std::to_string(aInfo.CodePage())});
    for (const auto& field : TStringFileInfo::Fields()) {
        table.AddRow({field.Name, strings.*field.Member});
    }
    table.AddRow({"Requests", std::to_string(aRequests)});
    table.AddRow({"Bytes", std::to_string(aBytes)});
    table.Print(aOut);
}

} // namespace brivane::cli
