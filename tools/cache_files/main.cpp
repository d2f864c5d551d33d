// brivane-cache-files: writes the static cache files that ship beside the executables,
// one per catalogue program (its icon tile and its descriptions), into a folder.
//
//   brivane-cache-files --descriptions data/descriptions.json --font DejaVuSans-Bold.ttf
//                       --out build/Cache [--icons DIR] [--strict]
//
// The same inputs give byte-identical files.

#include "platform/files.h"
#include "static_cache.h"

#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv) {
    using namespace brivane;
    using namespace brivane::tools;
    CLI::App app{"Writes the static cache files of the catalogue's programs.",
                 "brivane-cache-files"};
    std::string descriptionsFile;
    std::string fontFile;
    std::string outFolder;
    std::string iconsFolder;
    bool strict = false;
    app.add_option("--descriptions", descriptionsFile, "the descriptions (JSON)")->required();
    app.add_option("--font", fontFile, "the bold font the initials are drawn in")->required();
    app.add_option("--out", outFolder, "the Cache folder to fill")->required();
    app.add_option("--icons", iconsFolder, "also write each program's icon here, as NAME.ico");
    app.add_flag("--strict", strict, "fail when a program has no description");
    CLI11_PARSE(app, argc, argv);

    try {
        const TTilePainter painter(fontFile);
        const auto programs = CataloguePrograms();
        std::vector<std::string> undescribed;
        const auto files =
            BuildStaticCache(programs, ReadDescriptions(descriptionsFile), painter, undescribed);
        if (!undescribed.empty()) {
            std::cerr << "brivane-cache-files: " << (strict ? "" : "warning: ")
                      << undescribed.size() << " of " << programs.size()
                      << " programs have no description, the first '" << undescribed.front()
                      << "'\n";
            if (strict) {
                return 1;
            }
        }
        WriteCacheFolder(outFolder, files);
        if (!iconsFolder.empty()) {
            for (const auto& program : programs) {
                platform::WriteFileAtomically(std::filesystem::path(iconsFolder) /
                                                  (program.Name + ".ico"),
                                              ProgramIcon(painter, program));
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "brivane-cache-files: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
