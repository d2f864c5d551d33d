#pragma once
// The static cache files that ship beside the executables: for every catalogue
// program its icon tile and its descriptions, under the program's display name.

#include "catalogue/software_types.h"
#include "descriptions.h"
#include "tile_painter.h"

#include <filesystem>
#include <string>
#include <vector>

namespace brivane::tools {

// The icon tile sizes, each drawn for itself.
inline constexpr int kTileSizes[] = {16, 32, 48};

struct TCatalogueProgram {
    std::string Name;
    TSoftwareCategory Category = scUnknown;
};

// Every catalogue entry's display name and category, in catalogue order.
std::vector<TCatalogueProgram> CataloguePrograms();

// The icon file of a program: its initials on its category's colour at every tile size.
std::string ProgramIcon(const TTilePainter& aPainter, const TCatalogueProgram& aProgram);

struct TCacheFile {
    std::string Name;
    std::string Bytes;
};

// The static cache file of every program, in catalogue order. The descriptions must
// name catalogue programs only, in catalogue order, or std::runtime_error says which
// does not; a program they leave out gets empty texts, and its name in aUndescribed.
std::vector<TCacheFile> BuildStaticCache(const std::vector<TCatalogueProgram>& aPrograms,
                                         const TDescriptions& aDescriptions,
                                         const TTilePainter& aPainter,
                                         std::vector<std::string>& aUndescribed);

// Puts the files into aFolder (creating it), each written whole or not at all, leaves a
// file whose bytes are already right untouched and deletes the files of programs no
// longer in the catalogue.
void WriteCacheFolder(const std::filesystem::path& aFolder, const std::vector<TCacheFile>& aFiles);

} // namespace brivane::tools
