#pragma once
// What the list screen says about its rows, apart from drawing them: which model rows
// are shown under a filter and a set of categories, the size label under a list and
// the captions of the list selectors and of one program row.

#include "app/basic_main_view.h"
#include "catalogue/software_types.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brivane::ui {

// The indexes of the model rows to show, in order. Without a filter, the rows whose
// category is selected; with one (compared lower-cased), first the selected rows whose
// name begins with it, then those that contain it further on. Rows of no known
// category are always shown: no category row could bring them back.
std::vector<std::size_t> RowsToShow(std::span<const TListRow> aModel, std::string_view aFilter,
                                    TSoftwareCategories aCategories);

// The label under the Updates or the Library list, from the rows shown there.
enum class TSizeList { Updates, Library };
std::string SelectionSizeText(std::span<const TListRow> aShown, TSizeList aList);

// "Updates (3)".
std::string SelectorCaption(TListMode aList, std::size_t aShownCount);

// The texts of one program row in the current language.
struct TProgramRowTexts {
    std::string Name;
    std::string Description; // the version line
    std::string Date;        // "from 01.05.2024", empty without a date
    std::string Size;        // empty when unknown
    std::string Hint;        // the description in the interface language
    // Why the program's check failed; empty when it did not. A row with a problem shows
    // a warning mark and its hint says why, so that "could not check" never looks like
    // "up to date".
    std::string Problem;
    bool HasDescription = false;
};
TProgramRowTexts ProgramRowTexts(const TProgramInfo& aInfo);

// Why this run's check of the program found no version, in the interface language: one
// short line naming the site; empty when it found one or has not run.
std::string CheckProblem(const TProgramInfo& aInfo);

// The filter panel's line: "Search: "vlc"" or the text that says no filter is set.
std::string FilterText(std::string_view aFilter);

} // namespace brivane::ui
