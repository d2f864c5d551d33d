#include "support/catalogue_expectations.h"

#include "support/pe_samples.h"

namespace brivane::test {

namespace {

// A program file with this file version, at aPath below drive C.
std::function<void(TCatalogueEnvironment&)> ProgramFile(std::string aPath, std::string aVersion) {
    return [aPath = std::move(aPath),
            aVersion = std::move(aVersion)](TCatalogueEnvironment& aMachine) {
        aMachine.WriteDriveFile(aPath, ProgramWithVersion(aVersion));
    };
}

std::vector<TEntryExpectation> MakeExpectations() {
    std::vector<TEntryExpectation> rows;
    rows.push_back({
        .Name = "7-Zip",
        .Category = scSystem,
        .Installed = {{"7-Zip", "7-Zip 15.14 (x64)", "", "", ""}},
        .CurrentVersion = "15.14",
        .AvailableVersion = "16.02",
        .DownloadURL = "https://www.7-zip.org/a/7z1602-x64.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "CCleaner",
        .Category = scSystem,
        .Installed = {{"CCleaner", "CCleaner", "5.20", "", "C:\\Program Files\\CCleaner"}},
        .Prepare = ProgramFile("Program Files/CCleaner/CCleaner.exe", "5.21.0.5700"),
        .CurrentVersion = "5.21.0.5700",
        .AvailableVersion = "5.21.0.5700",
        .DownloadURL = "https://download.ccleaner.com/ccsetup521.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Dernholt",
        .Category = scInternetNetwork,
        .AvailableVersion = "2.4.1",
        .DownloadURL = "https://update.brivane.app/download/dernholt/dernholt-setup-2.4.1.exe",
    });
    return rows;
}

} // namespace

std::span<const TEntryExpectation> CatalogueExpectations() {
    static const std::vector<TEntryExpectation> rows = MakeExpectations();
    return rows;
}

} // namespace brivane::test
