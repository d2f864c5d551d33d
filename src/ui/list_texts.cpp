#include "ui/list_texts.h"

#include "app/localization.h"
#include "base/check_trace.h"
#include "base/unicode.h"

#include <cstdio>

namespace brivane::ui {

namespace {

bool CategoryShown(TSoftwareCategory aCategory, TSoftwareCategories aCategories) {
    return aCategory == scUnknown || aCategory > scScienceEducation ||
           aCategories.Contains(aCategory);
}

std::string FormatDay(TDateTime aDate) {
    const auto parts = DecodeDateTime(aDate);
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", parts.Day, parts.Month, parts.Year);
    return text;
}

} // namespace

std::vector<std::size_t> RowsToShow(std::span<const TListRow> aModel, std::string_view aFilter,
                                    TSoftwareCategories aCategories) {
    std::vector<std::size_t> shown;
    if (aFilter.empty()) {
        for (std::size_t i = 0; i < aModel.size(); ++i) {
            if (CategoryShown(aModel[i].Item.Category, aCategories)) {
                shown.push_back(i);
            }
        }
        return shown;
    }
    const auto filter = LowerCase(aFilter);
    std::vector<std::size_t> later;
    for (std::size_t i = 0; i < aModel.size(); ++i) {
        if (!CategoryShown(aModel[i].Item.Category, aCategories)) {
            continue;
        }
        const auto at = LowerCase(aModel[i].Item.Name).find(filter);
        if (at == 0) {
            shown.push_back(i);
        } else if (at != std::string::npos) {
            later.push_back(i);
        }
    }
    shown.insert(shown.end(), later.begin(), later.end());
    return shown;
}

std::string SelectionSizeText(std::span<const TListRow> aShown, TSizeList aList) {
    const bool updates = aList == TSizeList::Updates;
    std::int64_t sum = 0;
    bool anyTicked = false;
    bool unknownTicked = false;
    for (const auto& row : aShown) {
        if (row.Checked) {
            anyTicked = true;
            sum += row.Item.Size;
            unknownTicked = unknownTicked || row.Item.Size == 0;
        }
    }
    const auto size = [sum] { return TProgramInfo::FormatSize(sum, CurrentLanguage.load()); };
    if (sum > 0 && unknownTicked) {
        return Localize(updates ? "updnotsmaller" : "prognotsmaller") + " " + size();
    }
    if (sum > 0) {
        return Localize(updates ? "updsize" : "sizeofselected") + ": " + size();
    }
    if (anyTicked) {
        return Localize(updates ? "updsizeunk" : "progsizeunk");
    }
    return Localize(updates ? "updnotsel" : "prognotsel");
}

std::string SelectorCaption(TListMode aList, std::size_t aShownCount) {
    const char* key = aList == lmUpdates ? "updates" : aList == lmActual ? "actuals" : "library";
    return Localize(key) + " (" + std::to_string(aShownCount) + ")";
}

TProgramRowTexts ProgramRowTexts(const TProgramInfo& aInfo) {
    TProgramRowTexts texts;
    texts.Name = aInfo.Name;
    const bool current = !aInfo.CurrentVersion.empty();
    const bool available = !aInfo.AvailableVersion.empty();
    if (current && available) {
        texts.Description = Localize("veravailfrom") + " " + aInfo.CurrentVersion + " " +
                            Localize("to") + " " + aInfo.AvailableVersion;
    } else if (current) {
        texts.Description = Localize("actinst") + " " + aInfo.CurrentVersion;
    } else if (available) {
        texts.Description = Localize("veravail") + " " + aInfo.AvailableVersion;
    }
    if (aInfo.UpdateDate > 0) {
        texts.Date = Localize("from") + " " + FormatDay(aInfo.UpdateDate);
    }
    if (aInfo.Size > 0) {
        texts.Size = aInfo.SizeAsString(CurrentLanguage.load());
    }
    // The button follows the Russian description, as the cache files carry both or none.
    texts.HasDescription = !aInfo.InformationRu.empty();
    texts.Hint = CurrentLanguage.load() == lRussian ? aInfo.InformationRu : aInfo.InformationEn;
    texts.Problem = CheckProblem(aInfo);
    return texts;
}

std::string CheckProblem(const TProgramInfo& aInfo) {
    const auto& problem = aInfo.Problem;
    const bool russian = CurrentLanguage.load() == lRussian;
    const std::string host = AddressHost(problem.Address);
    // The site by its host, or in words (each with the case its sentence needs).
    const auto site = [&host](const char* aWords) { return host.empty() ? aWords : host; };
    std::string text;
    switch (problem.Kind) {
    case TCheckProblem::None:
        return {};
    case TCheckProblem::Connection:
        text = russian ? "Не удалось проверить: нет связи с " + site("сайтом")
                       : "Could not check: no connection to " + site("the site");
        if (!problem.Detail.empty()) {
            text += " (" + problem.Detail + ")";
        }
        return text;
    case TCheckProblem::RequestFailed:
        return russian ? "Не удалось проверить: ответ " + site("сайта") + " оборвался"
                       : "Could not check: the answer from " + site("the site") + " broke off";
    case TCheckProblem::HttpStatus:
        return (russian ? "Не удалось проверить: " + site("сайт") + " ответил ошибкой "
                        : "Could not check: " + site("the site") + " answered with error ") +
               std::to_string(problem.Status);
    case TCheckProblem::Stopped:
        return (russian ? "Не удалось проверить: " : "Could not check: ") + problem.Detail;
    case TCheckProblem::PatternMissed:
        if (host.empty()) {
            return russian ? "Версия не найдена: страница изменилась"
                           : "No version found: the page has changed";
        }
        return russian ? "Версия не найдена: страница на " + host + " изменилась"
                       : "No version found: the page on " + host + " has changed";
    case TCheckProblem::NotChecked:
        return russian ? "Ещё не проверялась" : "Not checked yet";
    case TCheckProblem::NothingFound:
        if (host.empty()) {
            return russian ? "Версия не найдена" : "No version found";
        }
        return (russian ? "Версия не найдена на " : "No version found on ") + host;
    }
    return {};
}

std::string FilterText(std::string_view aFilter) {
    if (aFilter.empty()) {
        return Localize("filterdis");
    }
    return Localize("search") + ": \"" + std::string(aFilter) + "\"";
}

} // namespace brivane::ui
