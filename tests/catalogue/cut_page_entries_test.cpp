// A publisher's page or file that arrives cut off gives an entry either what it holds
// whole or nothing: never the first digits of a version, nor part of a link.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

TEST(CutPageEntriesTest, ACutAnswerGivesTheWholeVersionOrNone) {
    struct TCase {
        const char* Entry;
        const char* Fixture; // below sites/
        const char* Path;    // as served, when it differs
    };
    const TCase cases[] = {
        {"Avira Free Antivirus", "www.avira.com/en/download/product/avira-free-antivirus", nullptr},
        {"Delphi IDE Colorizer",
         "raw.githubusercontent.com/RRUZ/Delphi-IDE-Colorizer/master/Update/Version.xml", nullptr},
        {"Double Commander", "doublecmd.sourceforge.io/index.html", "doublecmd.sourceforge.io/"},
        {"EaseUS Partition Master", "www.easeus.com/pad/epm-free.xml", nullptr},
        {"Eraser", "eraser.heidi.ie/download/index.html", "eraser.heidi.ie/download/"},
        {"ESET NOD32 Antivirus", "www.eset.com/int/home/antivirus/download/index.html",
         "www.eset.com/int/home/antivirus/download/"},
        {"FastStone Image Viewer", "www.faststone.org/FSViewerDownload.htm", nullptr},
        {"Fiddler", "www.telerik.com/support/whats-new/fiddler/release-history/index.html",
         "www.telerik.com/support/whats-new/fiddler/release-history"},
        {"FileHippo App Manager", "filehippo.com/download_app_manager/index.html",
         "filehippo.com/download_app_manager/"},
        {"FileZilla Client", "filezilla-project.org/download.php@show_all=1",
         "filezilla-project.org/download.php"},
        {"FileZilla Server", "filezilla-project.org/download.php@type=server",
         "filezilla-project.org/download.php"},
        {"FotoSketcher", "fotosketcher.com/download-fotosketcher/index.html",
         "fotosketcher.com/download-fotosketcher/"},
        {"GIMP", "www.gimp.org/downloads/index.html", "www.gimp.org/downloads/"},
        {"Git", "git-scm.com/download/win", nullptr},
        {"HxD Hex Editor", "mh-nexus.de/en/downloads.php@product=HxD",
         "mh-nexus.de/en/downloads.php"},
        {"Inkscape", "inkscape.org/en/download/windows/index.html",
         "inkscape.org/en/download/windows/"},
        {"Inno Setup", "www.jrsoftware.org/isdl.php", nullptr},
        {"IP-TV Player", "borpas.info/iptvplayer", nullptr},
    };
    for (const auto& c : cases) {
        TCatalogueEnvironment machine;
        const std::string page = SiteFixture(c.Fixture);
        const std::string path = std::string("/") + (c.Path ? c.Path : c.Fixture);
        machine.ServeText(path, page);
        const TBaseSoftware& whole = machine.CheckEntry(c.Entry);
        const std::string version = whole.AvailableVersion();
        const std::string url = whole.DownloadURL();
        ASSERT_FALSE(version.empty()) << c.Entry;
        ASSERT_FALSE(url.empty()) << c.Entry;
        // Every place inside the first mention of the version, and a third and two thirds in.
        std::vector<std::size_t> cuts = {page.size() / 3, page.size() * 2 / 3};
        if (const auto at = page.find(version); at != std::string::npos) {
            for (std::size_t i = 1; i < version.size(); ++i) {
                cuts.push_back(at + i);
            }
        }
        for (const std::size_t cut : cuts) {
            SCOPED_TRACE(std::string(c.Entry) + " cut at " + std::to_string(cut));
            machine.ServeText(path, page.substr(0, cut));
            const TBaseSoftware& entry = machine.CheckEntry(c.Entry);
            EXPECT_TRUE(entry.AvailableVersion().empty() || entry.AvailableVersion() == version)
                << entry.AvailableVersion();
            EXPECT_TRUE(entry.DownloadURL().empty() || entry.DownloadURL() == url)
                << entry.DownloadURL();
        }
    }
}
