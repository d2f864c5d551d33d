#include "support/catalogue_sites.h"

#include "support/catalogue_environment.h"

#include <utility>

namespace brivane::test {

void ServeCatalogueSites(httplib::Server& aServer, std::size_t aInstallerSize,
                         const std::string& aInstallerDate) {
    for (const auto& [path, fixture] : {
             std::pair{"/www.7-zip.org/", "7-zip/home.html"},
             {"/www.piriform.com/auto", "ccleaner/auto.txt"},
             {"/www.piriform.com/ccleaner/download/standard", "ccleaner/download_standard.html"},
             {"/update.brivane.app/download/dernholt/version.json", "dernholt/version.json"},
         }) {
        aServer.Get(path, [page = PageFixture(fixture)](const httplib::Request&,
                                                        httplib::Response& aResponse) {
            aResponse.set_content(page, "text/html");
        });
    }
    aServer.Get(R"(/.+\.(exe|msi))", [aInstallerSize, aInstallerDate](
                                         const httplib::Request&, httplib::Response& aResponse) {
        aResponse.set_header("Last-Modified", aInstallerDate);
        aResponse.set_content(std::string(aInstallerSize, 'x'), "application/octet-stream");
    });
}

} // namespace brivane::test
