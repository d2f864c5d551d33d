#include "static_cache.h"

#include "catalogue/base_software.h"
#include "catalogue/catalogue_table.h"
#include "catalogue/static_cache_file.h"
#include "initials.h"
#include "platform/files.h"

#include <set>
#include <stdexcept>
#include <unordered_map>

namespace brivane::tools {

std::vector<TCatalogueProgram> CataloguePrograms() {
    std::vector<TCatalogueProgram> programs;
    for (const TSoftwareFactory factory : CatalogueFactories()) {
        const auto entry = factory();
        entry->Init(); // on an empty machine: takes the entry's category, asks nothing online
        programs.push_back({entry->Info().Name(), entry->Info().Category()});
    }
    return programs;
}

std::string ProgramIcon(const TTilePainter& aPainter, const TCatalogueProgram& aProgram) {
    const std::string initials = Initials(aProgram.Name);
    const TTileColours colours = TileColours(aProgram.Category);
    std::vector<TIconImage> images;
    for (const int size : kTileSizes) {
        images.push_back(aPainter.Paint(initials, colours, size));
    }
    return WriteIconFile(images);
}

std::vector<TCacheFile> BuildStaticCache(const std::vector<TCatalogueProgram>& aPrograms,
                                         const TDescriptions& aDescriptions,
                                         const TTilePainter& aPainter,
                                         std::vector<std::string>& aUndescribed) {
    std::unordered_map<std::string, std::size_t> order;
    for (std::size_t i = 0; i < aPrograms.size(); ++i) {
        order.emplace(aPrograms[i].Name, i);
    }
    std::unordered_map<std::string, const TDescription*> described;
    std::size_t previous = 0;
    for (const auto& [name, description] : aDescriptions) {
        const auto found = order.find(name);
        if (found == order.end()) {
            throw std::runtime_error("'" + name + "' is described but not in the catalogue");
        }
        if (!described.empty() && found->second < previous) {
            throw std::runtime_error("'" + name + "' is described out of catalogue order");
        }
        previous = found->second;
        described.emplace(name, &description);
    }

    std::vector<TCacheFile> files;
    for (const TCatalogueProgram& program : aPrograms) {
        TProgramInfo info;
        info.Name = program.Name;
        if (const auto found = described.find(program.Name); found != described.end()) {
            info.InformationEn = found->second->En;
            info.InformationRu = found->second->Ru;
        } else {
            aUndescribed.push_back(program.Name);
        }
        const std::string icon = ProgramIcon(aPainter, program);
        info.fIcon.emplace(icon.begin(), icon.end());
        files.push_back({program.Name, StaticCacheFileBytes(info)});
    }
    return files;
}

void WriteCacheFolder(const std::filesystem::path& aFolder, const std::vector<TCacheFile>& aFiles) {
    std::filesystem::create_directories(aFolder);
    std::set<std::filesystem::path> names;
    for (const TCacheFile& file : aFiles) {
        const auto path = aFolder / file.Name;
        if (file.Name.empty() || file.Name == "." || file.Name == ".." ||
            file.Name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos) {
            throw std::runtime_error("'" + file.Name + "' cannot name a cache file");
        }
        names.insert(file.Name);
        if (platform::ReadFileBytes(path, file.Bytes.size()) != file.Bytes) {
            platform::WriteFileAtomically(path, file.Bytes);
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(aFolder)) {
        if (entry.is_regular_file() && !names.contains(entry.path().filename())) {
            std::filesystem::remove(entry.path());
        }
    }
}

} // namespace brivane::tools
