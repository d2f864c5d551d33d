#include "app/localization.h"
#include "app/settings.h"
#include "support/temp_dir.h"
#include "ui/list_texts.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

class TListTextsTest : public TLocalizedTest {
protected:
    static TListRow Row(const std::string& aName, std::int64_t aSize, bool aChecked,
                        TSoftwareCategory aCategory = scSystem) {
        TListRow row;
        row.Item.Name = aName;
        row.Item.Size = aSize;
        row.Item.Category = aCategory;
        row.Checked = aChecked;
        return row;
    }
};

TEST_F(TListTextsTest, TheSizeLabelSaysWhatIsKnownOfTheTickedRows) {
    constexpr std::int64_t k10MB = 10 * 1024 * 1024;
    const auto tenMB = TProgramInfo::FormatSize(k10MB, lEnglish);
    struct Case {
        std::vector<TListRow> rows;
        std::string updates;
        std::string library;
    };
    const Case cases[] = {
        {{Row("A", k10MB, true), Row("B", 0, true)},
         "Size of selected updates not smaller than " + tenMB,
         "Size of selected programs not smaller than " + tenMB},
        {{Row("A", k10MB, true), Row("B", 0, false)},
         "Size of selected updates: " + tenMB,
         "Size of selected programs: " + tenMB},
        {{Row("A", k10MB, false), Row("B", 0, true)},
         "Can't calculate size of selected updates",
         "Cannot calculate size of selected programs"},
        {{Row("A", k10MB, false)}, "Updates not selected", "Programs not selected"},
        {{}, "Updates not selected", "Programs not selected"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::SelectionSizeText(c.rows, ui::TSizeList::Updates), c.updates);
        EXPECT_EQ(ui::SelectionSizeText(c.rows, ui::TSizeList::Library), c.library);
    }
    CurrentLanguage = lRussian;
    EXPECT_EQ(ui::SelectionSizeText(cases[3].rows, ui::TSizeList::Updates),
              "Обновления не выбраны");
}

TEST_F(TListTextsTest, AFilterShowsPrefixMatchesFirstWithinTheSelectedCategories) {
    const std::vector<TListRow> model = {
        Row("Skins for VLC", 0, false, scMultimedia),
        Row("VLC media player", 0, false, scMultimedia),
        Row("7-Zip", 0, false, scSystem),
        Row("vlc tools", 0, false, scSystem),
        Row("Old VLC", 0, false, scUnknown),
        Row("Stellarium", 0, false, scScienceEducation),
    };
    const auto all = TSoftwareCategories::All();
    using TIndexes = std::vector<std::size_t>;
    EXPECT_EQ(ui::RowsToShow(model, "", all), (TIndexes{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(ui::RowsToShow(model, "VlC", all), (TIndexes{1, 3, 0, 4}));
    EXPECT_EQ(ui::RowsToShow(model, "vlc", TSoftwareCategories{scSystem}), (TIndexes{3, 4}));
    EXPECT_EQ(ui::RowsToShow(model, "", TSoftwareCategories{scScienceEducation}), (TIndexes{4, 5}));
    EXPECT_TRUE(ui::RowsToShow(model, "xyz", all).empty());
    EXPECT_TRUE(ui::RowsToShow({}, "vlc", all).empty());
}

TEST_F(TListTextsTest, ARowSaysWhichVersionsItKnows) {
    struct Case {
        std::string current;
        std::string available;
        std::string line;
    };
    const Case cases[] = {
        {"1.2", "1.3", "Update available 1.2 to 1.3"},
        {"1.2", "", "Actual version installed 1.2"},
        {"", "1.3", "New version available 1.3"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        TProgramInfo info;
        info.Name = "Program";
        info.CurrentVersion = c.current;
        info.AvailableVersion = c.available;
        EXPECT_EQ(ui::ProgramRowTexts(info).Description, c.line) << c.current << "/" << c.available;
    }
}

TEST_F(TListTextsTest, ARowShowsItsDateSizeAndDescriptionButton) {
    TProgramInfo info;
    info.Name = "Program";
    info.UpdateDate = EncodeDateTime(2024, 5, 1, 10, 0);
    info.Size = 2048;
    info.InformationEn = "About";
    auto texts = ui::ProgramRowTexts(info);
    EXPECT_EQ(texts.Date, "from 01.05.2024");
    EXPECT_EQ(texts.Size, info.SizeAsString(lEnglish));
    // Without a Russian description there is no button, even with an English one.
    EXPECT_FALSE(texts.HasDescription);
    info.InformationRu = "Описание";
    info.UpdateDate = kZeroDate;
    info.Size = 0;
    texts = ui::ProgramRowTexts(info);
    EXPECT_TRUE(texts.HasDescription);
    EXPECT_EQ(texts.Hint, "About");
    EXPECT_EQ(texts.Date, "");
    EXPECT_EQ(texts.Size, "");
    CurrentLanguage = lRussian;
    EXPECT_EQ(ui::ProgramRowTexts(info).Hint, "Описание");
}

TEST_F(TListTextsTest, AFailedCheckSaysWhyInBothLanguages) {
    struct Case {
        TCheckProblem problem;
        std::string english;
        std::string russian;
    };
    const Case cases[] = {
        {{}, "", ""},
        {{TCheckProblem::Connection, "http://www.example.com/x", 0, "", "Connection refused"},
         "Could not check: no connection to www.example.com (Connection refused)",
         "Не удалось проверить: нет связи с www.example.com (Connection refused)"},
        {{TCheckProblem::HttpStatus, "https://example.com:8443/", 404, "Not Found", ""},
         "Could not check: example.com:8443 answered with error 404",
         "Не удалось проверить: example.com:8443 ответил ошибкой 404"},
        {{TCheckProblem::RequestFailed, "", 0, "", "cut"},
         "Could not check: the answer from the site broke off",
         "Не удалось проверить: ответ сайта оборвался"},
        {{TCheckProblem::PatternMissed, "http://h/p", 0, "", "v([0-9]+)"},
         "No version found: the page on h has changed",
         "Версия не найдена: страница на h изменилась"},
        {{TCheckProblem::NothingFound, "", 0, "", ""}, "No version found", "Версия не найдена"},
        {{TCheckProblem::Stopped, "", 0, "", "bad JSON"},
         "Could not check: bad JSON",
         "Не удалось проверить: bad JSON"},
    };
    for (const auto& c : cases) {
        TProgramInfo info;
        info.Name = "Program";
        info.CurrentVersion = "1.0";
        info.Problem = c.problem;
        CurrentLanguage = lEnglish;
        EXPECT_EQ(ui::ProgramRowTexts(info).Problem, c.english);
        CurrentLanguage = lRussian;
        EXPECT_EQ(ui::ProgramRowTexts(info).Problem, c.russian);
    }
}

TEST_F(TListTextsTest, TheFilterLineQuotesTheFilter) {
    EXPECT_EQ(ui::FilterText("vlc"), "Search: \"vlc\"");
    EXPECT_EQ(ui::FilterText(""), Localize("filterdis"));
}

} // namespace
} // namespace brivane::test
