#include "catalogue/page_versions.h"

#include <gtest/gtest.h>

using namespace brivane;

TEST(PageVersionsTest, VersionAndTheLinkBesideIt) {
    const auto version = NewRegex("Version\\s+?([\\d.]+)");
    const auto link = NewRegex("href=\"([^<>]+?\\.exe)\"");
    struct TCase {
        const char* Page;
        bool Found;
        const char* Version;
        const char* URL;
    };
    const TCase cases[] = {
        {"Version 1.2 <a href=\"/get/setup.exe\">", true, "1.2",
         "https://site.example/get/setup.exe"},
        {"Version 1.2 <a href=\"//cdn.example/s.exe\">", true, "1.2", "https://cdn.example/s.exe"},
        {"Version 1.2 <a href=\"/get/setup.zip\">", true, "1.2", "old"},
        {"<a href=\"/get/setup.exe\">", false, "old", "old"},
        {"Version . <a href=\"/get/setup.exe\">", false, "old", "old"}, // a dot is no version
        {"", false, "old", "old"},
    };
    for (const TCase& c : cases) {
        TCheckedParams params;
        params.AvailableVersion = params.DownloadURL = "old";
        EXPECT_EQ(ReadVersionAndLink(c.Page, *version, *link, "https://site.example", params),
                  c.Found)
            << c.Page;
        EXPECT_EQ(params.AvailableVersion, c.Version) << c.Page;
        EXPECT_EQ(params.DownloadURL, c.URL) << c.Page;
    }
}

TEST(PageVersionsTest, LinkWhoseFileNameCarriesTheVersion) {
    const auto installer = NewRegex("href=\"([^<>]+?/tool-([\\d.]+)\\.exe)\"");
    TCheckedParams params;
    EXPECT_TRUE(ReadVersionedLink("<a href=\"/dl/tool-2.5.1.exe\">", *installer,
                                  "https://site.example", params));
    EXPECT_EQ(params.AvailableVersion, "2.5.1");
    EXPECT_EQ(params.DownloadURL, "https://site.example/dl/tool-2.5.1.exe");

    for (const char* page : {"<a href=\"/dl/tool.exe\">", "<a href=\"/dl/tool-..exe\">"}) {
        TCheckedParams untouched;
        EXPECT_FALSE(ReadVersionedLink(page, *installer, "https://site.example", untouched))
            << page;
        EXPECT_EQ(untouched.AvailableVersion, "") << page;
        EXPECT_EQ(untouched.DownloadURL, "") << page;
    }
}
